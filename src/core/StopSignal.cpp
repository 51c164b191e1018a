#include "core/StopSignal.h"

#include <csignal>

namespace quoxa {

namespace {

// Written from a signal handler: only sig_atomic_t is safe there.
volatile std::sig_atomic_t noted = 0;
volatile std::sig_atomic_t stopping = 0;

}  // namespace

void NoteStopSignal(int signal) noexcept {
  if (noted == 0) noted = signal;
}

int StopSignal() { return noted; }

bool StopCancelsCommands() { return noted != 0 && stopping == 0; }

void BeginStopping() { stopping = 1; }

void ClearStopSignal() {
  noted = 0;
  stopping = 0;
}

const char* StopSignalName(int signal) {
  switch (signal) {
    case SIGTERM:
      return "SIGTERM";
    case SIGINT:
      return "SIGINT";
    case SIGHUP:
      return "SIGHUP";
    default:
      return "a signal";
  }
}

}  // namespace quoxa
