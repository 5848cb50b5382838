#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>

namespace serialix {

// The face of the window's labels, text boxes and combos, chosen once: "ＭＳ Ｐゴシック" when
// installed, else IPAPGothic (drawn to the same metrics), else Noto Sans CJK JP, else the first
// installed Japanese face. The font names that one face only: a list of faces, or a first face
// that is missing, makes the toolkit look up fallbacks for every size and script it draws.
QFont JapaneseUiFont(int pointSize = 12);

// The dialog font of a Japanese desktop, for buttons, check boxes, option buttons and group
// boxes: the same face at 9 pt, narrow enough for the designed button sizes.
inline QFont JapaneseDialogFont() {
  return JapaneseUiFont(9);
}

// The choice JapaneseUiFont makes, from what `installed` says of a face name and the installed
// Japanese faces; "ＭＳ Ｐゴシック" when none of them is there, for the toolkit's own fallback.
QString JapaneseFamily(const std::function<bool(const QString&)>& installed, const QStringList& japaneseFamilies);

}  // namespace serialix
