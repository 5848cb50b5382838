#pragma once

#include <QFont>

namespace serialix {

// The face of the window's labels, text boxes and combos: "ＭＳ Ｐゴシック" 12 pt, falling back to
// IPAPGothic (drawn to the same metrics), then Noto Sans CJK JP, then any installed Japanese face.
QFont JapaneseUiFont(int pointSize = 12);

// The dialog font of a Japanese desktop, for buttons, check boxes, option buttons and group
// boxes: the same face at 9 pt, narrow enough for the designed button sizes.
inline QFont JapaneseDialogFont() {
  return JapaneseUiFont(9);
}

}  // namespace serialix
