#include "platform/look/japanese_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace serialix {

QFont JapaneseUiFont(int pointSize) {
  QStringList families{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                       QStringLiteral("Noto Sans CJK JP")};
  for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese)) {
    if (!families.contains(family)) {
      families.append(family);
      break;
    }
  }
  QFont font;
  font.setFamilies(families);
  font.setPointSize(pointSize);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  return font;
}

}  // namespace serialix
