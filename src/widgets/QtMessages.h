#pragma once
// The message seam's implementation with the program's own dialogs.

#include "core/Messages.h"

namespace quoxa {

// False on the offscreen and minimal platforms, where no user can see or answer a window.
bool PlatformHasUser();

class TQtMessages : public IMessages {
 public:
  int Message(const MessageRequest& request) override;
  bool Input(const InputRequest& request, std::string& value) override;
  bool List(ListRequest& request, int& index) override;

  // Without a user (offscreen batch runs) messages go to standard error and the
  // default button answers, so nothing waits for ever.
  void SetInteractive(bool interactive) { interactive_ = interactive; }
  bool Interactive() const { return interactive_; }

 private:
  bool interactive_ = true;
};

}  // namespace quoxa
