#include "core/Busy.h"

#include <vector>

#include "core/View.h"

namespace quoxa {

namespace {
IBusy* installedBusy = nullptr;
int depth = 0;
// One entry per BeginBusy not yet ended: whether it was passed on to the user interface.
std::vector<bool> passedOn;
int shownBusy = 0;
}  // namespace

void InstallBusy(IBusy* busy) { installedBusy = busy; }

void BeginBusy(const std::string& text) {
  // Counted first: the implementation lets events through, and they must find it running.
  ++depth;
  // While the view is held, a busy state already shown stays as it is: a nested one would only
  // redraw the status bar for each of many edits.
  const bool pass = shownBusy == 0 || !ViewHeld();
  passedOn.push_back(pass);
  if (!pass) return;
  ++shownBusy;
  if (installedBusy != nullptr) installedBusy->Begin(text);
}

void EndBusy() {
  if (depth > 0) --depth;
  const bool pass = passedOn.empty() || passedOn.back();
  if (!passedOn.empty()) passedOn.pop_back();
  if (!pass) return;
  if (shownBusy > 0) --shownBusy;
  if (installedBusy != nullptr) installedBusy->End();
}

bool IsBusy() { return depth > 0; }

std::string FitPanelText(const std::string& text, int maxWidth, const std::function<int(const std::string&)>& width) {
  std::string body = text;
  std::string shown = text;
  while (width(shown) > maxWidth && body.size() > 2) {
    body.pop_back();
    // Never cut a UTF-8 sequence in half.
    while (!body.empty() && (static_cast<unsigned char>(body.back()) & 0xC0) == 0x80) body.pop_back();
    if (!body.empty() && static_cast<unsigned char>(body.back()) >= 0xC0) body.pop_back();
    shown = body + "...";
  }
  return shown;
}

}  // namespace quoxa
