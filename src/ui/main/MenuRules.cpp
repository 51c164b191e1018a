#include "ui/main/MenuRules.h"

#include "core/Commands.h"
#include "core/DocState.h"
#include "script/ScriptRun.h"

namespace quoxa {

void EnableOnMenuOpen(MenuId menu) {
  const bool bytes = Doc().DocSize > 0;
  switch (menu) {
    case MenuId::File:
      SetCommandsEnabled({Cmd::Print}, bytes);
      break;
    case MenuId::Edit:
      SetCommandsEnabled({Cmd::DeleteFromCursor, Cmd::DeleteToCursor}, bytes);
      break;
    case MenuId::Address:
      SetCommandsEnabled({Cmd::RememberAddress, Cmd::GotoRemembered, Cmd::DisplayDifference}, bytes);
      break;
    case MenuId::Bookmarks:
      SetCommandsEnabled({Cmd::BookmarkAdd}, bytes);
      break;
    case MenuId::Tools:
      SetCommandsEnabled({Cmd::DecodeNumber, Cmd::BitManipulation, Cmd::Patch}, bytes);
      break;
    case MenuId::Script:
      SetCommandsEnabled({Cmd::ScriptExecute}, Doc().ViewReady && ScriptEditorHasLines());
      break;
    case MenuId::View:
    case MenuId::Search:
    case MenuId::Help:
      break;
  }
}

void EnableOnMenuClose(MenuId menu) {
  if (menu == MenuId::Script) Commands().SetEnabled(Cmd::ScriptExecute, true);
}

}  // namespace quoxa
