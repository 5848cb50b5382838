#include <QApplication>

#include "mainwindow/frm_main.h"
#include "serialix_version.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(serialix::kProgramName));
  QApplication::setApplicationVersion(QString::fromLatin1(serialix::kVersionText));
  serialix::frmMain window;
  window.show();
  return app.exec();
}
