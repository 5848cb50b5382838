// The program on an application object: its names for the desktop, Qt's Japanese texts, and the
// main window until it closes. main() and the first-paint benchmark start it the same way: the
// start-up warm-up first, then the application object, then this.
#pragma once

#include <QApplication>

#include "mainwindow/frm_main.h"
#include "platform/services/qt_translations.h"
#include "platform/services/termination_signals.h"
#include "serialix_version.h"

namespace serialix {

inline int RunSerialix(QApplication& app) {
  QApplication::setApplicationName(QString::fromLatin1(kProgramName));
  QApplication::setApplicationVersion(QString::fromLatin1(kVersionText));
  // Lets desktops match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.serialix.Serialix"));
  InstallJapaneseQtTranslations();
  // Caught before the window reads set.ini: a signal that arrives meanwhile waits in the pipe.
  TerminationSignals termination;
  frmMain window;
  // Killed, hung up or interrupted: saved as at a normal close, then the program ends.
  QObject::connect(&termination, &TerminationSignals::received, &window, [&window] {
    window.endSession();
    QApplication::quit();
  });
  // Logging out or shutting down: the session manager asks for the data before it ends us.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window] { window.saveSettings(); });
  window.show();
  const int code = app.exec();
  termination.endByFirstSignal();
  return code;
}

}  // namespace serialix
