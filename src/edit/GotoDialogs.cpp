#include "edit/GotoDialogs.h"

#include "edit/FormGoto.h"
#include "edit/FormJump.h"
#include "edit/GotoCommands.h"
#include "edit/JumpCommands.h"

// Outside the namespace: the resource's initialiser is a global function.
static void InitAddressHelp() { Q_INIT_RESOURCE(addresshelp); }

namespace quoxa {

bool RunGotoCommand(QWidget* owner, Cmd cmd) {
  switch (cmd) {
    case Cmd::Goto: {
      TFormGoto form(owner);
      if (form.exec() == QDialog::Accepted) AfterGotoDialog(form.Position(), form.Mode());
      return true;
    }
    case Cmd::JumpWidthDialog: {
      TFormJump form(owner);
      const bool ok = form.exec() == QDialog::Accepted;
      AfterJumpDialog(ok ? std::optional<int64_t>(form.Width()) : std::nullopt);
      return true;
    }
    case Cmd::JumpDown: JumpDownCommand(); return true;
    case Cmd::JumpUp: JumpUpCommand(); return true;
    case Cmd::RememberAddress: RememberAddressCommand(); return true;
    case Cmd::GotoRemembered: GotoRememberedCommand(); return true;
    case Cmd::DisplayDifference: DisplayDifferenceCommand(); return true;
    default: return false;
  }
}

void InitAddressResources() {
  static const bool done = (InitAddressHelp(), true);
  (void)done;
}

}  // namespace quoxa
