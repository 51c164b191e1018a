#include <gtest/gtest.h>

#include <vector>

#include "Recorders.h"
#include "core/Commands.h"

namespace quoxa {
namespace {

class CommandState : public ::testing::Test {
 protected:
  test::RecorderScope rec;
};

TEST_F(CommandState, ClosingTheDocumentDisablesOnlyTagOneCommands) {
  Commands().DisableTagged(kTagNeedsDocument);
  for (Cmd cmd : {Cmd::Save, Cmd::SaveAs, Cmd::Close, Cmd::Find, Cmd::Bookmarks, Cmd::BtnSave, Cmd::BtnPaste,
                  Cmd::Patch, Cmd::Clipboard}) {
    EXPECT_FALSE(Commands().Enabled(cmd)) << static_cast<int>(cmd);
  }
  for (Cmd cmd : {Cmd::New, Cmd::Open, Cmd::Reopen, Cmd::Exit, Cmd::OptionsDialog, Cmd::ScriptEditor, Cmd::ScriptExecute,
                  Cmd::HelpContents, Cmd::About, Cmd::TextModeCheck, Cmd::OverwriteCheck, Cmd::BtnNew, Cmd::BtnOpen,
                  Cmd::BtnOptions, Cmd::BtnInfo, Cmd::BtnWhats}) {
    EXPECT_TRUE(Commands().Enabled(cmd)) << static_cast<int>(cmd);
  }
}

TEST_F(CommandState, TagTwoCommandsNeverComeBack) {
  Commands().SetTag(Cmd::Clipboard, kTagUnavailable);
  EXPECT_FALSE(Commands().Enabled(Cmd::Clipboard));
  SetCommandsEnabled({Cmd::Clipboard, Cmd::Find}, true);
  EXPECT_FALSE(Commands().Enabled(Cmd::Clipboard));
  EXPECT_TRUE(Commands().Enabled(Cmd::Find));
  Commands().SetEnabled(Cmd::Clipboard, true);
  EXPECT_FALSE(Commands().Enabled(Cmd::Clipboard));
}

TEST_F(CommandState, ListenersHearEachRealChangeOnce) {
  std::vector<Cmd> heard;
  Commands().SetListener([&](Cmd cmd) { heard.push_back(cmd); });
  SetCommandsEnabled({Cmd::Find, Cmd::Count}, false);
  SetCommandsEnabled({Cmd::Find}, false);  // no change, no notice
  Commands().SetChecked(Cmd::TextModeCheck, true);
  EXPECT_EQ(heard, (std::vector<Cmd>{Cmd::Find, Cmd::Count, Cmd::TextModeCheck}));
  EXPECT_TRUE(Commands().Checked(Cmd::TextModeCheck));
}

}  // namespace
}  // namespace quoxa
