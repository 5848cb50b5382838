// The program's start as main() does it, up to the first paint of the main window.
#include "first_paint_probe.h"
#include "mainwindow/frm_main.h"
#include "platform/services/qt_translations.h"
#include "serialix_version.h"

int main(int argc, char** argv) {
  serialix::bench::FirstPaintApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(serialix::kProgramName));
  QApplication::setApplicationVersion(QString::fromLatin1(serialix::kVersionText));
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.serialix.Serialix"));
  serialix::InstallJapaneseQtTranslations();
  serialix::frmMain window;
  window.show();
  return app.exec();
}
