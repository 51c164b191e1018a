// Undo and redo against copies kept by the test: random sequences of every editing command,
// then undo to the start and redo to the end, comparing the bytes at every step.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "FakeClipboard.h"
#include "FakeGrids.h"
#include "Recorders.h"
#include "TempDir.h"
#include "TestDocument.h"
#include "core/Block.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/FileIo.h"
#include "core/Journal.h"
#include "core/Navigation.h"
#include "core/Primitives.h"
#include "script/ScriptFile.h"
#include "script/ScriptInterpreter.h"
#include "script/ScriptRun.h"
#include "edit/BlockCommands.h"
#include "edit/ClipboardCommands.h"
#include "edit/ClipboardFormat.h"
#include "edit/InsertString.h"
#include "search/RegexEngine.h"
#include "search/Replace.h"
#include "search/SearchState.h"
#include "tools/BitManipulation.h"
#include "tools/ExePatch.h"
#include "tools/NumberCommands.h"
#include "widgets/HexString.h"
#include "tools/CompareCopy.h"
#include "tools/ConversionTable.h"
#include "ui/main/DocumentCommands.h"

namespace quoxa {
namespace {

class UndoDifferential : public ::testing::Test {
 protected:
  using Op = std::function<void()>;

  int64_t Pos(int64_t extra = 0) {
    const int64_t high = std::max<int64_t>(1, Doc().DocSize + extra);
    return std::uniform_int_distribution<int64_t>(1, high)(rng);
  }
  int Any(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
  std::string Bytes(int maxLength) {
    std::string s(static_cast<size_t>(Any(maxLength) + 1), '\0');
    // Mostly 'a' and 'b' in either case, so that searches find something.
    for (char& c : s) c = Any(4) == 0 ? static_cast<char>(Any(256)) : static_cast<char>("abAB"[Any(4)]);
    return s;
  }
  void Key(GridKey key) {
    keys.KeyDown(key, false, false);
    keys.KeyUp(key, false);
    keys.RunPostedKeys();
  }
  void Type(const std::string& text) {
    keys.KeyPress(text);
    keys.RunPostedKeys();
  }
  void SetReplace(int findLength, int replaceLength) {
    Search().FindString = Bytes(findLength).substr(0, static_cast<size_t>(findLength));
    Search().ReplaceString = replaceLength == 0 ? std::string() : Bytes(replaceLength);
    Search().CaseSensitive = Any(2) == 0;
  }

  // Every editing command as the user can give it, one step each.
  std::vector<std::pair<const char*, Op>> Commands() {
    return {
        {"type text",
         [&] {
           Doc().TextMode = true;
           Type(std::string(1, static_cast<char>('a' + Any(3))));
         }},
        {"type hex",
         [&] {
           Doc().TextMode = false;
           Type(Any(2) ? "4f" : "a0");
         }},
        {"Del", [&] { Key(GridKey::Delete); }},
        {"Backspace", [&] { Key(GridKey::Backspace); }},
        {"delete from cursor", [&] { DeleteFromCursor(); }},
        {"delete to cursor", [&] { DeleteToCursor(); }},
        {"insert file",
         [&] {
           const std::string bytes = Bytes(40);
           if (InsertFileAt(dir.Write("insert.bin", bytes), CursorAddress(), static_cast<int64_t>(bytes.size())) ==
               0) {
             Doc().Modified = true;
           }
         }},
        {"drop file with Ctrl",
         [&] { InsertFileBytes(dir.Write("dropped.bin", Bytes(40)), Pos(1)); }},
        {"replace",
         [&] {
           SetReplace(1 + Any(2), Any(3));
           ReplaceNext(Pos(), false);
         }},
        {"replace all equal",
         [&] {
           SetReplace(2, 2);
           ReplaceAll(Pos(), false);
         }},
        {"replace all shorter",
         [&] {
           SetReplace(2, Any(2));
           ReplaceAll(Pos(), false);
         }},
        {"replace all longer",
         [&] {
           SetReplace(1, 2 + Any(3));
           ReplaceAll(Pos(), false);
         }},
        {"replace undo", [&] { UndoReplacement(); }},
        {"regex replace all",
         [&] {
           // Growing, shrinking and empty matches in one pass.
           const char* patterns[] = {"a+", "(b)|x*", "(?i)ab"};
           const char* replacements[] = {"$1$1", "", "[$0]"};
           Search().FindString = patterns[Any(3)];
           Search().ReplaceString = replacements[Any(3)];
           RegexReplaceAll(Pos());
         }},
        {"regex replace",
         [&] {
           Search().FindString = Any(2) ? "b+" : "(a)(b)?";
           Search().ReplaceString = Any(2) ? "$2$1" : "";
           RegexReplaceNext(Pos(), false);
         }},
        {"insert bytes", [&] { InsertBytes(Pos(1), 1 + Any(3), Bytes(5)); }},
        {"overwrite bytes",
         [&] {
           const int64_t pos = Pos();
           OverwriteBytes(pos, Bytes(5).substr(0, static_cast<size_t>(std::max<int64_t>(0, Doc().DocSize - pos + 1))));
         }},
        {"cut",
         [&] {
           test::FakeClipboard clip;
           const int64_t begin = Pos();
           if (Doc().DocSize > 0) RestoreBlock(begin, begin + Any(Doc().DocSize - begin + 1));
           CutOrCopy(true);
         }},
        {"paste",
         [&] {
           test::FakeClipboard clip;
           const std::string bytes = Bytes(6);
           clip.Put({{Any(2) ? ClipFormat::Text : ClipFormat::Private,
                      Any(2) ? bytes : EncodePrivate(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())}});
           PasteFromClipboard();
         }},
        {"paste hex",
         [&] {
           test::FakeClipboard clip;
           clip.PutText(BytesToHexString(Bytes(5), true));
           PasteFromHexString();
         }},
        {"character conversion",
         [&] {
           ConversionTable = IdentityTable();
           for (int k = 0; k < 3; ++k) ConversionTable[static_cast<size_t>(Any(256))] = static_cast<uint8_t>(Any(256));
           // Two bytes onto one: undo cannot work them out from the table alone.
           ConversionTable['a'] = 'B';
           ConversionTable['b'] = 'B';
           ConversionTable['A'] = 'b';
           ApplyConversion(Pos());
         }},
        {"delete range",
         [&] {
           const int64_t pos = Pos();
           DeleteRange(pos, Any(Doc().DocSize - pos + 2));
         }},
        {"script run",
         [&] {
           static const char* const kLines[] = {"ADR+ 1",         "ADR 0",      "ADREOF",  "OVERWRITE 61 62",
                                                "INSERT 41 42",   "DEL 2",      "FIND 41", "REPLACE 61 BY 42 42",
                                                "REPLACEALL 62 BY 4", "REPLACEALL 41 BY 7A", "VERIFY 61 OR 41", "CHARCON"};
           std::string script;
           for (int k = Any(8); k >= 0; --k) script += std::string(kLines[Any(12)]) + "\n";
           TScriptInterpreter interpreter;
           ExecuteScript(interpreter, SplitScriptLines(script));
         }},
        {"encode number", [&] { WriteEncodedNumber(Bytes(8), static_cast<EncodeOutput>(Any(3))); }},
        {"data inspector edit",
         [&] {
           const auto row = static_cast<InspectorRow>(Any(kInspectorRowCount));
           static const char* const kValues[] = {
               "1", "-2", "$7F", "305419896", "0.5", "101", "U+1F600", "é", "2025-04-12 13:25:28",
               "{12345678-DEF0-9ABC-1122-334455667788}"};
           WriteInspectorValue(row, kValues[Any(10)], Any(2) == 0, '.');
         }},
        {"bit set",
         [&] {
           if (Doc().DocSize > 0) StoreBitsByte(GetByte(CursorAddress()), static_cast<uint8_t>(Any(256)));
         }},
        {"copy difference",
         [&] {
           // The other side: this document with a few edits, in either compare mode.
           std::string other = test::DocumentBytes();
           auto at = [&](size_t size) { return static_cast<size_t>(Any(static_cast<int>(size))); };
           for (int k = Any(3); k >= 0; --k) other.insert(at(other.size() + 1), Bytes(6));
           if (Any(2) == 0 && !other.empty()) other.erase(at(other.size()), 3);
           const std::span<const uint8_t> b(reinterpret_cast<const uint8_t*>(other.data()),
                                            other.size());
           const std::span<const uint8_t> a(Doc().DocBuffer, static_cast<size_t>(Doc().DocSize));
           const auto ranges = CompareBytes(a, b, Any(2) == 0);
           if (!ranges.empty()) CopyDifference(Doc(), b, ranges[at(ranges.size())], true);
         }},
        {"patch",
         [&] {
           if (Doc().DocSize > 6) InsertBytes(Pos(-5), 1, HexStringToBytes(kPatchFindHex, false));
           PatchExecutable();
         }},
        {"block copy",
         [&] {
           const int64_t b = Pos();
           RestoreBlock(b, std::min(Doc().DocSize, b + Any(8)));
           BlockCopyClick(Cmd::BlockCopy);
         }},
        {"block copy/overwrite",
         [&] {
           const int64_t b = Pos();
           RestoreBlock(b, std::min(Doc().DocSize, b + Any(8)));
           BlockCopyClick(Cmd::BlockCopyOverwrite);
         }},
        {"block move",
         [&] {
           const int64_t b = Pos();
           RestoreBlock(b, std::min(Doc().DocSize, b + Any(30)));
           BlockCopyClick(Cmd::BlockMove);
         }},
        {"block delete",
         [&] {
           const int64_t b = Pos();
           RestoreBlock(b, std::min(Doc().DocSize, b + Any(10)));
           DeleteBlock();
         }},
        {"insert string",
         [&] {
           InsCheck check;
           check.bytes = Bytes(4);
           check.count = 1 + Any(3);
           InsertString(check);
         }},
        {"overwrite string",
         [&] {
           InsCheck check;
           check.bytes = Bytes(4);
           OverwriteString(check);
         }},
    };
  }

  test::RecorderScope rec;
  test::FakeGrids grids;
  TGridKeys keys{grids};
  test::TempDir dir;
  std::mt19937 rng{20261208};
};

TEST_F(UndoDifferential, UndoToTheStartAndRedoToTheEndMatchTheKeptCopies) {
  const auto commands = Commands();
  for (int round = 0; round < 150; ++round) {
    test::LoadDocument(Bytes(120), 8, 4);
    Doc().Journal.Reset();
    std::vector<std::string> states{test::DocumentBytes()};
    std::vector<std::string> names;
    const size_t savedAt = static_cast<size_t>(Any(10));
    for (int i = 0; i < 30; ++i) {
      if (Doc().DocSize > 0) GotoAddress(Pos(), true, Any(2) == 0);
      Doc().OverwriteMode = Any(2) == 0;
      const auto& [name, op] = commands[static_cast<size_t>(Any(static_cast<int>(commands.size())))];
      const size_t depth = Doc().Journal.UndoDepth();
      {
        JournalStep step;
        op();
      }
      if (Doc().Journal.UndoDepth() == depth) {
        ASSERT_EQ(test::DocumentBytes(), states.back()) << name << " changed bytes without a step";
        continue;
      }
      ASSERT_EQ(Doc().Journal.UndoDepth(), depth + 1) << name;
      states.push_back(test::DocumentBytes());
      names.push_back(name);
      if (states.size() - 1 == savedAt) Doc().Journal.MarkSaved();
    }
    const size_t steps = states.size() - 1;
    // Loading is a saved state too.
    const size_t saved = savedAt >= 1 && savedAt <= steps ? savedAt : 0;
    for (size_t k = steps; k-- > 0;) {
      ASSERT_TRUE(Doc().Journal.Undo()) << "round " << round << " undo of " << names[k];
      ASSERT_EQ(test::DocumentBytes(), states[k]) << "round " << round << " undo of " << names[k];
      EXPECT_EQ(Doc().Modified, k != saved) << "round " << round << " state " << k;
    }
    EXPECT_FALSE(Doc().Journal.Undo());
    for (size_t k = 1; k <= steps; ++k) {
      ASSERT_TRUE(Doc().Journal.Redo()) << "round " << round << " redo of " << names[k - 1];
      ASSERT_EQ(test::DocumentBytes(), states[k]) << "round " << round << " redo of " << names[k - 1];
      EXPECT_EQ(Doc().Modified, k != saved) << "round " << round << " state " << k;
    }
    EXPECT_FALSE(Doc().Journal.Redo());
    if (steps == 0) continue;
    // Undo, a new edit, then nothing is left to redo.
    Doc().Journal.Undo();
    {
      JournalStep step;
      InsertBytes(1, 1, "N");
    }
    const std::string after = test::DocumentBytes();
    EXPECT_FALSE(Doc().Journal.CanRedo());
    EXPECT_FALSE(Doc().Journal.Redo());
    EXPECT_EQ(test::DocumentBytes(), after);
  }
}

}  // namespace
}  // namespace quoxa
