#include "widgets/CloseOnSignal.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <cerrno>
#include <csignal>

#include "core/Busy.h"
#include "core/Progress.h"
#include "core/StopSignal.h"
#include "widgets/MessageForm.h"

namespace quoxa {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// How often a close that waits for a command looks again.
constexpr int kRetryMs = 20;

// The handler notes the signal for the loops that poll it and wakes the event loop; the
// event loop does the rest.
int signalPipe[2] = {-1, -1};

void OnSignal(int sig) {
  const int saved = errno;
  NoteStopSignal(sig);
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(signalPipe[0], &byte, 1);
  errno = saved;
}

// Whether a command runs: a progress box is open, the busy state is on, or a modal dialog (or
// another event loop inside the main one) waits.
bool OperationRunning() {
  return CurrentProgressBox() != nullptr || IsBusy() || QThread::currentThread()->loopLevel() > 1;
}

}  // namespace

TCloseOnSignal::TCloseOnSignal(QWidget* window)
    : QObject(window), window_(window), retry_(new QTimer(this)) {
  retry_->setInterval(kRetryMs);
  connect(retry_, &QTimer::timeout, this, &TCloseOnSignal::TryClose);
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
  for (int fd : signalPipe) ::fcntl(fd, F_SETFL, O_NONBLOCK);
  notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TCloseOnSignal::SignalArrived);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : kSignals) {
    // A signal ignored by whoever started the program (nohup, a background job) stays ignored.
    struct sigaction before {};
    if (::sigaction(sig, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    if (::sigaction(sig, &action, nullptr) == 0) handled_.push_back(sig);
  }
}

TCloseOnSignal::~TCloseOnSignal() {
  for (int sig : handled_) std::signal(sig, SIG_DFL);
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
  // A second signal while the window closes (the save question is open) changes nothing.
  if (!closing_) TryClose();
}

void TCloseOnSignal::TryClose() {
  if (window_ == nullptr || closing_ || StopSignal() == 0) {
    retry_->stop();
    return;
  }
  // Events are let through inside commands too: closing there would free the document under
  // the loop that works on it.
  if (OperationRunning()) {
    CancelWaitingDialog();
    if (!retry_->isActive()) retry_->start();
    return;
  }
  retry_->stop();
  closing_ = true;
  BeginStopping();
  const bool closed = window_->close();
  closing_ = false;
  if (!closed) {
    // The user cancelled the save question and goes on working.
    ClearStopSignal();
    cancelled_.clear();
  }
}

void TCloseOnSignal::CancelWaitingDialog() {
  // A command at work stops by itself at its next look at Cancel.
  if (CurrentProgressBox() != nullptr || IsBusy()) return;
  auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  if (dialog == nullptr || cancelled_.contains(dialog)) return;
  // A question waits for its answer; notices and other dialogs close as Esc closes them.
  if (auto* box = qobject_cast<TMessageForm*>(dialog); box != nullptr && box->Asks()) return;
  cancelled_.append(dialog);
  dialog->reject();
}

}  // namespace quoxa
