#pragma once
// Busy text and hourglass around memory operations and long core work.

#include <functional>
#include <string>

namespace quoxa {

// Implemented by the user interface: status panel text plus wait cursor.
class IBusy {
 public:
  virtual ~IBusy() = default;
  virtual void Begin(const std::string& text) = 0;
  virtual void End() = 0;
};

// Installs the process-wide implementation; nullptr restores the silent default.
void InstallBusy(IBusy* busy);

void BeginBusy(const std::string& text);
void EndBusy();
// Between BeginBusy and its EndBusy: an operation is running.
bool IsBusy();

// Brackets a scope with BeginBusy/EndBusy.
class BusyScope {
 public:
  explicit BusyScope(const std::string& text) { BeginBusy(text); }
  ~BusyScope() { EndBusy(); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
};

// Shortens text for a status panel: while it is wider than maxWidth, its last
// character is dropped and "..." appended, until it fits or two characters remain.
std::string FitPanelText(const std::string& text, int maxWidth, const std::function<int(const std::string&)>& width);

}  // namespace quoxa
