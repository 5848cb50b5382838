// The program on an application object: its names for the desktop, Qt's Japanese texts, and the
// main window until it closes. main() and the first-paint benchmark start it the same way.
#pragma once

#include <QApplication>

#include "mainwindow/frm_main.h"
#include "platform/services/qt_translations.h"
#include "serialix_version.h"

namespace serialix {

inline int RunSerialix(QApplication& app) {
  QApplication::setApplicationName(QString::fromLatin1(kProgramName));
  QApplication::setApplicationVersion(QString::fromLatin1(kVersionText));
  // Lets desktops match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.serialix.Serialix"));
  InstallJapaneseQtTranslations();
  frmMain window;
  window.show();
  return app.exec();
}

}  // namespace serialix
