#include <QApplication>

#include "mainwindow/frm_main.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Serialix"));
  QApplication::setApplicationVersion(QStringLiteral("0.0.4"));
  // Lets desktops match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.serialix.Serialix"));
  serialix::frmMain window;
  window.show();
  return app.exec();
}
