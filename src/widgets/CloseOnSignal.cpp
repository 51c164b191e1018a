#include "widgets/CloseOnSignal.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quoxa {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The handler may only write to a descriptor; the event loop does the rest.
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(signalPipe[0], &byte, 1);
}

}  // namespace

TCloseOnSignal::TCloseOnSignal(QWidget* window) : QObject(window), window_(window) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
  for (int fd : signalPipe) ::fcntl(fd, F_SETFL, O_NONBLOCK);
  notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TCloseOnSignal::SignalArrived);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : kSignals) ::sigaction(sig, &action, nullptr);
}

TCloseOnSignal::~TCloseOnSignal() {
  for (int sig : kSignals) std::signal(sig, SIG_DFL);
  delete notifier_;
  for (int& fd : signalPipe) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

void TCloseOnSignal::SignalArrived() {
  char buffer[16];
  while (::read(signalPipe[1], buffer, sizeof buffer) == static_cast<ssize_t>(sizeof buffer)) {
  }
  if (window_ != nullptr) window_->close();
}

}  // namespace quoxa
