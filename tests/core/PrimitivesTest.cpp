#include <gtest/gtest.h>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/Block.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/DocWrite.h"
#include "core/FreeMemory.h"
#include "core/MemoryPolicy.h"
#include "core/Navigation.h"
#include "core/Primitives.h"
#include "search/SearchState.h"

namespace quoxa {
namespace {

using test::DocumentBytes;
using test::LoadDocument;

class Primitives : public ::testing::Test {
 protected:
  test::RecorderScope rec;

  // The three invariants every primitive keeps.
  void ExpectInvariants() {
    EXPECT_EQ((Doc().TopAddress - 1) % Doc().BytesPerRow, 0) << "TopAddress " << Doc().TopAddress;
    EXPECT_GE(Doc().TopAddress, 1);
    EXPECT_EQ(Doc().LastShownAddress, std::min(Doc().DocSize, Doc().TopAddress + Doc().PageSize - 1));
    if (Doc().DocSize > 0) {
      EXPECT_LE(CursorAddress(), Doc().DocSize);
    }
    if (Doc().BlockBegin != 0 && Doc().BlockEnd != 0) {
      EXPECT_GE(Doc().BlockBegin, 1);
      EXPECT_LE(Doc().BlockBegin, Doc().BlockEnd);
    }
    EXPECT_LE(Doc().DocSize, Capacity());
  }

  void PlaceCursor(int64_t pos) { GotoAddress(pos, true, false); }
};

// OpenGap and DeleteRange

TEST_F(Primitives, OpenGapMovesTheTailUp) {
  LoadDocument("ABCDEF");
  ASSERT_TRUE(OpenGap(3, 2));
  EXPECT_EQ(Doc().DocSize, 8);
  EXPECT_EQ(DocumentBytes().substr(0, 2), "AB");
  EXPECT_EQ(DocumentBytes().substr(4), "CDEF");
  EXPECT_FALSE(Doc().Modified);
}

TEST_F(Primitives, OpenGapAtTheEndAppends) {
  LoadDocument("AB");
  ASSERT_TRUE(OpenGap(3, 1));
  EXPECT_EQ(Doc().DocSize, 3);
  EXPECT_EQ(DocumentBytes().substr(0, 2), "AB");
}

TEST_F(Primitives, OpenGapOutsideTheDocumentIsRefused) {
  LoadDocument("AB");
  EXPECT_FALSE(OpenGap(4, 1));
  EXPECT_FALSE(OpenGap(0, 1));
  EXPECT_EQ(DocumentBytes(), "AB");
}

TEST_F(Primitives, DeleteRangeRemovesBytes) {
  LoadDocument("ABCDEFGH");
  ASSERT_TRUE(DeleteRange(3, 3));
  EXPECT_EQ(DocumentBytes(), "ABFGH");
  EXPECT_FALSE(Doc().Modified);
}

TEST_F(Primitives, DeleteRangePastTheEndChangesNothing) {
  LoadDocument("ABCD");
  EXPECT_FALSE(DeleteRange(3, 3));
  EXPECT_EQ(DocumentBytes(), "ABCD");
  EXPECT_TRUE(rec.messages.shown.empty());
}

TEST_F(Primitives, DeleteRangeOfEverythingClearsAndUnmarks) {
  LoadDocument("ABCD");
  Doc().BlockBegin = 2;
  Doc().BlockEnd = 3;
  Commands().SetEnabled(Cmd::BookmarkAdd, true);
  ASSERT_TRUE(DeleteRange(1, 4));
  EXPECT_EQ(Doc().DocSize, 0);
  EXPECT_EQ(Doc().BlockBegin, 0);
  EXPECT_EQ(Doc().BlockEnd, 0);
  EXPECT_FALSE(Commands().Enabled(Cmd::BookmarkAdd));
  EXPECT_FALSE(Commands().Enabled(Cmd::BlockDelete));
  EXPECT_EQ(Doc().TopAddress, 1);
  EXPECT_EQ(Doc().CursorCol, 0);
  EXPECT_EQ(Doc().CursorRow, 0);
  ExpectInvariants();
}

// OverwriteBytes

TEST_F(Primitives, OverwritePastTheEndIsRefusedWithAMessage) {
  LoadDocument("0123456789");
  EXPECT_FALSE(OverwriteBytes(Doc().DocSize - 1, "xyz"));
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{"Can't overwrite beyond end of file"});
  EXPECT_EQ(rec.messages.shown[0].type, MsgType::Error);
  EXPECT_EQ(DocumentBytes(), "0123456789");
  EXPECT_FALSE(Doc().Modified);
}

TEST_F(Primitives, OverwriteEndingOnTheLastByteLeavesTheCursorThere) {
  LoadDocument("0123456789");
  ASSERT_TRUE(OverwriteBytes(Doc().DocSize - 2, "xyz"));
  EXPECT_EQ(DocumentBytes(), "0123456xyz");
  EXPECT_EQ(CursorAddress(), 10);
  EXPECT_TRUE(Doc().Modified);
  ExpectInvariants();
}

TEST_F(Primitives, OverwriteMovesTheCursorBehindTheBytes) {
  LoadDocument(test::Ramp(100));
  ASSERT_TRUE(OverwriteBytes(20, "ab"));
  EXPECT_EQ(CursorAddress(), 22);
  EXPECT_EQ(GetByte(20), 'a');
  EXPECT_EQ(GetByte(21), 'b');
}

// InsertBytes

TEST_F(Primitives, InsertRepeatsTheStringAndMovesTheCursor) {
  LoadDocument("0123456789");
  ASSERT_TRUE(InsertBytes(3, 3, "AB"));
  EXPECT_EQ(DocumentBytes(), "01ABABAB23456789");
  EXPECT_EQ(CursorAddress(), 9);
  EXPECT_TRUE(Doc().Modified);
  ExpectInvariants();
}

TEST_F(Primitives, InsertAtTheEndLeavesTheCursorOnTheLastByte) {
  LoadDocument("01");
  ASSERT_TRUE(InsertBytes(3, 3, "AB"));
  EXPECT_EQ(DocumentBytes(), "01ABABAB");
  EXPECT_EQ(CursorAddress(), 8);
  ExpectInvariants();
}

TEST_F(Primitives, InsertWithoutMemoryReportsAndChangesNothing) {
  LoadDocument("0123");
  test::AllocationLimit limit(524288);
  EXPECT_FALSE(InsertBytes(1, 1, std::string(600000, 'x')));
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{"Can't allocate additional memory\nto perform operation"});
  EXPECT_EQ(DocumentBytes(), "0123");
  EXPECT_EQ(Capacity(), 524288);
  EXPECT_FALSE(Doc().Modified);
}

TEST_F(Primitives, InsertWhoseSizeWouldWrapOrPassTheFreeMemoryIsAMemoryShortage) {
  LoadDocument("0123");
  SetFreeMemoryOverride(int64_t{1} << 30);
  // 65536 x 65536 = 2^32 is more than is free; 2^62 x 4 = 2^64 must not wrap to 0.
  EXPECT_FALSE(InsertBytes(1, 65536, std::string(65536, 'x')));
  EXPECT_FALSE(InsertBytes(1, int64_t{1} << 62, "abcd"));
  SetFreeMemoryOverride(std::nullopt);
  EXPECT_EQ(rec.messages.Texts(), (std::vector<std::string>{"Can't allocate additional memory\nto perform operation",
                                                            "Can't allocate additional memory\nto perform operation"}));
  EXPECT_EQ(DocumentBytes(), "0123");
  EXPECT_EQ(Capacity(), 524288);
}

// InsertByteAtCursor

TEST_F(Primitives, InsertByteAtCursorShiftsTheRest) {
  LoadDocument("ABCD");
  PlaceCursor(2);
  ASSERT_TRUE(InsertByteAtCursor('x'));
  EXPECT_EQ(DocumentBytes(), "AxBCD");
  EXPECT_EQ(Doc().LastShownAddress, 5);
  EXPECT_EQ(CursorAddress(), 2);
  EXPECT_FALSE(Doc().Modified);
  EXPECT_EQ(rec.busy.texts.back(), "Insert...");
}

TEST_F(Primitives, InsertByteIntoAFullBlockGrowsByOneStep) {
  LoadDocument(std::string(524287, 'a'));
  ASSERT_EQ(Capacity(), 524288);
  Doc().DocSize = 524288;
  RecomputeLastShown();
  ASSERT_TRUE(InsertByteAtCursor('b'));
  EXPECT_EQ(Doc().DocSize, 524289);
  EXPECT_EQ(Capacity(), 655360);
  EXPECT_EQ(GetByte(1), 'b');
}

TEST_F(Primitives, InsertByteWithoutMemoryReports) {
  LoadDocument("A");
  Doc().DocSize = Capacity();
  test::AllocationLimit limit(524288);
  EXPECT_FALSE(InsertByteAtCursor('x'));
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{"Can't allocate additional memory\nto perform operation"});
  EXPECT_EQ(Doc().DocSize, 524288);
}

// DeleteByteAtCursor

TEST_F(Primitives, DeletingTheLastByteLeavesTheCursorOnTheNewLastByte) {
  LoadDocument(test::Ramp(20));
  PlaceCursor(20);
  ASSERT_EQ(Doc().CursorCol, 3);
  ASSERT_EQ(Doc().CursorRow, 1);
  DeleteByteAtCursor();
  EXPECT_EQ(Doc().DocSize, 19);
  EXPECT_EQ(CursorAddress(), 19);
  EXPECT_EQ(Doc().CursorCol, 2);
  EXPECT_EQ(Doc().CursorRow, 1);
  EXPECT_TRUE(Doc().Modified);
  ExpectInvariants();
}

TEST_F(Primitives, DeletingAMiddleByteRefreshesFromTheCursor) {
  LoadDocument("ABCDE");
  PlaceCursor(3);
  rec.view.repaints = 0;
  DeleteByteAtCursor();
  EXPECT_EQ(DocumentBytes(), "ABDE");
  EXPECT_EQ(CursorAddress(), 3);
  EXPECT_GE(rec.view.repaints, 1);
  EXPECT_EQ(rec.view.lastRepaintCol, 2);
  ExpectInvariants();
}

TEST_F(Primitives, DeletingTheLastByteAloneOnThePageScrollsBack) {
  LoadDocument(test::Ramp(400));
  Doc().DocSize = 161;  // a short document whose last byte starts a row
  Doc().TopAddress = 161;
  RecomputeLastShown();
  SetCursorCell(0, 0);
  DeleteByteAtCursor();
  EXPECT_EQ(Doc().DocSize, 160);
  EXPECT_EQ(CursorAddress(), 160);
  ExpectInvariants();
}

// DeleteFromCursor / DeleteToCursor

TEST_F(Primitives, DeleteFromCursorCutsTheTailAndKeepsCapacity) {
  LoadDocument(test::Ramp(1000000));
  PlaceCursor(500);
  DeleteFromCursor();
  EXPECT_EQ(Doc().DocSize, 499);
  EXPECT_EQ(Capacity(), 1048576);
  EXPECT_EQ(CursorAddress(), 499);
  EXPECT_TRUE(Doc().Modified);
  ExpectInvariants();
}

TEST_F(Primitives, DeleteFromCursorOnTheLastByteDeletesOneByte) {
  LoadDocument("ABCDEF");
  PlaceCursor(6);
  DeleteFromCursor();
  EXPECT_EQ(DocumentBytes(), "ABCDE");
  EXPECT_EQ(CursorAddress(), 5);
}

TEST_F(Primitives, DeleteToCursorKeepsTheRestAndGoesToTop) {
  LoadDocument(test::Ramp(1000000));
  PlaceCursor(700000);
  DeleteToCursor();
  EXPECT_EQ(Doc().DocSize, 300000);
  EXPECT_EQ(Capacity(), 1048576);
  EXPECT_EQ(GetByte(1), static_cast<uint8_t>(700000 & 0xFF));
  EXPECT_EQ(Doc().TopAddress, 1);
  EXPECT_EQ(CursorAddress(), 1);
  EXPECT_TRUE(Doc().Modified);
  ExpectInvariants();
}

TEST_F(Primitives, DeleteToCursorDisablesReplaceUndoAndUnmarksAnyBlock) {
  LoadDocument(test::Ramp(40));
  Commands().SetEnabled(Cmd::ReplaceUndo, true);
  Doc().BlockBegin = 2;
  Doc().BlockEnd = 4;
  PlaceCursor(10);
  DeleteToCursor();
  EXPECT_FALSE(Commands().Enabled(Cmd::ReplaceUndo));
  EXPECT_FALSE(BlockMarked());
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{"Block no longer valid"});
}

// Deleting the whole document through each of the three deletes; nothing to delete is no change.
TEST_F(Primitives, EachDeleteCanEmptyTheDocument) {
  const struct {
    const char* what;
    const char* doc;
    int64_t cursor;  // 0: where loading leaves it
    void (*remove)();
    bool modified;
  } cases[] = {
      {"Del on the only byte", "A", 0, [] { DeleteByteAtCursor(); }, true},
      {"from the first byte", "ABCDEF", 1, DeleteFromCursor, true},
      {"to the last byte", "ABCDEF", 6, DeleteToCursor, true},
      {"to the cursor of an empty document", "", 0, DeleteToCursor, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LoadDocument(c.doc);
    if (c.cursor != 0) PlaceCursor(c.cursor);
    c.remove();
    EXPECT_EQ(Doc().DocSize, 0);
    EXPECT_EQ(Doc().Modified, c.modified);
    ExpectInvariants();
  }
}

// A block 10..20 survives a change behind it and is unmarked, with a note, by one that reaches it.
TEST_F(Primitives, ABlockSurvivesChangesBehindItAndIsDroppedByOneReachingIt) {
  const struct {
    const char* what;
    void (*remove)();  // at the cursor; nullptr: CheckBlock at the address
    int64_t behind;
    int64_t reaching;
  } cases[] = {
      {"CheckBlock", nullptr, 21, 20},
      {"Del", [] { DeleteByteAtCursor(); }, 25, 20},
      {"delete from cursor", DeleteFromCursor, 30, 15},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    rec.messages.shown.clear();
    LoadDocument(test::Ramp(40));
    Doc().BlockBegin = 10;
    Doc().BlockEnd = 20;
    const auto changeAt = [&c, this](int64_t at) {
      if (c.remove == nullptr) return CheckBlock(at);
      PlaceCursor(at);
      c.remove();
    };
    changeAt(c.behind);
    EXPECT_TRUE(BlockMarked());
    EXPECT_TRUE(rec.messages.shown.empty());
    changeAt(c.reaching);
    EXPECT_FALSE(BlockMarked());
    ASSERT_EQ(rec.messages.Texts(), std::vector<std::string>{"Block no longer valid"});
    EXPECT_EQ(rec.messages.shown[0].type, MsgType::Information);
  }
}

// Undo of the last replacement stays only while a Del leaves its bytes alone.
TEST_F(Primitives, DelOnTheLastReplacementDisablesItsUndo) {
  const struct {
    const char* replaced;  // the bytes the replacement wrote at 10
    int64_t behind;
    int64_t on;
  } cases[] = {
      {"abc", 13, 12},
      {"", 11, 10},  // the replacement deleted the occurrence at 10
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.replaced);
    LoadDocument(test::Ramp(40));
    Doc().LastReplaced = 10;
    Search().ReplaceString = c.replaced;
    Commands().SetEnabled(Cmd::ReplaceUndo, true);
    PlaceCursor(c.behind);
    DeleteByteAtCursor();
    EXPECT_TRUE(Commands().Enabled(Cmd::ReplaceUndo));
    PlaceCursor(c.on);
    DeleteByteAtCursor();
    EXPECT_FALSE(Commands().Enabled(Cmd::ReplaceUndo));
  }
}

// CheckBlock and ShiftBlock

TEST_F(Primitives, InsertsBehindTheBlockKeepItAndInsideDropIt) {
  for (int64_t at : {15, 20}) {
    rec.messages.shown.clear();
    LoadDocument(test::Ramp(40));
    Doc().BlockBegin = 10;
    Doc().BlockEnd = 20;
    ASSERT_TRUE(InsertBytes(21, 1, "x"));
    CheckBlock(21);
    EXPECT_TRUE(BlockMarked());
    ASSERT_TRUE(InsertBytes(at, 1, "x"));
    CheckBlock(at);
    EXPECT_FALSE(BlockMarked()) << "insert at " << at;
    EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{"Block no longer valid"});
  }
}

TEST_F(Primitives, CheckBlockWithoutABlockSaysNothing) {
  LoadDocument(test::Ramp(40));
  Doc().BlockBegin = 10;  // only one end set
  CheckBlock(5);
  EXPECT_TRUE(rec.messages.shown.empty());
  EXPECT_EQ(Doc().BlockBegin, 10);
}

TEST_F(Primitives, ShiftBlockKeepsTheLength) {
  Doc().BlockBegin = 10;
  Doc().BlockEnd = 20;
  ShiftBlock(3);
  EXPECT_EQ(Doc().BlockBegin, 3);
  EXPECT_EQ(Doc().BlockEnd, 13);
}

}  // namespace
}  // namespace quoxa
