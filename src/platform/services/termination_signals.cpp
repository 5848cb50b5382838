#include "platform/services/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <system_error>

namespace serialix {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
int pipeEnds[2] = {-1, -1};

void onSignal(int number) {
  const int savedErrno = errno;
  const char byte = static_cast<char>(number);
  // A full pipe already holds a signal to act on; nothing is lost by dropping this one.
  [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
  errno = savedErrno;
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
    throw std::system_error(errno, std::generic_category(), "pipe for termination signals");
  notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::readPipe);
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int number : kSignals) ::sigaction(number, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
  for (int number : kSignals) std::signal(number, SIG_DFL);
  delete notifier_;
  ::close(pipeEnds[0]);
  ::close(pipeEnds[1]);
  pipeEnds[0] = pipeEnds[1] = -1;
}

void TerminationSignals::readPipe() {
  char bytes[16];
  const ssize_t got = ::read(pipeEnds[0], bytes, sizeof bytes);
  if (got <= 0) return;
  const bool firstOne = first_ == 0;
  if (firstOne) first_ = bytes[0];
  if (firstOne) emit received(first_);
}

void TerminationSignals::endByFirstSignal() {
  if (first_ == 0) return;
  std::signal(first_, SIG_DFL);
  std::raise(first_);
}

}  // namespace serialix
