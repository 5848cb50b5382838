// SIGTERM, SIGHUP and SIGINT as an ordinary event: the program then ends through the same close
// path as when the user closes the window, and its settings are saved.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace serialix {

// Catches the three signals while it exists (one instance at a time). The handler only writes
// the signal's number into a pipe; the event loop reads it and emits `received`.
class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  // Throws std::system_error when the pipe cannot be made.
  explicit TerminationSignals(QObject* parent = nullptr);
  ~TerminationSignals() override;
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // The first signal received, 0 when none was.
  int first() const { return first_; }
  // Ends the process by the first signal's default action, so that whoever started the program
  // learns how it ended; returns when no signal was received.
  void endByFirstSignal();

 signals:
  void received(int signalNumber);

 private:
  void readPipe();

  QSocketNotifier* notifier_ = nullptr;
  int first_ = 0;
};

}  // namespace serialix
