// The moment a program's first window is on the screen: the application's notify() returns from
// the first expose of a top-level window, which paints the window and flushes it to the display
// synchronously. The time (CLOCK_MONOTONIC, shared by every process) goes to standard output and
// the process ends there, so the measuring process can subtract its own start time.
#pragma once

#include <unistd.h>
#include <QApplication>
#include <QEvent>
#include <QWindow>
#include <cstdio>
#include <ctime>

namespace serialix::bench {

class FirstPaintApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    const bool result = QApplication::notify(receiver, event);
    if (event->type() == QEvent::Expose && receiver->isWindowType() && static_cast<QWindow*>(receiver)->isExposed()) {
      timespec now{};
      clock_gettime(CLOCK_MONOTONIC, &now);
      std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
      std::fflush(stdout);
      _exit(0);  // nothing after the first paint is measured, and nothing is saved
    }
    return result;
  }
};

}  // namespace serialix::bench
