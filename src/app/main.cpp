#include <QApplication>

#include "mainwindow/frm_main.h"
#include "platform/qt_translations.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Serialix"));
  QApplication::setApplicationVersion(QStringLiteral("0.0.4"));
  serialix::InstallJapaneseQtTranslations();
  serialix::frmMain window;
  window.show();
  return app.exec();
}
