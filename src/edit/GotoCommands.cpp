#include "edit/GotoCommands.h"

#include "core/Commands.h"
#include "core/DocState.h"
#include "core/Messages.h"
#include "core/Navigation.h"
#include "core/TextFormat.h"
#include "settings/Options.h"
#include "widgets/IntegerText.h"

namespace quoxa {

std::optional<int64_t> GotoTarget(std::string_view text, int32_t mode, int64_t cursor, int64_t docSize, int64_t base) {
  const std::optional<int64_t> a = TextToInteger(text);
  // A number beyond the document either way is refused before any sum could wrap.
  if (!a || *a > docSize + base || *a < -docSize) return std::nullopt;
  int64_t position = 0;
  switch (mode) {
    case kGotoAbsolute:
      position = *a - base + 1;
      break;
    case kGotoRelativeDown:
      position = cursor + *a;
      break;
    case kGotoRelativeUp:
      position = cursor - *a;
      break;
    default: return std::nullopt;
  }
  if (position < 1 || position > docSize) return std::nullopt;
  return position;
}

void GoToPosition(int64_t position) { GotoAddress(position, true, true); }

void AfterGotoDialog(int64_t position, int32_t mode) {
  Options().GotoMode = mode;
  GoToPosition(position);
}

void RememberAddressCommand() {
  if (!Doc().ViewReady || Doc().DocSize == 0) return;
  Doc().RememberedAddress = CursorAddress();
  SetCommandsEnabled({Cmd::GotoRemembered, Cmd::DisplayDifference}, true);
}

void GotoRememberedCommand() {
  if (!Doc().ViewReady) return;
  if (Doc().RememberedAddress < 1 || Doc().RememberedAddress > Doc().DocSize) {
    ShowError(msg::kAddressInvalid);
    return;
  }
  GoToPosition(Doc().RememberedAddress);
}

std::string DifferenceText(int64_t remembered, int64_t cursor) {
  const int64_t shown = DisplayAddress(remembered);
  const int64_t difference = cursor - remembered;
  std::string text = FormatMsgN(msg::kDifference, shown);
  text = FormatMsgN(text, difference);
  text = FormatMsg(text, "%x", FormatHex(shown));
  return FormatMsg(text, "%x", FormatHex(difference));
}

void DisplayDifferenceCommand() {
  if (!Doc().ViewReady || Doc().DocSize == 0) return;
  ShowInfo(DifferenceText(Doc().RememberedAddress, CursorAddress()));
}

}  // namespace quoxa
