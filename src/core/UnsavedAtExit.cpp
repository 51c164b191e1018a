#include "core/UnsavedAtExit.h"

#include <atomic>
#include <cstdlib>
#include <vector>

#include "core/Busy.h"
#include "core/Document.h"
#include "core/Messages.h"
#include "core/Progress.h"
#include "core/RecoveryStore.h"
#include "core/View.h"

namespace quoxa {

namespace {

std::atomic<bool> armed{false};

void KeepAtExit() {
  if (!armed.exchange(false)) return;
  // The windows are gone with the display: what is said goes to standard error.
  InstallMessages(nullptr);
  InstallProgressFactory(nullptr);
  InstallBusy(nullptr);
  InstallView(nullptr);
  KeepUnsavedChangesOfAll();
}

}  // namespace

void KeepUnsavedChangesAtExit() {
  static const bool registered = std::atexit(KeepAtExit) == 0;
  armed = registered;
}

void ProgramEndsNormally() { armed = false; }

int KeepUnsavedChangesOfAll() {
  int kept = 0;
  // A copy: nothing is created or destroyed meanwhile, but the list is not ours to hold.
  const std::vector<TDocument*> documents = AllDocuments();
  for (TDocument* doc : documents) {
    ActiveDocumentScope scope(*doc);
    if (KeepUnsavedChanges()) ++kept;
  }
  return kept;
}

}  // namespace quoxa
