#include "ui/main/PendingCommands.h"

#include <algorithm>
#include <iterator>

namespace quoxa {

namespace {

constexpr Cmd kPending[] = {
    Cmd::Clipboard, Cmd::Cut, Cmd::Copy, Cmd::Paste,
    Cmd::CopyHex, Cmd::PasteHex,
    Cmd::CharConversion,
    Cmd::ScriptEditor, Cmd::ScriptExecute,
    Cmd::BtnCut, Cmd::BtnCopy, Cmd::BtnPaste,
};

}  // namespace

bool NotYetAvailable(Cmd cmd) { return std::find(std::begin(kPending), std::end(kPending), cmd) != std::end(kPending); }

bool CommandUsable(Cmd cmd) { return Commands().Enabled(cmd) && !NotYetAvailable(cmd); }

}  // namespace quoxa
