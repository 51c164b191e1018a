#include "edit/GotoCommands.h"

#include "core/Commands.h"
#include "core/DocState.h"
#include "core/Messages.h"
#include "core/Navigation.h"
#include "core/TextFormat.h"
#include "settings/Options.h"
#include "widgets/IntegerText.h"

namespace quoxa {

std::optional<int32_t> GotoTarget(std::string_view text, int32_t mode, int32_t cursor, int32_t docSize,
                                  int32_t base) {
  const std::optional<int32_t> a = TextToInteger(text);
  if (!a) return std::nullopt;
  int64_t position = 0;
  switch (mode) {
    case kGotoAbsolute: position = int64_t{*a} - base + 1; break;
    case kGotoRelativeDown: position = int64_t{cursor} + *a; break;
    case kGotoRelativeUp: position = int64_t{cursor} - *a; break;
    default: return std::nullopt;
  }
  if (position < 1 || position > docSize) return std::nullopt;
  return static_cast<int32_t>(position);
}

void GoToPosition(int32_t position) { GotoAddress(position, true, true); }

void AfterGotoDialog(int32_t position, int32_t mode) {
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

std::string DifferenceText(int32_t remembered, int32_t cursor) {
  const int64_t shown = DisplayAddress(remembered);
  const int64_t difference = int64_t{cursor} - remembered;
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
