#pragma once
// The clipboard's 8-bit text straight from the X server. Qt reads every text target as
// Unicode (STRING as Latin-1, text/plain as UTF-8, broken sequences replaced); this asks the
// owner on a connection of its own, so that the bytes arrive as the owner sent them.

#include <optional>
#include <string>

namespace quoxa {

// The bytes of the clipboard owner's STRING target, else of its text/plain target (no
// charset). Nothing when the program does not run on X11, the owner offers neither, refuses
// the one it offers, or does not answer within seconds.
std::optional<std::string> ReadX11EightBitText();
// Whether the clipboard owner offers one of those targets (asks for its list only).
bool X11OffersEightBitText();

}  // namespace quoxa
