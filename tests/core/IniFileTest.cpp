#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <random>

#include "TempDir.h"
#include "settings/IniFile.h"

namespace quoxa {
namespace {

using test::TempDir;

class IniFile : public ::testing::Test {
 protected:
  void TearDown() override { InstallIniReplacer(nullptr); }

  TIniFile Make(const std::string& contents) { return TIniFile(dir.Write("s.ini", contents)); }
  std::string Contents() const { return TempDir::Read(dir.File("s.ini")); }

  TempDir dir;
};

TEST_F(IniFile, MissingFileOrKeyGivesTheDefault) {
  const TIniFile ini(dir.File("none.ini"));
  EXPECT_EQ(ini.ReadString("Options", "Font", "Courier New"), "Courier New");
  EXPECT_EQ(ini.ReadInteger("Options", "Cols", 17), 17);
  EXPECT_TRUE(ini.ReadBool("Options", "FindHex", true));
  EXPECT_TRUE(ini.ReadSection("Options").empty());
  const TIniFile other = Make("[Options]\nCols=20\n");
  EXPECT_EQ(other.ReadInteger("Options", "Rows", 19), 19);
  EXPECT_EQ(other.ReadInteger("Printing", "Cols", 3), 3);
}

TEST_F(IniFile, SectionsAndKeysIgnoreCaseAndTheFirstOccurrenceWins) {
  const TIniFile ini = Make(
      "[OPTIONS]\n"
      "cols=20\n"
      "COLS=30\n"
      "[options]\n"
      "Cols=40\n"
      "Rows=25\n");
  EXPECT_EQ(ini.ReadInteger("Options", "Cols", 0), 20);
  // A key only in the second copy of a section is not seen.
  EXPECT_EQ(ini.ReadInteger("Options", "Rows", 19), 19);
  EXPECT_TRUE(ini.KeyExists("oPtIoNs", "cOlS"));
}

TEST_F(IniFile, ValuesAreReadRawWithoutSurroundingBlanks) {
  const TIniFile ini = Make("[H]\n 0 =  \"  x  \"  \nA=a=b\nQ=\"q\"\nE=\n");
  EXPECT_EQ(ini.ReadString("H", "0", ""), "\"  x  \"");
  EXPECT_EQ(ini.ReadString("H", "A", ""), "a=b");
  EXPECT_EQ(ini.ReadString("H", "Q", ""), "\"q\"");
  EXPECT_EQ(ini.ReadString("H", "E", "default"), "");
}

TEST_F(IniFile, ValuesAreCutAtTheBufferSizeAndAtNul) {
  const std::string longValue(5000, 'v');
  const TIniFile ini = Make("[S]\nLong=" + longValue + "\nNul=ab" + std::string(1, '\0') + "cd\n");
  EXPECT_EQ(ini.ReadString("S", "Long", ""), std::string(kIniValueMax, 'v'));
  EXPECT_EQ(ini.ReadString("S", "Nul", ""), "ab");
}

TEST_F(IniFile, IntegersFollowTheHexRuleAndFallBackWhenInvalid) {
  EXPECT_EQ(ParseProfileInt("0x1F", 7), 31);
  EXPECT_EQ(ParseProfileInt("0X1f", 7), 31);
  EXPECT_EQ(ParseProfileInt("0x1", 7), 1);
  EXPECT_EQ(ParseProfileInt("0x", 7), 7);  // two characters only: not hex, not decimal
  EXPECT_EQ(ParseProfileInt("0xFFFFFFFF", 7), -1);
  EXPECT_EQ(ParseProfileInt("0x100000000", 7), 7);
  EXPECT_EQ(ParseProfileInt("0x1G", 7), 7);
  EXPECT_EQ(ParseProfileInt("42", 7), 42);
  EXPECT_EQ(ParseProfileInt("-42", 7), -42);
  EXPECT_EQ(ParseProfileInt("+5", 7), 5);
  EXPECT_EQ(ParseProfileInt("2147483647", 7), 2147483647);
  EXPECT_EQ(ParseProfileInt("-2147483648", 7), INT32_MIN);
  EXPECT_EQ(ParseProfileInt("2147483648", 7), 7);
  EXPECT_EQ(ParseProfileInt("99999999999999999999999", 7), 7);
  EXPECT_EQ(ParseProfileInt("12abc", 7), 7);
  EXPECT_EQ(ParseProfileInt("", 7), 7);
  EXPECT_EQ(ParseProfileInt("-", 7), 7);
  EXPECT_EQ(ParseProfileInt("1 2", 7), 7);
}

TEST_F(IniFile, BooleansAreIntegersAndAnyNonZeroIsTrue) {
  const TIniFile ini = Make("[B]\nA=0\nB=1\nC=5\nD=-1\nE=yes\nF=0x0\n");
  EXPECT_FALSE(ini.ReadBool("B", "A", true));
  EXPECT_TRUE(ini.ReadBool("B", "B", false));
  EXPECT_TRUE(ini.ReadBool("B", "C", false));
  EXPECT_TRUE(ini.ReadBool("B", "D", false));
  EXPECT_TRUE(ini.ReadBool("B", "E", true));
  EXPECT_FALSE(ini.ReadBool("B", "E", false));
  EXPECT_FALSE(ini.ReadBool("B", "F", true));
}

TEST_F(IniFile, SectionListingKeepsFileOrderAndItsByteLimit) {
  std::string contents = "[Big]\n";
  for (int i = 0; i < 1000; ++i) contents += "key" + std::to_string(100000 + i) + "=v" + std::to_string(i) + "\n";
  contents += "[Small]\nz=1\na=2\nnot a key\nm=3\n";
  const TIniFile ini = Make(contents);
  // Each name takes its length plus a terminator, and the list ends with one more.
  const auto keys = ini.ReadSection("Big");
  ASSERT_EQ(keys.size(), (kIniKeyListMax - 1) / 10);
  EXPECT_EQ(keys.front(), "key100000");
  EXPECT_EQ(keys.back(), "key100818");
  EXPECT_EQ(ini.ReadSection("small"), (std::vector<std::string>{"z", "a", "m"}));
  const auto pairs = ini.ReadSectionValues("Small");
  ASSERT_EQ(pairs.size(), 3u);
  EXPECT_EQ(pairs[1].first, "a");
  EXPECT_EQ(pairs[1].second, "2");
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Big", "Small"}));
}

TEST_F(IniFile, WritesUpdateInPlaceAndKeepEveryOtherLine) {
  TIniFile ini = Make(
      "; my comment\n"
      "[Options]\n"
      "Cols = 20\n"
      "odd line\n"
      "Rows=19\n"
      "\n"
      "[Other]\n"
      "X=1\n");
  ASSERT_TRUE(ini.WriteInteger("options", "COLS", 33));
  ASSERT_TRUE(ini.WriteString("Options", "Font", "Courier New"));
  ASSERT_TRUE(ini.WriteString("Third", "Y", "2"));
  EXPECT_EQ(Contents(),
            "; my comment\n"
            "[Options]\n"
            "Cols=33\n"
            "odd line\n"
            "Rows=19\n"
            "Font=Courier New\n"
            "\n"
            "[Other]\n"
            "X=1\n"
            "\n"
            "[Third]\n"
            "Y=2\n");
}

TEST_F(IniFile, WritingCreatesTheFileAndKeepsWindowsLineEnds) {
  TIniFile fresh(dir.File("sub/new.ini"));
  ASSERT_TRUE(fresh.WriteBool("S", "K", true));
  EXPECT_EQ(TempDir::Read(dir.File("sub/new.ini")), "[S]\nK=1\n");
  TIniFile crlf = Make("[S]\r\nA=1\r\n");
  ASSERT_TRUE(crlf.WriteInteger("S", "A", 2));
  ASSERT_TRUE(crlf.WriteInteger("S", "B", 3));
  EXPECT_EQ(Contents(), "[S]\r\nA=2\r\nB=3\r\n");
  EXPECT_EQ(crlf.ReadInteger("S", "A", 0), 2);
}

TEST_F(IniFile, AByteOrderMarkIsSkippedOnReadingAndKeptOnWriting) {
  const std::string bom = "\xEF\xBB\xBF";
  struct Case {
    const char* what;
    std::string before;
    int cols;
    size_t sections;
    std::string after;
  };
  const Case cases[] = {
      {"LF", bom + "[Options]\nCols=20\n[display]\nresx=1\n", 20, 2,
       bom + "[Options]\nCols=20\nRows=5\n[display]\nresx=1\n"},
      {"CRLF", bom + "[Options]\r\nCols=20\r\n", 20, 1, bom + "[Options]\r\nCols=20\r\nRows=5\r\n"},
      {"a mark alone", bom, 17, 0, bom + "[Options]\nRows=5\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TIniFile ini = Make(c.before);
    EXPECT_EQ(ini.ReadInteger("Options", "Cols", 17), c.cols);
    EXPECT_EQ(ini.ReadSections().size(), c.sections);
    EXPECT_TRUE(ini.WriteInteger("Options", "Rows", 5));
    EXPECT_EQ(Contents(), c.after);
  }
}

TEST_F(IniFile, LineBreaksInValuesCannotAddKeys) {
  TIniFile ini = Make("[H]\n");
  ASSERT_TRUE(ini.WriteString("H", "0", "a\n[Options]\nCols=99\rb"));
  EXPECT_EQ(ini.ReadString("H", "0", ""), "a [Options] Cols=99 b");
  EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{"H"});
}

TEST_F(IniFile, EraseSectionRemovesEveryCopyAndNothingElse) {
  TIniFile ini = Make("[A]\n0=x\n[B]\nk=v\n[a]\n1=y\n\n[C]\nc=1\n");
  ASSERT_TRUE(ini.EraseSection("A"));
  EXPECT_EQ(Contents(), "[B]\nk=v\n\n[C]\nc=1\n");
  ASSERT_TRUE(ini.EraseSection("C"));
  ASSERT_TRUE(ini.DeleteKey("B", "K"));
  EXPECT_EQ(Contents(), "[B]\n");
}

TEST_F(IniFile, ErasingWhatIsNotThereWritesNothing) {
  TIniFile ini(dir.File("absent.ini"));
  EXPECT_TRUE(ini.EraseSection("A"));
  EXPECT_TRUE(ini.DeleteKey("A", "k"));
  EXPECT_FALSE(std::filesystem::exists(dir.File("absent.ini")));
}

TEST_F(IniFile, AFailedWriteLeavesTheFileAsItWas) {
  TIniFile ini = Make("[S]\nA=1\n");
  InstallIniReplacer([](const std::string&, const std::string&) { return false; });
  EXPECT_FALSE(ini.WriteInteger("S", "A", 2));
  EXPECT_EQ(Contents(), "[S]\nA=1\n");
}

TEST_F(IniFile, WritingBelowAFileThatIsNoFolderFails) {
  const std::string notAFolder = dir.Write("plain", "x");
  TIniFile ini(notAFolder + "/quoxa.ini");
  EXPECT_FALSE(ini.WriteInteger("S", "A", 1));
  EXPECT_EQ(ini.ReadInteger("S", "A", 5), 5);
}

TEST_F(IniFile, ReplacementLeavesNoTemporaryFilesAndKeepsTheMode) {
  TIniFile ini = Make("[S]\nA=1\n");
  ::chmod(dir.File("s.ini").c_str(), 0600);
  ASSERT_TRUE(ini.WriteInteger("S", "A", 2));
  struct stat st {};
  ASSERT_EQ(::stat(dir.File("s.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(IniFile, WritingThroughASymbolicLinkKeepsTheLink) {
  const std::string real = dir.Write("real.ini", "[S]\nA=1\n");
  std::filesystem::create_symlink(real, dir.File("link.ini"));
  TIniFile ini(dir.File("link.ini"));
  ASSERT_TRUE(ini.WriteInteger("S", "A", 2));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.ini")));
  EXPECT_EQ(TempDir::Read(real), "[S]\nA=2\n");
}

TEST_F(IniFile, AnOversizedFileIsNeitherReadNorRewritten) {
  std::string huge = "[S]\nA=1\n";
  huge += std::string(kIniFileMax, ';');
  TIniFile ini = Make(huge);
  EXPECT_EQ(ini.ReadInteger("S", "A", 9), 9);
  EXPECT_FALSE(ini.WriteInteger("S", "A", 2));
  EXPECT_EQ(Contents().size(), huge.size());
}

TEST_F(IniFile, GarbageContentsGiveDefaultsAndSurviveAWrite) {
  std::string garbage = "\xff\xfe[Opt\x01ions\n";
  garbage += std::string(100000, 'x') + "\n";
  garbage += "[Options]\n";
  garbage += "no equals sign here\n";
  garbage += std::string(100000, 'k') + "=" + std::string(100000, 'v') + "\n";
  garbage += "Cols=2" + std::string(1, '\0') + "5\n";
  garbage += "=value without key\n";
  garbage += "[\n[]\n]]]\n";
  TIniFile ini = Make(garbage);
  EXPECT_EQ(ini.ReadInteger("Options", "Cols", 17), 2);  // the value ends at its NUL
  EXPECT_EQ(ini.ReadInteger("Options", "Rows", 19), 19);
  EXPECT_EQ(ini.ReadString("Options", std::string(100000, 'k'), "").size(), kIniValueMax);
  ASSERT_TRUE(ini.WriteInteger("Options", "Rows", 30));
  EXPECT_EQ(ini.ReadInteger("Options", "Rows", 19), 30);
  const std::string after = Contents();
  EXPECT_NE(after.find(std::string(100000, 'x')), std::string::npos);
  EXPECT_NE(after.find("no equals sign here"), std::string::npos);
}

TEST_F(IniFile, RandomBytesNeverBreakReadingOrWriting) {
  std::mt19937 random(12345);
  const std::string alphabet = "[]=;\r\n \tOptionsColsabc0x19\"";
  for (int round = 0; round < 200; ++round) {
    std::string contents;
    const int length = static_cast<int>(random() % 600);
    for (int i = 0; i < length; ++i) {
      contents += (random() % 3 == 0) ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];
    }
    TIniFile ini = Make(contents);
    (void)ini.ReadInteger("Options", "Cols", 17);
    (void)ini.ReadSectionValues("Options");
    (void)ini.ReadSections();
    ASSERT_TRUE(ini.WriteString("Options", "Font", "Mono " + std::to_string(round)));
    ASSERT_EQ(ini.ReadString("Options", "Font", ""), "Mono " + std::to_string(round)) << "round " << round;
    ASSERT_TRUE(ini.EraseSection("Options"));
    ASSERT_EQ(ini.ReadString("Options", "Font", "gone"), "gone") << "round " << round;
  }
}

}  // namespace
}  // namespace quoxa

namespace quoxa {
namespace {

TEST_F(IniFile, ABatchPutsAllItsWritesInPlaceAtOnce) {
  TIniFile ini = Make("[S]\nA=1\n");
  int writes = 0;
  bool fail = false;
  InstallIniReplacer([&](const std::string& path, const std::string& contents) {
    ++writes;
    return !fail && ReplaceFileAtomically(path, contents);
  });
  {
    TIniBatch batch(ini.Path());
    TIniBatch elsewhere(dir.File("other.ini"));  // another file: no part of it
    ASSERT_TRUE(ini.WriteInteger("S", "A", 2));
    ASSERT_TRUE(ini.WriteString("T", "k", "v"));
    {
      TIniBatch joined(ini.Path());
      ASSERT_TRUE(ini.EraseSection("T"));
      ASSERT_TRUE(ini.WriteString("T", "k", "w"));
      EXPECT_TRUE(joined.Done());  // the commit stays with the batch's beginner
    }
    EXPECT_EQ(ini.ReadInteger("S", "A", 0), 2) << "reads see the batch";
    EXPECT_EQ(Contents(), "[S]\nA=1\n") << "nothing on the disk before the commit";
    EXPECT_TRUE(batch.Commit());
    EXPECT_EQ(writes, 1);
    ASSERT_TRUE(ini.WriteInteger("S", "A", 3));  // after the commit: straight to the file
    EXPECT_EQ(writes, 2);
  }
  EXPECT_EQ(Contents(), "[S]\nA=3\n\n[T]\nk=w\n");

  // A batch that only reads leaves even a file without a last line break alone.
  dir.Write("s.ini", "[S]\nA=3\n\n[T]\nk=w");
  {
    TIniBatch reading(ini.Path());
    EXPECT_EQ(ini.ReadString("T", "k", ""), "w");
  }
  EXPECT_EQ(Contents(), "[S]\nA=3\n\n[T]\nk=w");
  EXPECT_EQ(writes, 2);
  dir.Write("s.ini", "[S]\nA=3\n\n[T]\nk=w\n");

  // A write that changes nothing leaves the file alone, also as a batch.
  EXPECT_TRUE(ini.WriteInteger("S", "A", 3));
  {
    TIniBatch batch(ini.Path());
    ASSERT_TRUE(ini.EraseSection("T"));
    ASSERT_TRUE(ini.WriteString("T", "k", "w"));
  }
  EXPECT_EQ(writes, 2);

  // A batch that cannot be put in place leaves the file as it was.
  fail = true;
  TIniBatch batch(ini.Path());
  ASSERT_TRUE(ini.WriteInteger("S", "A", 4));
  EXPECT_FALSE(batch.Commit());
  EXPECT_EQ(Contents(), "[S]\nA=3\n\n[T]\nk=w\n");
  EXPECT_EQ(ini.ReadInteger("S", "A", 0), 3);
}

}  // namespace
}  // namespace quoxa
