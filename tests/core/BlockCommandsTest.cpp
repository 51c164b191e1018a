// Block delete, copy, copy/overwrite and move, Block <n> chars and Write block: the checks in
// their order with their messages, the bytes, block and cursor afterwards, and a differential
// check against a naive model with undo.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "Recorders.h"
#include "TempFiles.h"
#include "TestDocument.h"
#include "core/Block.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/Journal.h"
#include "core/MessageTexts.h"
#include "core/Navigation.h"
#include "core/Primitives.h"
#include "edit/BlockCommands.h"
#include "edit/MouseMarking.h"
#include "settings/Options.h"
#include "ui/main/PendingCommands.h"

namespace quoxa {
namespace {

constexpr Cmd kCopy = Cmd::BlockCopy;
constexpr Cmd kOver = Cmd::BlockCopyOverwrite;
constexpr Cmd kMove = Cmd::BlockMove;

// The document, block and cursor a command starts from or leaves.
struct State {
  std::string doc;
  int64_t begin = 0;
  int64_t end = 0;
  int64_t cursor = 1;
  bool operator==(const State&) const = default;
};

std::ostream& operator<<(std::ostream& out, const State& s) {
  return out << '"' << s.doc << "\" block " << s.begin << ".." << s.end << " cursor " << s.cursor;
}

class BlockCommands : public ::testing::Test {
 protected:
  static void Start(const State& s, int64_t cols = 4, int64_t rows = 3) {
    test::LoadDocument(s.doc, cols, rows);
    GotoAddress(s.cursor, true, true);
    RestoreBlock(s.begin, s.end);
    Doc().Journal.Reset();
  }
  static State Now() { return {test::DocumentBytes(), Doc().BlockBegin, Doc().BlockEnd, CursorAddress()}; }
  // Runs the command as one undo step, as the main window does.
  static void Run(Cmd cmd) {
    JournalStep step;
    BlockCopyClick(cmd);
  }

  test::RecorderScope rec;
};

TEST_F(BlockCommands, RefusalsComeInTheirOrderAndChangeNothing) {
  struct Case {
    State start;
    Cmd cmd;
    MsgType type;
    const char* text;
  };
  const Case cases[] = {
      {{"ABCDEF", 0, 0, 3}, kCopy, MsgType::Error, msg::kNoBlockMarked},
      {{"ABCDEF", 0, 0, 3}, kMove, MsgType::Error, msg::kNoBlockMarked},
      {{"ABCDEF", 2, 0, 3}, kOver, MsgType::Error, msg::kNoBlockMarked},
      {{"ABCDEF", 2, 4, 3}, kCopy, MsgType::Error, msg::kCopyWithinBlock},
      {{"ABCDEF", 2, 4, 4}, kMove, MsgType::Error, msg::kCopyWithinBlock},
      {{"ABCDEF", 2, 4, 4}, kOver, MsgType::Error, msg::kCopyWithinBlock},
      {{"ABCDEF", 2, 4, 2}, kOver, MsgType::Information, msg::kBlockSamePosition},
      {{"ABCDEF", 2, 4, 2}, kMove, MsgType::Information, msg::kBlockSamePosition},
      {{"ABCDEF", 2, 4, 5}, kMove, MsgType::Information, msg::kBlockSamePosition},
      // A block of 4 bytes onto the third-to-last byte would pass the end.
      {{"ABCDEFGH", 1, 4, 6}, kOver, MsgType::Error, msg::kOverwriteBeyondEnd},
      // The same-position rule comes before the end check.
      {{"ABCDEF", 5, 6, 5}, kOver, MsgType::Information, msg::kBlockSamePosition},
  };
  for (const Case& c : cases) {
    Start(c.start);
    Run(c.cmd);
    ASSERT_EQ(rec.messages.shown.size(), 1u) << c.start;
    EXPECT_EQ(rec.messages.shown[0].text, c.text) << c.start;
    EXPECT_EQ(rec.messages.shown[0].type, c.type) << c.start;
    EXPECT_EQ(Now(), c.start);
    EXPECT_FALSE(Doc().Modified);
    EXPECT_FALSE(Doc().Journal.CanUndo());
    rec.messages.shown.clear();
  }
}

TEST_F(BlockCommands, CopiesAndMovesLeaveTheBlockOnTheNewBytes) {
  struct Case {
    State start;
    Cmd cmd;
    State after;
  };
  const Case cases[] = {
      {{"ABCDEF", 1, 3, 6}, kMove, {"DEABCF", 3, 5, 6}},
      {{"ABCDEF", 3, 5, 1}, kMove, {"CDEABF", 1, 3, 1}},
      {{"ABCDEF", 2, 3, 1}, kMove, {"BCADEF", 1, 2, 1}},
      {{"ABCDEF", 1, 1, 6}, kMove, {"BCDEAF", 5, 5, 6}},
      // Copy on the block's first byte puts a copy in front of it.
      {{"ABCDEF", 1, 2, 1}, kCopy, {"ABABCDEF", 1, 2, 1}},
      {{"ABCDEF", 2, 3, 5}, kCopy, {"ABCDBCEF", 5, 6, 5}},
      {{"ABCDEF", 4, 5, 2}, kCopy, {"ADEBCDEF", 2, 3, 2}},
      {{"ABCDEF", 1, 2, 5}, kOver, {"ABCDAB", 5, 6, 5}},
      // Overlapping a block that lies behind: copied as if from a copy.
      {{"ABCDEF", 3, 5, 2}, kOver, {"ACDEEF", 2, 4, 2}},
      {{"ABCDEF", 3, 3, 1}, kOver, {"CBCDEF", 1, 1, 1}},
  };
  for (const Case& c : cases) {
    Start(c.start);
    Run(c.cmd);
    EXPECT_TRUE(rec.messages.shown.empty()) << c.start;
    EXPECT_EQ(Now(), c.after) << c.start;
    EXPECT_TRUE(Doc().Modified);
    EXPECT_TRUE(Commands().Enabled(Cmd::BlockDelete));
    ASSERT_TRUE(Doc().Journal.Undo());
    EXPECT_EQ(Doc().Journal.UndoDepth(), 0u);
    EXPECT_EQ(Now(), c.start) << "undo of " << c.start;
  }
}

TEST_F(BlockCommands, SuccessDisablesReplaceUndoAndFailureForMemoryChangesNothing) {
  Start({"ABCDEF", 1, 2, 4});
  Commands().SetEnabled(Cmd::ReplaceUndo, true);
  Run(kCopy);
  EXPECT_FALSE(Commands().Enabled(Cmd::ReplaceUndo));

  // Growth the memory cannot give.
  Start({std::string(600000, 'x'), 1, 200000, 300000});
  {
    test::AllocationLimit limit(700000);
    Run(kCopy);
  }
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{msg::kNoMemory});
  EXPECT_EQ(Doc().DocSize, 600000);
  EXPECT_EQ(Doc().BlockBegin, 1);
  EXPECT_EQ(Doc().BlockEnd, 200000);
}

TEST_F(BlockCommands, DeleteBlock) {
  struct Case {
    State start;
    bool result;
    State after;
    const char* message;
  };
  const Case cases[] = {
      {{"ABCDEF", 2, 3, 6}, true, {"ADEF", 0, 0, 2}, nullptr},
      {{"ABCDEF", 4, 6, 1}, true, {"ABC", 0, 0, 3}, nullptr},
      {{"ABCDEF", 0, 0, 1}, false, {"ABCDEF", 0, 0, 1}, msg::kNoBlockMarked},
      {{"ABCDEF", 3, 0, 1}, false, {"ABCDEF", 3, 0, 1}, msg::kNoBlockMarked},
      // The whole document: it is emptied, as an edit that asks to be saved.
      {{"ABCDEF", 1, 6, 4}, false, {"", 0, 0, 1}, nullptr},
  };
  for (const Case& c : cases) {
    Start(c.start);
    bool result = false;
    {
      JournalStep step;
      result = DeleteBlock();
    }
    EXPECT_EQ(result, c.result) << c.start;
    EXPECT_EQ(Now(), c.after) << c.start;
    EXPECT_EQ(rec.messages.Texts(), c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    EXPECT_EQ(Doc().Modified, c.message == nullptr);
    if (c.message == nullptr) {
      EXPECT_FALSE(Commands().Enabled(Cmd::BlockDelete));
      EXPECT_FALSE(Commands().Enabled(Cmd::WriteBlock));
      ASSERT_TRUE(Doc().Journal.Undo());
      EXPECT_EQ(test::DocumentBytes(), c.start.doc);
      EXPECT_EQ(Doc().BlockBegin, c.start.begin);
      EXPECT_EQ(Doc().BlockEnd, c.start.end);
    }
    rec.messages.shown.clear();
  }
}

TEST_F(BlockCommands, BlockOfNChars) {
  struct Case {
    int64_t cursor;
    const char* text;
    int64_t n;  // 0: refused
  };
  const Case cases[] = {
      {1, "19", 19}, {1, "20", 0}, {1, "$13", 19}, {1, "$10", 16}, {2, "19", 19}, {3, "19", 0},
      {20, "1", 1},  {1, "0", 0},  {1, "-3", 0},   {1, "abc", 0}, {1, "", 0},   {1, "1.5", 0},
  };
  for (const Case& c : cases) {
    Start({std::string(20, 'a'), 0, 0, c.cursor});
    const std::optional<int64_t> n = CheckBlockSize(c.text);
    EXPECT_EQ(n.value_or(0), c.n) << c.text << " at " << c.cursor;
    EXPECT_EQ(rec.messages.Texts(),
              c.n ? std::vector<std::string>{} : std::vector<std::string>{msg::kBlockSizeInvalid});
    rec.messages.shown.clear();
  }
  Start({std::string(20, 'a'), 0, 0, 5});
  Doc().BlockDirection = -1;
  MarkBlockOfSize(4);
  EXPECT_EQ(Doc().BlockBegin, 5);
  EXPECT_EQ(Doc().BlockEnd, 8);
  EXPECT_EQ(Doc().BlockDirection, -1);
  for (Cmd cmd : {Cmd::BlockUnmark, Cmd::BlockDelete, Cmd::BtnDel, Cmd::BlockCopy, Cmd::BlockCopyOverwrite,
                  Cmd::BlockMove, Cmd::WriteBlock}) {
    EXPECT_TRUE(Commands().Enabled(cmd));
    EXPECT_FALSE(NotYetAvailable(cmd));
  }
  UnmarkBlock();
  for (Cmd cmd : {Cmd::BlockUnmark, Cmd::BlockDelete, Cmd::BtnDel, Cmd::BlockCopy, Cmd::BlockMove}) {
    EXPECT_FALSE(Commands().Enabled(cmd));
  }
}

TEST_F(BlockCommands, WriteBlockWritesTheBlockAndRemembersTheFolder) {
  test::TempDir dir;
  Start({"ABCDEF", 2, 4, 1});
  Doc().Modified = true;
  EXPECT_TRUE(WriteBlockTo(dir.File("block.bin")));
  EXPECT_EQ(test::ReadBytes(dir.File("block.bin")), "BCD");
  EXPECT_TRUE(Doc().Modified);
  EXPECT_EQ(Options().CurrentDir, dir.Path());
  EXPECT_EQ(test::DocumentBytes(), "ABCDEF");
}

// The described rules on a plain string.
State Model(State s, Cmd cmd, std::string& message) {
  if (s.begin == 0 || s.end == 0) return message = msg::kNoBlockMarked, s;
  const int64_t pos = s.cursor;
  const int64_t length = s.end - s.begin + 1;
  if (s.begin < pos && pos <= s.end) return message = msg::kCopyWithinBlock, s;
  if ((cmd != kCopy && pos == s.begin) || (cmd == kMove && pos == s.end + 1)) {
    return message = msg::kBlockSamePosition, s;
  }
  if (cmd == kOver && pos + length - 1 > static_cast<int64_t>(s.doc.size())) {
    return message = msg::kOverwriteBeyondEnd, s;
  }
  const std::string block = s.doc.substr(static_cast<size_t>(s.begin - 1), static_cast<size_t>(length));
  if (cmd == kCopy) {
    s.doc.insert(static_cast<size_t>(pos - 1), block);
    s.begin = pos;
  } else if (cmd == kOver) {
    s.doc.replace(static_cast<size_t>(pos - 1), block.size(), block);
    s.begin = pos;
  } else if (pos < s.begin) {
    s.doc.erase(static_cast<size_t>(s.begin - 1), block.size());
    s.doc.insert(static_cast<size_t>(pos - 1), block);
    s.begin = pos;
  } else {
    s.doc.insert(static_cast<size_t>(pos - 1), block);
    s.doc.erase(static_cast<size_t>(s.begin - 1), block.size());
    s.begin = pos - length;
  }
  s.end = s.begin + length - 1;
  return s;
}

TEST_F(BlockCommands, AgreeWithANaiveModelAndUndoRestoresTheStart) {
  std::mt19937 rng(4101);
  auto any = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
  const Cmd cmds[] = {kCopy, kOver, kMove};
  for (int round = 0; round < 3000; ++round) {
    State start;
    start.doc.resize(static_cast<size_t>(any(1, 40)));
    for (char& ch : start.doc) ch = static_cast<char>('a' + any(0, 25));
    const int64_t size = static_cast<int64_t>(start.doc.size());
    start.begin = any(0, 9) == 0 ? 0 : any(1, size);
    start.end = start.begin == 0 ? 0 : any(start.begin, std::min(size, start.begin + any(0, 12)));
    start.cursor = any(1, size);
    const Cmd cmd = cmds[any(0, 2)];
    Start(start, any(1, 8), any(1, 4));
    Run(cmd);
    std::string message;
    const State expected = Model(start, cmd, message);
    ASSERT_EQ(Now(), expected) << "from " << start << " cmd " << static_cast<int>(cmd);
    ASSERT_EQ(rec.messages.Texts(), message.empty() ? std::vector<std::string>{} : std::vector<std::string>{message});
    if (message.empty()) {
      ASSERT_TRUE(Doc().Journal.Undo());
      ASSERT_EQ(test::DocumentBytes(), start.doc);
      ASSERT_EQ(Doc().BlockBegin, start.begin);
      ASSERT_EQ(Doc().BlockEnd, start.end);
      ASSERT_TRUE(Doc().Journal.Redo());
      ASSERT_EQ(Now(), expected);
    }
    rec.messages.shown.clear();
  }
}

TEST_F(BlockCommands, CopyAndMovePrimitivesAgreeWithStringsForAnyRanges) {
  std::mt19937 rng(77);
  auto any = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
  for (int round = 0; round < 2000; ++round) {
    std::string doc(static_cast<size_t>(any(1, 30)), '\0');
    for (char& ch : doc) ch = static_cast<char>('A' + any(0, 25));
    const int64_t size = static_cast<int64_t>(doc.size());
    const int64_t source = any(1, size);
    const int64_t length = any(0, size - source + 1);
    const int64_t pos = any(1, size + 1);
    const int kind = any(0, 2);
    const std::string part = doc.substr(static_cast<size_t>(source - 1), static_cast<size_t>(length));
    std::string expected = doc;
    bool ok = true;
    if (kind == 0) {
      expected.insert(static_cast<size_t>(pos - 1), part);
    } else if (kind == 1) {
      ok = pos + length - 1 <= size;
      if (ok) expected.replace(static_cast<size_t>(pos - 1), part.size(), part);
    } else if (pos < source || pos > source + length) {
      expected.erase(static_cast<size_t>(source - 1), part.size());
      expected.insert(static_cast<size_t>(pos < source ? pos - 1 : pos - 1 - length), part);
    }
    test::LoadDocument(doc, 4, 2);
    Doc().Journal.Reset();
    const std::string what = doc + " " + std::to_string(source) + "+" + std::to_string(length) + " to " +
                             std::to_string(pos) + " kind " + std::to_string(kind);
    {
      JournalStep step;
      const bool result = kind == 2 ? MoveBytes(source, length, pos) : CopyBytesWithin(source, length, pos, kind == 0);
      ASSERT_EQ(result, ok) << what;
    }
    ASSERT_EQ(test::DocumentBytes(), expected) << what;
    if (Doc().Journal.CanUndo()) {
      ASSERT_TRUE(Doc().Journal.Undo());
      ASSERT_EQ(test::DocumentBytes(), doc);
      ASSERT_TRUE(Doc().Journal.Redo());
      ASSERT_EQ(test::DocumentBytes(), expected);
    }
  }
}

TEST_F(BlockCommands, MouseMarksFromThePressedByteAndShiftClickMovesTheFreeEnd) {
  // Steps: 'p' press at pos (cursor before: the last pos), 's' Shift+press, 'd' drag, 'r' release.
  struct Step {
    char kind;
    int64_t pos;
  };
  struct Case {
    State start;
    std::vector<Step> steps;
    int64_t begin;
    int64_t end;
  };
  const Case cases[] = {
      {{"ABCDEFGHIJ", 0, 0, 1}, {{'p', 5}}, 0, 0},
      {{"ABCDEFGHIJ", 2, 4, 1}, {{'p', 5}, {'r', 0}}, 2, 4},
      {{"ABCDEFGHIJ", 0, 0, 1}, {{'p', 5}, {'d', 8}}, 5, 8},
      {{"ABCDEFGHIJ", 0, 0, 1}, {{'p', 5}, {'d', 8}, {'d', 2}}, 2, 5},
      {{"ABCDEFGHIJ", 0, 0, 1}, {{'p', 5}, {'d', 6}, {'d', 5}}, 5, 5},
      {{"ABCDEFGHIJ", 0, 0, 1}, {{'p', 5}, {'r', 0}, {'d', 8}}, 0, 0},
      {{"ABCDEFGHIJ", 2, 4, 3}, {{'p', 7}, {'d', 9}}, 7, 9},
      {{"ABCDEFGHIJ", 0, 0, 3}, {{'s', 6}}, 3, 6},
      {{"ABCDEFGHIJ", 4, 0, 9}, {{'s', 2}}, 2, 4},
      // The cursor on the block's end: that end is free, across the begin as well.
      {{"ABCDEFGHIJ", 3, 6, 6}, {{'s', 8}}, 3, 8},
      {{"ABCDEFGHIJ", 3, 6, 6}, {{'s', 1}}, 1, 3},
      {{"ABCDEFGHIJ", 3, 6, 3}, {{'s', 5}}, 5, 6},
      {{"ABCDEFGHIJ", 3, 6, 3}, {{'s', 2}, {'d', 9}}, 6, 9},
  };
  for (const Case& c : cases) {
    Start(c.start);
    TMouseMarking mouse;
    for (const Step& step : c.steps) {
      const int64_t before = CursorAddress();
      if (step.kind == 'r') {
        mouse.Release();
        continue;
      }
      GotoAddress(step.pos, true, true);
      if (step.kind == 'd') {
        mouse.Drag(step.pos);
      } else {
        mouse.Press(before, step.pos, step.kind == 's');
      }
    }
    EXPECT_EQ(Doc().BlockBegin, c.begin) << c.start;
    EXPECT_EQ(Doc().BlockEnd, c.end) << c.start;
    EXPECT_EQ(Commands().Enabled(Cmd::BlockMove), c.end != 0) << c.start;
  }
  // The keys go on from where the mouse left the block.
  Start({"ABCDEFGHIJ", 0, 0, 1});
  TMouseMarking mouse;
  GotoAddress(5, true, true);
  mouse.Press(1, 5, false);
  GotoAddress(3, true, true);
  mouse.Drag(3);
  MarkBlock(true, true);
  GotoAddress(4, true, true);
  MarkBlock(true, true);
  EXPECT_EQ(Doc().BlockBegin, 4);
  EXPECT_EQ(Doc().BlockEnd, 5);
}

}  // namespace
}  // namespace quoxa
