#include <QApplication>

#include "mainwindow/frm_main.h"
#include "platform/services/qt_translations.h"
#include "serialix_version.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(serialix::kProgramName));
  QApplication::setApplicationVersion(QString::fromLatin1(serialix::kVersionText));
  // Lets desktops match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.serialix.Serialix"));
  serialix::InstallJapaneseQtTranslations();
  serialix::frmMain window;
  window.show();
  return app.exec();
}
