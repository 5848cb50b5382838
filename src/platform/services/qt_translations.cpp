#include "platform/services/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace serialix {

bool InstallJapaneseQtTranslations() {
  auto* app = QCoreApplication::instance();
  if (!app) return false;
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  // qtbase holds the widgets' texts; "qt" is the older all-in-one name (a catalogue that only
  // lists the module files on Qt 6), tried when qtbase is absent.
  for (const char* name : {"qtbase_ja", "qt_ja"}) {
    auto* translator = new QTranslator(app);
    if (translator->load(QString::fromLatin1(name), folder) && QCoreApplication::installTranslator(translator)) {
      return true;
    }
    delete translator;
  }
  return false;
}

}  // namespace serialix
