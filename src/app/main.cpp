#include <QApplication>

#include "mainwindow/frm_main.h"
#include "platform/services/qt_translations.h"
#include "platform/services/termination_signals.h"
#include "serialix_version.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(serialix::kProgramName));
  QApplication::setApplicationVersion(QString::fromLatin1(serialix::kVersionText));
  // Lets desktops match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.serialix.Serialix"));
  serialix::InstallJapaneseQtTranslations();
  // Caught before the window reads set.ini: a signal that arrives meanwhile waits in the pipe.
  serialix::TerminationSignals termination;
  serialix::frmMain window;
  // Killed, hung up or interrupted: saved as at a normal close, then the program ends.
  QObject::connect(&termination, &serialix::TerminationSignals::received, &window, [&window] {
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
