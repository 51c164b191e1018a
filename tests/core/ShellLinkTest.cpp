#include <gtest/gtest.h>

#include <filesystem>

#include "Recorders.h"
#include "ScopedEnv.h"
#include "TempDir.h"
#include "settings/SettingsPath.h"
#include "settings/ShellLink.h"

namespace quoxa {
namespace {

using test::TempDir;

class ShellLink : public ::testing::Test {
 protected:
  std::string Apps() const { return dir.File("data/applications"); }
  bool LinkExists(const std::string& file) const { return std::filesystem::exists(Apps() + "/" + file); }
  std::string Other(const std::string& file, const std::string& target) const {
    return dir.Write("data/applications/" + file, "[Desktop Entry]\nType=Application\nName=x\nExec=" + target + " %f\n");
  }

  test::RecorderScope rec;
  TempDir dir;
  test::ScopedEnv data{"XDG_DATA_HOME", dir.File("data")};
  test::ScopedEnv home{"HOME", dir.File("home")};
};

TEST_F(ShellLink, FoldersFollowTheXdgVariables) {
  EXPECT_EQ(ShellFolder("SendTo"), Apps());
  EXPECT_EQ(ShellFolder("PROGRAMS"), Apps());
  EXPECT_EQ(ShellFolder("desktop"), dir.File("home/Desktop"));
  {
    test::ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(ShellFolder("Startup"), "/cfg/autostart");
  }
  EXPECT_EQ(ShellFolder("/some/folder"), "/some/folder");
  // The desktop is the one user-dirs.dirs names, if it names one the file's way.
  test::ScopedEnv config("XDG_CONFIG_HOME", dir.File("config"));
  for (const auto& [dirs, desktop] : {std::pair<std::string, std::string>{"", "home/Desktop"},
                                      {"# names\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n", "home/Schreibtisch"},
                                      {"XDG_DESKTOP_DIR=\"" + dir.File("desk") + "\"\n", "desk"},
                                      {"XDG_DESKTOP_DIR=\"relative\"\n", "home/Desktop"}}) {
    dir.Write("config/user-dirs.dirs", dirs);
    EXPECT_EQ(ShellFolder("DESKTOP"), dir.File(desktop)) << dirs;
  }
  test::ScopedEnv relative("XDG_DATA_HOME", "not/absolute");
  EXPECT_EQ(ShellFolder("SENDTO"), dir.File("home/.local/share/applications"));
}

TEST_F(ShellLink, ExecArgumentsAreQuotedAndReadBack) {
  EXPECT_EQ(QuoteExecArgument("/usr/bin/quoxa"), "/usr/bin/quoxa");
  EXPECT_EQ(QuoteExecArgument("/opt/my app/quoxa"), "\"/opt/my app/quoxa\"");
  EXPECT_EQ(QuoteExecArgument("/opt/a\"b$c`d\\e"), "\"/opt/a\\\"b\\$c\\`d\\\\e\"");
  EXPECT_EQ(QuoteExecArgument("/opt/100%/q"), "/opt/100%%/q");
  for (const std::string path : {"/opt/my app/quoxa", "/opt/a\"b$c`d\\e", "/opt/100%/q", "/plain"}) {
    const auto args = SplitExec(QuoteExecArgument(path) + " --x %f");
    ASSERT_EQ(args.size(), 2u) << path;
    EXPECT_EQ(args[0], path);
    EXPECT_EQ(args[1], "--x");
  }
  EXPECT_EQ(SplitExec("  a   \"b c\"  %U %%d"), (std::vector<std::string>{"a", "b c", "%d"}));
  EXPECT_TRUE(SplitExec("").empty());
}

TEST_F(ShellLink, CreateWritesADesktopEntryThatOpensFiles) {
  TShellLink link;
  link.target = "/opt/my app/quoxa";
  link.workingDir = "/opt/my app";
  ASSERT_TRUE(CreateLink("QUOXA.desktop", "SendTo", link));
  EXPECT_EQ(TempDir::Read(Apps() + "/QUOXA.desktop"),
            "[Desktop Entry]\nType=Application\nVersion=1.0\nName=QUOXA\nComment=Hex editor\n"
            "Exec=\"/opt/my app/quoxa\" %f\nPath=/opt/my app\nTerminal=false\n"
            "MimeType=application/octet-stream;\nCategories=Utility;\n");
  TShellLink read;
  ASSERT_TRUE(ReadLink("QUOXA.desktop", "SendTo", read));
  EXPECT_EQ(read.target, "/opt/my app/quoxa");
  EXPECT_EQ(read.workingDir, "/opt/my app");
  EXPECT_EQ(read.arguments, "");
  EXPECT_FALSE(CreateLink("a/b.desktop", "SendTo", link));
  EXPECT_FALSE(ReadLink("missing.desktop", "SendTo", read));
}

TEST_F(ShellLink, TheDialogCreatesTheLinkUnderTheNameGivenCutAtTheFirstDot) {
  rec.messages.inputAnswers = {{true, "My.Editor"}};
  EXPECT_TRUE(CreateLinkDialog("QUOXA", "", "SendTo", 0));
  ASSERT_EQ(rec.messages.inputs.size(), 1u);
  EXPECT_EQ(rec.messages.inputs[0].caption, "Link in applications folder not yet existing");
  EXPECT_EQ(rec.messages.inputs[0].prompt, "Create link with name:");
  EXPECT_TRUE(LinkExists("My.desktop"));
  TShellLink link;
  ASSERT_TRUE(ReadLink("My.desktop", "SendTo", link));
  EXPECT_EQ(link.target, ExecutablePath());
  EXPECT_EQ(link.workingDir, ExecutableDirectory());
  EXPECT_EQ(link.iconLocation, "quoxa");
  EXPECT_TRUE(rec.messages.shown.empty());
  // A link to the program exists now: nothing is asked.
  EXPECT_TRUE(CreateLinkDialog("QUOXA", "", "SendTo", 0));
  EXPECT_EQ(rec.messages.inputs.size(), 1u);
}

TEST_F(ShellLink, EmptyAndTakenNamesAreAskedAgain) {
  Other("Taken.desktop", "/usr/bin/other");
  rec.messages.inputAnswers = {{true, ".hidden"}, {true, "Taken"}, {true, "Fresh"}};
  EXPECT_TRUE(CreateLinkDialog("QUOXA", "", "SendTo", 0));
  EXPECT_EQ(rec.messages.Texts(), (std::vector<std::string>{
                                      "Please enter a name for this link.",
                                      "Shell link with this name already existing.\r\nPlease select a different name.",
                                  }));
  EXPECT_EQ(rec.messages.shown[0].type, MsgType::Error);
  EXPECT_TRUE(LinkExists("Fresh.desktop"));
}

TEST_F(ShellLink, CancelEndsTheDialogWithoutALink) {
  rec.messages.inputAnswers = {{false, ""}};
  EXPECT_TRUE(CreateLinkDialog("QUOXA", "", "SendTo", 0));
  EXPECT_EQ(FindLinkTo(ExecutablePath(), "SendTo"), "");
}

TEST_F(ShellLink, AFolderThatCannotBeWrittenGivesTheCreationError) {
  const std::string blocker = dir.Write("blocker", "file");
  test::ScopedEnv blocked("XDG_DATA_HOME", blocker);
  rec.messages.inputAnswers = {{true, "QUOXA"}};
  EXPECT_FALSE(CreateLinkDialog("QUOXA", "", "SendTo", 0));
  EXPECT_EQ(rec.messages.Texts(),
            std::vector<std::string>{"Error creating shell link file.\r\nPlease create link manually."});
}

TEST_F(ShellLink, WithoutAnyHomeFolderCreationIsRefused) {
  test::ScopedEnv noData("XDG_DATA_HOME", "");
  test::ScopedEnv noHome("HOME", "");
  EXPECT_EQ(ShellFolder("SendTo"), "");
  rec.messages.inputAnswers = {{true, "QUOXA"}};
  EXPECT_FALSE(CreateLinkDialog("QUOXA", "", "SendTo", 0));
  EXPECT_EQ(rec.messages.Texts(),
            std::vector<std::string>{"Error creating shell link file.\r\nPlease create link manually."});
}

TEST_F(ShellLink, ALinkWhoseTargetDiffersOnlyInCaseCounts) {
  std::string upper = ExecutablePath();
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  Other("Shouting.desktop", QuoteExecArgument(upper));
  Other("Unrelated.desktop", "/usr/bin/other");
  dir.Write("data/applications/Broken.desktop", "\x01\x02 no entry at all");
  std::filesystem::create_directories(Apps() + "/Folder.desktop");
  EXPECT_EQ(FindLinkTo(ExecutablePath(), "SendTo"), "Shouting.desktop");
}

TEST_F(ShellLink, ThePageOffersCreateOrRemoveAndRemoveDeletesTheFoundLink) {
  TSendToState state = ScanSendToLink();
  EXPECT_TRUE(state.createEnabled);
  EXPECT_FALSE(state.removeEnabled);
  EXPECT_EQ(rec.busy.texts, std::vector<std::string>{"Scanning Shortcut Links..."});
  EXPECT_EQ(rec.busy.depth, 0);

  Other("First.desktop", QuoteExecArgument(ExecutablePath()));
  Other("Second.desktop", QuoteExecArgument(ExecutablePath()));
  // Two links: the one the directory listing returns first is found and removed.
  std::string first;
  for (const auto& entry : std::filesystem::directory_iterator(Apps())) {
    first = entry.path().filename().string();
    break;
  }
  state = ScanSendToLink();
  EXPECT_EQ(state.linkName, first);
  EXPECT_FALSE(state.createEnabled);
  EXPECT_TRUE(state.removeEnabled);
  RemoveSendToLink(state.linkName);
  EXPECT_FALSE(LinkExists(first));
  state = ScanSendToLink();
  EXPECT_NE(state.linkName, "");
  EXPECT_NE(state.linkName, first);
  RemoveSendToLink(state.linkName);
  EXPECT_TRUE(ScanSendToLink().createEnabled);
}

TEST_F(ShellLink, CreateSendToLinkMakesTheLinkInTheSendToFolder) {
  rec.messages.inputAnswers = {{true, "QUOXA"}};
  EXPECT_TRUE(CreateSendToLink());
  EXPECT_TRUE(LinkExists("QUOXA.desktop"));
  EXPECT_EQ(ScanSendToLink().linkName, "QUOXA.desktop");
}

}  // namespace
}  // namespace quoxa
