#include "ui/main/PendingCommands.h"

#include <algorithm>
#include <iterator>

namespace quoxa {

namespace {

constexpr Cmd kPending[] = {
    Cmd::Clipboard, Cmd::Cut, Cmd::Copy, Cmd::Paste,
    Cmd::CopyHex, Cmd::PasteHex,
    Cmd::Goto, Cmd::JumpWidth, Cmd::JumpDown, Cmd::JumpUp, Cmd::RememberAddress, Cmd::GotoRemembered,
    Cmd::DisplayDifference,
    Cmd::Bookmarks, Cmd::BookmarkAdd, Cmd::BookmarkRemove, Cmd::BookmarkRemoveAll, Cmd::BookmarkSave,
    Cmd::BookmarkLoad, Cmd::Bookmark1, Cmd::Bookmark2, Cmd::Bookmark3, Cmd::Bookmark4, Cmd::Bookmark5,
    Cmd::Bookmark6, Cmd::Bookmark7, Cmd::Bookmark8, Cmd::Bookmark9,
    Cmd::BtnCut, Cmd::BtnCopy, Cmd::BtnPaste,
};

}  // namespace

bool NotYetAvailable(Cmd cmd) { return std::find(std::begin(kPending), std::end(kPending), cmd) != std::end(kPending); }

bool CommandUsable(Cmd cmd) { return Commands().Enabled(cmd) && !NotYetAvailable(cmd); }

}  // namespace quoxa
