#include "ui/main/PendingCommands.h"

#include <algorithm>
#include <iterator>

namespace quoxa {

namespace {

constexpr Cmd kPending[] = {
    Cmd::WriteBlock,
    Cmd::InsertString, Cmd::OverwriteString, Cmd::BlockChars, Cmd::BlockDelete,
    Cmd::BlockCopy, Cmd::BlockCopyOverwrite, Cmd::BlockMove, Cmd::Clipboard, Cmd::Cut, Cmd::Copy, Cmd::Paste,
    Cmd::CopyHex, Cmd::PasteHex,
    Cmd::CharConversion,
    Cmd::DecodeNumber, Cmd::EncodeNumber, Cmd::BitManipulation, Cmd::Patch,
    Cmd::ScriptEditor, Cmd::ScriptExecute,
    Cmd::BtnDel, Cmd::BtnCut, Cmd::BtnCopy, Cmd::BtnPaste,
};

}  // namespace

bool NotYetAvailable(Cmd cmd) { return std::find(std::begin(kPending), std::end(kPending), cmd) != std::end(kPending); }

bool CommandUsable(Cmd cmd) { return Commands().Enabled(cmd) && !NotYetAvailable(cmd); }

}  // namespace quoxa
