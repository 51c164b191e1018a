#include "edit/JumpCommands.h"

#include "core/Commands.h"
#include "core/DocState.h"
#include "core/Messages.h"
#include "edit/GotoCommands.h"
#include "widgets/IntegerText.h"

namespace quoxa {

int64_t JumpWidth = 0;

namespace {

void JumpBy(int64_t width) {
  if (!Doc().ViewReady) return;
  const int64_t target = CursorAddress() + width;
  if (target < 1 || target > Doc().DocSize) {
    ShowError(msg::kAddressInvalid);
    return;
  }
  GoToPosition(target);
}

}  // namespace

std::optional<int64_t> CheckJumpWidth(std::string_view text, int64_t docSize) {
  const std::optional<int64_t> w = TextToInteger(text);
  if (!w || *w < 1 || *w >= docSize) return std::nullopt;
  return w;
}

void AfterJumpDialog(std::optional<int64_t> width) {
  if (width) JumpWidth = *width;
  SetCommandsEnabled({Cmd::JumpDown, Cmd::JumpUp}, width.has_value());
}

void JumpDownCommand() { JumpBy(JumpWidth); }

void JumpUpCommand() { JumpBy(-JumpWidth); }

}  // namespace quoxa
