#include <gtest/gtest.h>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "script/ScriptRun.h"
#include "ui/main/MenuRules.h"
#include "ui/main/PendingCommands.h"

namespace quoxa {
namespace {

class MenuRules : public ::testing::Test {
 protected:
  test::RecorderScope rec;
};

TEST_F(MenuRules, SizeDependentCommandsFollowTheDocumentWhenTheirMenuOpens) {
  for (const char* bytes : {"", "abc"}) {
    test::LoadDocument(bytes, 16, 10);
    for (MenuId menu :
         {MenuId::File, MenuId::Edit, MenuId::Address, MenuId::Tools, MenuId::Bookmarks}) {
      EnableOnMenuOpen(menu);
    }
    for (Cmd cmd : {Cmd::Print, Cmd::DeleteFromCursor, Cmd::DeleteToCursor, Cmd::RememberAddress,
                    Cmd::GotoRemembered, Cmd::DisplayDifference, Cmd::DecodeNumber,
                    Cmd::BitManipulation, Cmd::Patch, Cmd::BookmarkAdd}) {
      EXPECT_EQ(Commands().Enabled(cmd), *bytes != 0)
          << static_cast<int>(cmd) << " '" << bytes << "'";
    }
  }
}

TEST_F(MenuRules, OpeningAMenuOnlyTouchesItsOwnCommands) {
  test::LoadDocument("", 16, 10);
  EnableOnMenuOpen(MenuId::File);
  EXPECT_FALSE(Commands().Enabled(Cmd::Print));
  EXPECT_TRUE(Commands().Enabled(Cmd::DeleteFromCursor));
  EXPECT_TRUE(Commands().Enabled(Cmd::DecodeNumber));
}

TEST_F(MenuRules, EncodeNumberDoesNotNeedBytes) {
  test::LoadDocument("", 16, 10);
  EnableOnMenuOpen(MenuId::Tools);
  EXPECT_TRUE(Commands().Enabled(Cmd::EncodeNumber));
  EXPECT_FALSE(Commands().Enabled(Cmd::DecodeNumber));
}

TEST_F(MenuRules, ExecuteActiveIsGreyedInItsOpenMenuWithoutADocumentOrAScript) {
  bool lines = false;
  SetScriptLinesQuery([&] { return lines; });
  for (bool document : {false, true}) {
    for (bool script : {false, true}) {
      Doc().ViewReady = document;
      lines = script;
      EnableOnMenuOpen(MenuId::Script);
      EXPECT_EQ(Commands().Enabled(Cmd::ScriptExecute), document && script) << document << script;
      EnableOnMenuClose(MenuId::Script);
      EXPECT_TRUE(Commands().Enabled(Cmd::ScriptExecute));
    }
  }
  SetScriptLinesQuery(nullptr);
}

TEST_F(MenuRules, NoCommandIsPendingAndUsableFollowsEnabled) {
  for (int i = 0; i < kCommandCount; ++i) EXPECT_FALSE(NotYetAvailable(static_cast<Cmd>(i))) << i;
  Commands().SetEnabled(Cmd::ScriptEditor, true);
  EXPECT_TRUE(CommandUsable(Cmd::ScriptEditor));
  EXPECT_TRUE(CommandUsable(Cmd::New));
  Commands().SetEnabled(Cmd::Save, false);
  EXPECT_FALSE(CommandUsable(Cmd::Save));
}

TEST_F(MenuRules, TheDocumentCommandsOfTheWindowAreAvailable) {
  for (Cmd cmd : {Cmd::New, Cmd::Open, Cmd::Save, Cmd::SaveAs, Cmd::Close, Cmd::InsertFile, Cmd::Print, Cmd::Exit,
                  Cmd::DeleteFromCursor, Cmd::DeleteToCursor, Cmd::TextModeCheck, Cmd::OverwriteCheck, Cmd::HelpContents,
                  Cmd::About, Cmd::BtnNew, Cmd::BtnOpen, Cmd::BtnSave, Cmd::BtnInfo, Cmd::BtnWhats, Cmd::Goto,
                  Cmd::JumpWidthDialog, Cmd::JumpDown, Cmd::JumpUp, Cmd::RememberAddress, Cmd::GotoRemembered,
                  Cmd::DisplayDifference, Cmd::Bookmarks, Cmd::BookmarkAdd, Cmd::BookmarkRemove,
                  Cmd::BookmarkRemoveAll, Cmd::BookmarkSave, Cmd::BookmarkLoad, Cmd::Bookmark1, Cmd::Bookmark9}) {
    EXPECT_FALSE(NotYetAvailable(cmd)) << static_cast<int>(cmd);
  }
}

}  // namespace
}  // namespace quoxa
