#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <random>

#include "FakeSettingsWindow.h"
#include "Recorders.h"
#include "ScopedEnv.h"
#include "TempDir.h"
#include "TestDocument.h"
#include "core/DocState.h"
#include "core/PlatformFile.h"
#include "core/Primitives.h"
#include "search/SearchState.h"
#include "settings/IniFile.h"
#include "settings/Options.h"
#include "settings/Settings.h"
#include "settings/SettingsPath.h"

namespace quoxa {
namespace {

using test::FakeSettingsWindow;
using test::TempDir;

class Settings : public ::testing::Test {
 protected:
  void TearDown() override { InstallIniReplacer(nullptr); }

  void WriteIni(const std::string& contents) { dir.Write("quoxa.ini", contents); }
  std::string IniText() const { return TempDir::Read(iniPath); }
  // A settings file written on the fake window's screen.
  std::string SameDisplay() const { return "[display]\nresx=1280\nresy=1024\nppi=96\n"; }

  test::RecorderScope rec;
  TempDir dir;
  std::string iniPath = dir.File("quoxa.ini");
  test::ScopedEnv env{"QUOXA_INI", iniPath};
  FakeSettingsWindow window;
};

TEST_F(Settings, AMissingFileGivesTheDefaultsInTheReadingOrder) {
  ReadSettings(window);
  const std::vector<std::string> expected = {
      "PlaceGrids",
      "SetToolBarHidden 0,0",
      "SetAddressColumnHidden 0,0",
      "ApplyFont Courier New",
      "SetGridSize 17,19",
      "MoveWindow " + std::to_string((1280 - (100 + 17 * 30)) / 2) + "," + std::to_string((1024 - (120 + 19 * 16)) / 2) +
          " frame 0,0",
      "SetOverwriteMode 1",
      "SetTextMode 1",
      "UseBuiltinConversionTable",
  };
  EXPECT_EQ(window.log, expected);
  EXPECT_TRUE(rec.messages.shown.empty());
  const TOptions& o = Options();
  EXPECT_FALSE(o.TextGridLeft);
  EXPECT_EQ(o.Font, "Courier New");
  EXPECT_EQ(o.ByteOrder, 0);
  EXPECT_EQ(o.ColorBlock, 255u);
  EXPECT_TRUE(o.FindHex);
  EXPECT_TRUE(o.ReplaceHex);
  EXPECT_FALSE(o.InsHex);
  EXPECT_EQ(o.GotoMode, 0);
  EXPECT_EQ(o.EncodeAs, 0);
  EXPECT_EQ(o.EncodeWhere, 0);
  EXPECT_FALSE(o.OldFileTime);
  EXPECT_FALSE(o.NewEOF);
  EXPECT_EQ(o.CurrentDir, HomeDirectory());
  EXPECT_EQ(o.ConvTable, "");
  EXPECT_EQ(Search().JokerByte, 0x2E);
  EXPECT_TRUE(Search().CaseSensitive);
  EXPECT_FALSE(Search().JokerEnabled);
  EXPECT_TRUE(Search().SearchDown);
  EXPECT_TRUE(Search().FromCursor);
  EXPECT_EQ(Doc().BaseAddress, 0);
  EXPECT_TRUE(Doc().OverwriteMode);
  EXPECT_TRUE(Doc().TextMode);
}

TEST_F(Settings, OnTheSameDisplayPlacementGridAndFontSizeAreRead) {
  WriteIni(SameDisplay() +
           "[TFormMain]\nTop=111\nLeft=222\nWindowState=2\nFrameLeft=1\nFrameTop=20\n"
           "[Options]\nCols=32\nRows=24\nFontSize=12\nFont=DejaVu Sans Mono\nHideToolBar=1\nHideAddressRange=1\n"
           "TextGridLeft=1\n");
  ReadSettings(window);
  const std::vector<std::string> expected = {
      "PlaceGrids",         "MoveWindow 222,111 frame 1,20", "SetWindowState 2",
      "SetToolBarHidden 1,0", "SetAddressColumnHidden 1,0", "ApplyFont DejaVu Sans Mono",
      "ApplyFontSize 12",   "SetGridSize 32,24",       "SetOverwriteMode 1",
      "SetTextMode 1",      "UseBuiltinConversionTable",
  };
  EXPECT_EQ(window.log, expected);
  EXPECT_TRUE(Options().TextGridLeft);
  EXPECT_TRUE(Options().HideToolBar);
  EXPECT_TRUE(Options().HideAddressRange);
  EXPECT_EQ(Doc().BytesPerRow, 32);
  EXPECT_EQ(Doc().VisibleRows, 24);
}

TEST_F(Settings, AnotherScreenIgnoresPlacementSizeAndFontSizeButKeepsTheFontName) {
  WriteIni("[display]\nresx=1280\nresy=1024\nppi=120\n"
           "[TFormMain]\nTop=111\nLeft=222\nWindowState=2\n"
           "[Options]\nCols=32\nRows=24\nFontSize=12\nFont=DejaVu Sans Mono\n");
  window.fontSize = 9;
  ReadSettings(window);
  EXPECT_EQ(window.fontName, "DejaVu Sans Mono");
  EXPECT_EQ(window.fontSize, 9);
  EXPECT_EQ(Doc().BytesPerRow, 17);
  EXPECT_EQ(Doc().VisibleRows, 19);
  EXPECT_EQ(window.state, 0);
  EXPECT_EQ(window.left, (1280 - window.width) / 2);
  EXPECT_EQ(window.top, (1024 - window.height) / 2);
  for (const auto& call : window.log) EXPECT_NE(call.rfind("ApplyFontSize", 0), 0u) << call;
}

TEST_F(Settings, AMinimisedStateInTheFileLeavesTheWindowAsItIs) {
  WriteIni(SameDisplay() + "[TFormMain]\nWindowState=1\n");
  window.state = 0;
  ReadSettings(window);
  EXPECT_EQ(window.state, 0);
  for (const auto& call : window.log) EXPECT_NE(call.rfind("SetWindowState", 0), 0u) << call;
}

TEST_F(Settings, BaseAddressIsZeroOrOne) {
  WriteIni("[Options]\nBaseAdress=5\n");
  ReadSettings(window);
  EXPECT_EQ(Doc().BaseAddress, 0);
  WriteIni("[Options]\nBaseAdress=0x1\n");
  ReadSettings(window);
  EXPECT_EQ(Doc().BaseAddress, 1);
  WriteIni("[Options]\nBaseAdress=-1\n");
  ReadSettings(window);
  EXPECT_EQ(Doc().BaseAddress, 0);
}

TEST_F(Settings, JokerHexTakesItsFirstTwoHexDigits) {
  EXPECT_EQ(JokerByteFromText(""), 0x2E);
  EXPECT_EQ(JokerByteFromText("4"), 0x2E);
  EXPECT_EQ(JokerByteFromText("41xyz"), 0x41);
  EXPECT_EQ(JokerByteFromText("ff"), 0xFF);
  EXPECT_EQ(JokerByteFromText("zz"), 0x2E);
  EXPECT_EQ(JokerByteFromText("4z"), 0x2E);
  WriteIni("[Options]\nJokerHex=41xyz\nJokerFind=1\n");
  ReadSettings(window);
  EXPECT_EQ(Search().JokerByte, 0x41);
  EXPECT_TRUE(Search().JokerEnabled);
  WriteIni("[Options]\nJokerHex=zz\nCaseSensitive=0\n");
  ReadSettings(window);
  EXPECT_EQ(Search().JokerByte, 0x2E);
  // The keys after a bad joker are still read.
  EXPECT_FALSE(Search().CaseSensitive);
}

TEST_F(Settings, InsertModeFromTheFileSwitchesTheEditor) {
  WriteIni("[Options]\nOverwrite=0\nModusText=0\nScope=0\nFindDown=0\n");
  ReadSettings(window);
  EXPECT_FALSE(Doc().OverwriteMode);
  EXPECT_FALSE(Doc().TextMode);
  EXPECT_FALSE(Search().FromCursor);
  EXPECT_FALSE(Search().SearchDown);
  EXPECT_NE(std::find(window.log.begin(), window.log.end(), "SetOverwriteMode 0"), window.log.end());
}

TEST_F(Settings, AConversionTableThatCannotBeLoadedFallsBackToTheBuiltInOne) {
  WriteIni("[Options]\nConvTable=/somewhere/tables/ebcdic.qct\n");
  window.tableLoads = false;
  ReadSettings(window);
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{"Error reading\nebcdic.qct"});
  EXPECT_EQ(rec.messages.shown[0].type, MsgType::Error);
  EXPECT_EQ(Options().ConvTable, "");
  ASSERT_GE(window.log.size(), 2u);
  EXPECT_EQ(window.log[window.log.size() - 2], "LoadConversionTable /somewhere/tables/ebcdic.qct");
  EXPECT_EQ(window.log.back(), "UseBuiltinConversionTable");

  window.tableLoads = true;
  window.log.clear();
  ReadSettings(window);
  EXPECT_EQ(Options().ConvTable, "/somewhere/tables/ebcdic.qct");
  EXPECT_EQ(window.log.back(), "LoadConversionTable /somewhere/tables/ebcdic.qct");
}

TEST_F(Settings, DamagedValuesStayWithinWhatTheEditorCanShow) {
  WriteIni(SameDisplay() +
           "[Options]\nCols=100000\nRows=-3\nFontSize=500\nGotoMode=7\nEncodeAs=-1\nEncodeWhere=3\nByteOrder=2\n"
           "Font=\n");
  ReadSettings(window);
  EXPECT_EQ(Doc().BytesPerRow, window.maxCols);
  EXPECT_EQ(Doc().VisibleRows, kMinGridCells);
  EXPECT_EQ(window.fontSize, kMaxFontSize);
  EXPECT_EQ(window.fontName, "Courier New");
  EXPECT_EQ(Options().GotoMode, 0);
  EXPECT_EQ(Options().EncodeAs, 0);
  EXPECT_EQ(Options().EncodeWhere, 0);
  EXPECT_EQ(Options().ByteOrder, 0);
}

TEST_F(Settings, RandomGarbageStartsWithDefaultsAndNoMessage) {
  std::mt19937 random(99);
  for (int round = 0; round < 50; ++round) {
    std::string contents = "[Options]\n";
    for (int i = 0; i < 400; ++i) contents += static_cast<char>(random() % 256);
    WriteIni(contents);
    FakeSettingsWindow fresh;
    ReadSettings(fresh);
    ASSERT_GE(Doc().BytesPerRow, kMinGridCells);
    ASSERT_LE(Doc().BytesPerRow, fresh.maxCols);
    ASSERT_TRUE(Doc().BaseAddress == 0 || Doc().BaseAddress == 1);
  }
}

TEST_F(Settings, WriteSettingsWritesEveryKeyInItsOrder) {
  window.left = 12;
  window.top = 34;
  window.frameLeft = 1;
  window.frameTop = 20;
  window.state = 2;
  window.fontName = "DejaVu Sans Mono";
  window.fontSize = 10;
  SetPageGeometry(20, 25);
  Options().TextGridLeft = true;
  Options().ColorBlock = 0x808000;
  Options().CurrentDir = "/home/user/data";
  Options().ConvTable = "/home/user/t.qct";
  Options().GotoMode = 2;
  Search().JokerByte = 0xAB;
  Search().CaseSensitive = false;
  Doc().BaseAddress = 1;
  Doc().OverwriteMode = false;
  Doc().TextMode = true;
  ASSERT_TRUE(WriteSettings(window));
  EXPECT_EQ(IniText(),
            "[display]\nresx=1280\nresy=1024\nppi=96\n\n"
            "[TFormMain]\nTop=34\nLeft=12\nWindowState=2\nFrameLeft=1\nFrameTop=20\n\n"
            "[Options]\n"
            "Cols=20\nRows=25\nTextGridLeft=1\nHideToolBar=0\nFont=DejaVu Sans Mono\nFontSize=10\n"
            "ByteOrder=0\nColorBlock=8421376\nJokerHex=AB\nFindHex=1\nReplaceHex=1\nInsHex=0\n"
            "CaseSensitive=0\nJokerFind=0\nRegularExpression=0\nFindDown=1\nGotoMode=2\nBaseAdress=1\n"
            "EncodeAs=0\nEncodeWhere=0\nOldFileTime=0\nNewEOF=0\nCurrentDir=/home/user/data\nOverwrite=0\n"
            "ModusText=1\nScope=1\nConvTable=/home/user/t.qct\nHideAddressRange=0\nUndoLimitMB=256\n");
  EXPECT_TRUE(rec.messages.shown.empty());
}

TEST_F(Settings, UndoLimitMBOfZeroTurnsTheJournalOff) {
  struct Case {
    const char* value;
    int32_t limit;
    bool undoable;
  };
  for (const Case& c : {Case{"0", 0, false}, Case{"64", 64, true}, Case{"-5", 256, true},
                        Case{"x", 256, true}, Case{"2000000", 1 << 20, true}}) {
    SCOPED_TRACE(c.value);
    WriteIni(std::string("[Options]\nUndoLimitMB=") + c.value + "\n");
    rec.view.notes.clear();
    ReadSettings(window);
    EXPECT_EQ(Options().UndoLimitMB, c.limit);
    test::LoadDocument("abc");
    Doc().Journal.Reset();

    EXPECT_TRUE(SpliceBytes(2, 1, "XY"));

    EXPECT_EQ(test::DocumentBytes(), "aXYc");
    EXPECT_EQ(Doc().Journal.CanUndo(), c.undoable);
    EXPECT_TRUE(rec.view.notes.empty()) << "an edit is no failure of the journal";
    ASSERT_TRUE(WriteSettings(window));
    EXPECT_NE(IniText().find("UndoLimitMB=" + std::to_string(c.limit) + "\n"), std::string::npos);
  }
}

TEST_F(Settings, WrittenSettingsReadBackAfterARestart) {
  window.fontName = "Noto Sans Mono";
  window.fontSize = 14;
  window.left = 5;
  window.top = 6;
  SetPageGeometry(24, 30);
  Options().HideAddressRange = true;
  Options().ColorBlock = 0x80000017u;
  Options().NewEOF = true;
  Search().JokerByte = 0x00;
  Doc().BaseAddress = 1;
  Doc().TextMode = false;
  ASSERT_TRUE(WriteSettings(window));

  Options() = TOptions{};
  Search() = SearchState{};
  Doc().BaseAddress = 0;
  Doc().TextMode = true;
  FakeSettingsWindow restarted;
  ReadSettings(restarted);
  EXPECT_EQ(restarted.fontName, "Noto Sans Mono");
  EXPECT_EQ(restarted.fontSize, 14);
  EXPECT_EQ(restarted.left, 5);
  EXPECT_EQ(restarted.top, 6);
  EXPECT_EQ(Doc().BytesPerRow, 24);
  EXPECT_EQ(Doc().VisibleRows, 30);
  EXPECT_TRUE(Options().HideAddressRange);
  EXPECT_EQ(Options().ColorBlock, 0x80000017u);
  EXPECT_TRUE(Options().NewEOF);
  EXPECT_EQ(Search().JokerByte, 0x00);
  EXPECT_EQ(Doc().BaseAddress, 1);
  EXPECT_FALSE(Doc().TextMode);
}

TEST_F(Settings, AllKeysGoOutInOneWriteAndAFailedOneLeavesTheFileAsItWas) {
  const std::string before = "[Options]\nCols=40\nRows=40\nFont=Old Font\nHideAddressRange=1\n[MRU Files]\n0=/data/a.bin\n";
  WriteIni(before);
  SetPageGeometry(20, 25);
  int writes = 0;
  InstallIniReplacer([&](const std::string&, const std::string&) { return ++writes > 1; });

  EXPECT_FALSE(WriteSettings(window));
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{"Error writing " + iniPath});
  EXPECT_EQ(IniText(), before);

  rec.messages.shown.clear();
  EXPECT_TRUE(WriteSettings(window));
  EXPECT_EQ(writes, 2) << "one replacement of the file per WriteSettings";
  EXPECT_TRUE(rec.messages.shown.empty());
}

TEST_F(Settings, ASettingsFileThatCannotBeWrittenGivesOneMessage) {
  const std::string blocker = dir.Write("blocker", "not a folder");
  test::ScopedEnv unwritable("QUOXA_INI", blocker + "/quoxa.ini");
  ReadSettings(window);
  EXPECT_TRUE(rec.messages.shown.empty());
  EXPECT_FALSE(WriteSettings(window));
  EXPECT_EQ(rec.messages.Texts(),
            std::vector<std::string>{"Error writing " + blocker + "/quoxa.ini"});
  EXPECT_EQ(TempDir::Read(blocker), "not a folder");
}

TEST_F(Settings, TheProgramFolderIsMadeForTheUserWhenAFileDialogNeedsIt) {
  const std::string folder = dir / "new/quoxa";
  test::ScopedEnv elsewhere("QUOXA_INI", folder + "/quoxa.ini");
  EXPECT_EQ(MakeProgramDirectory(), folder);
  struct stat st {};
  ASSERT_EQ(stat(folder.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(MakeProgramDirectory(), folder);
}

TEST(SettingsPath, TheEnvironmentChoosesTheFileAndTheProgramFolderFollowsIt) {
  {
    test::ScopedEnv env("QUOXA_INI", "/tmp/some where/my.ini");
    EXPECT_EQ(SettingsFilePath(), "/tmp/some where/my.ini");
    EXPECT_EQ(ProgramDirectory(), "/tmp/some where");
  }
  {
    test::ScopedEnv env("QUOXA_INI", "");
    test::ScopedEnv config("XDG_CONFIG_HOME", "/tmp/cfg");
    EXPECT_EQ(SettingsFilePath(), "/tmp/cfg/quoxa/quoxa.ini");
    // A settings file already beside the program: portable use.
    const std::string portable = ExecutablePath() + ".ini";
    std::ofstream(portable) << "[Options]\n";
    EXPECT_EQ(SettingsFilePath(), portable);
    std::remove(portable.c_str());
  }
  {
    test::ScopedEnv home("HOME", "/home/someone");
    EXPECT_EQ(HomeDirectory(), "/home/someone");
  }
  EXPECT_EQ(DirectoryOf("/quoxa.ini"), "/");
  EXPECT_EQ(DirectoryOf("quoxa.ini"), ".");
}

TEST(SettingsPath, WithoutAPortableFileTheSettingsGoToTheUsersConfiguration) {
  EXPECT_EQ(ChooseSettingsPath("", "/usr/bin/quoxa", false, "/home/u/.cfg", "/home/u"), "/home/u/.cfg/quoxa/quoxa.ini");
  EXPECT_EQ(ChooseSettingsPath("", "/usr/bin/quoxa", false, "", "/home/u"), "/home/u/.config/quoxa/quoxa.ini");
  // A relative XDG value is not valid and is ignored.
  EXPECT_EQ(ChooseSettingsPath("", "/usr/bin/quoxa", false, "cfg", "/home/u"), "/home/u/.config/quoxa/quoxa.ini");
  EXPECT_EQ(ChooseSettingsPath("", "/opt/q/quoxa", true, "/x", "/home/u"), "/opt/q/quoxa.ini");
  EXPECT_EQ(ChooseSettingsPath("/t/a.ini", "/opt/q/quoxa", true, "/x", "/home/u"), "/t/a.ini");
  EXPECT_EQ(ChooseSettingsPath("", "", true, "", "/home/u"), "/home/u/.config/quoxa/quoxa.ini");
}

}  // namespace
}  // namespace quoxa
