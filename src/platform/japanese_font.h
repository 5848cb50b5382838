#pragma once

#include <QFont>

namespace serialix {

// The face of the window's labels, text boxes and combos: "ＭＳ Ｐゴシック" 12 pt, falling back to
// IPAPGothic (drawn to the same metrics), then Noto Sans CJK JP, then any installed Japanese face.
QFont JapaneseUiFont();

}  // namespace serialix
