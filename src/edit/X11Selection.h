#pragma once
// The clipboard's 8-bit text straight from the X server. Qt reads every text target as
// Unicode (STRING as Latin-1, text/plain as UTF-8, broken sequences replaced); this asks the
// owner on a connection of its own, so that the bytes arrive as the owner sent them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quoxa {

// Of the targets a clipboard owner offers, the one that holds 8-bit text as it was sent:
// "STRING", else "text/plain" (no charset); none ("") when neither is there, or when UTF-8
// text is offered as well.
std::string_view EightBitTargetOf(const std::vector<std::string_view>& offered);
// The bytes of the clipboard owner's 8-bit text target (EightBitTargetOf). Nothing when the
// program does not run on X11, the owner offers none, refuses it, or does not answer within
// seconds.
std::optional<std::string> ReadX11EightBitText();
// Whether the clipboard owner offers one of those targets (asks for its list only).
bool X11OffersEightBitText();

}  // namespace quoxa
