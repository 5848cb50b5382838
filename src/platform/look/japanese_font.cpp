#include "platform/look/japanese_font.h"

#include <QFontDatabase>

namespace serialix {

QString JapaneseFamily(const std::function<bool(const QString&)>& installed, const QStringList& japaneseFamilies) {
  // The first face under either of its names, as a system may list it by its English one.
  const QString preferred[] = {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                               QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")};
  for (const QString& family : preferred) {
    if (installed(family)) return family;
  }
  return japaneseFamilies.isEmpty() ? preferred[0] : japaneseFamilies.front();
}

QFont JapaneseUiFont(int pointSize) {
  // Looked up in the installed list: asking fontconfig about a name costs as much as a font.
  static const QString family = [] {
    const QStringList installed = QFontDatabase::families();
    return JapaneseFamily([&](const QString& name) { return installed.contains(name, Qt::CaseInsensitive); },
                          QFontDatabase::families(QFontDatabase::Japanese));
  }();
  QFont font(family, pointSize);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  return font;
}

}  // namespace serialix
