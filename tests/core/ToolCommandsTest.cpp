// The decode, encode, bit and patch commands on the document: what they read, write and show.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/Block.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/Journal.h"
#include "core/Navigation.h"
#include "search/SearchState.h"
#include "settings/Options.h"
#include "tools/BitManipulation.h"
#include "tools/ExePatch.h"
#include "tools/NumberCommands.h"
#include "widgets/HexString.h"

namespace quoxa {
namespace {

using test::DocumentBytes;

std::string Bytes(const char* hex) { return HexStringToBytes(hex, true); }

class ToolCommands : public ::testing::Test {
 protected:
  void Load(const std::string& bytes, int64_t cursor = 1) {
    test::LoadDocument(bytes, 4, 4);
    GotoAddress(cursor, true, false);
    Doc().Journal.Reset();
  }
  test::RecorderScope rec;
};

TEST_F(ToolCommands, DecodeShowsOnlyTheLinesWhoseBytesAreThere) {
  const std::string doc = Bytes("00 00 80 3F 00 00 00 00 F0 3F");
  const struct {
    int64_t cursor;
    size_t lines;
  } cases[] = {{10, 1}, {9, 3}, {8, 3}, {7, 5}, {3, 6}, {1, 6}};
  for (auto [cursor, lines] : cases) {
    Load(doc, cursor);
    EXPECT_EQ(DecodeAtCursor('.').size(), lines) << cursor;
  }
  Load(doc, 3);
  Options().ByteOrder = 0;
  EXPECT_EQ(DecodeAtCursor('.').back(), "80 3F 00 00 00 00 F0 3F as 64 bit IEEE double: 1.00000000000361");
  Load(Bytes("01 02"));
  EXPECT_EQ(DecodeAtCursor('.')[1], "01 02 as word: 513");
  Options().ByteOrder = 1;
  EXPECT_EQ(DecodeAtCursor('.')[1], "01 02 as word: 258");
  Load("");
  EXPECT_TRUE(DecodeAtCursor('.').empty());
}

TEST_F(ToolCommands, EncodedBytesGoBeforeOrOverTheCursorOrBecomeTheEmptyDocument) {
  const struct {
    const char* doc;
    int64_t cursor;
    EncodeOutput output;
    const char* after;
    int64_t cursorAfter;
    const char* message;
  } cases[] = {
      {"AA BB CC", 2, EncodeOutput::Insert, "AA 01 02 BB CC", 4, ""},
      {"AA BB CC", 2, EncodeOutput::Overwrite, "AA 01 02", 3, ""},
      {"AA BB CC", 3, EncodeOutput::Overwrite, "AA BB CC", 3, "Can't overwrite beyond end of file"},
      {"AA BB CC", 3, EncodeOutput::Here, "AA BB CC", 3, ""},
      {"", 1, EncodeOutput::Insert, "01 02", 1, ""},
      {"", 1, EncodeOutput::Overwrite, "01 02", 1, ""},
  };
  for (const auto& c : cases) {
    Load(Bytes(c.doc), c.cursor);
    rec.messages.shown.clear();
    const bool written = WriteEncodedNumber(Bytes("01 02"), c.output);
    EXPECT_EQ(BytesToHexString(DocumentBytes(), true), c.after) << c.doc << " " << int(c.output);
    EXPECT_EQ(written, Doc().Modified) << c.doc;
    EXPECT_EQ(written, std::string(c.after) != c.doc) << c.doc;
    EXPECT_EQ(CursorAddress(), c.cursorAfter) << c.doc << " " << int(c.output);
    EXPECT_EQ(rec.messages.Texts(), *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    EXPECT_EQ(Doc().Journal.UndoDepth(), written ? 1u : 0u);
    if (written) {
      EXPECT_EQ(rec.busy.texts.back(), "Writing encoded number...");
    }
  }
}

TEST_F(ToolCommands, AnInsertedNumberDropsABlockBehindIt) {
  Load("ABCDEF", 2);
  Doc().BlockBegin = 3;
  Doc().BlockEnd = 5;
  WriteEncodedNumber("x", EncodeOutput::Insert);
  EXPECT_FALSE(BlockMarked());
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{"Block no longer valid"});
}

TEST_F(ToolCommands, BitLabelAndTheCheckBoxPlaces) {
  EXPECT_EQ(BitLabel(0x41), "decimal: 65  hex: 41  binary: 01000001");
  EXPECT_EQ(BitLabel(0x00), "decimal: 0  hex: 00  binary: 00000000");
  EXPECT_EQ(BitLabel(0xFF), "decimal: 255  hex: FF  binary: 11111111");
  EXPECT_EQ(BitBoxWidth(330), 30);
  EXPECT_EQ(BitBoxLeft(330, 0), 290);
  EXPECT_EQ(BitBoxLeft(330, 7), 10);
  for (int bit = 0; bit < 7; ++bit) EXPECT_EQ(BitBoxLeft(337, bit) - BitBoxLeft(337, bit + 1), 40);
}

TEST_F(ToolCommands, BitsAreStoredInPlaceOnlyWhenTheyChanged) {
  Load("ABC", 2);
  EXPECT_FALSE(StoreBitsByte('B', 'B'));
  EXPECT_FALSE(Doc().Modified);
  EXPECT_EQ(Doc().Journal.UndoDepth(), 0u);
  EXPECT_TRUE(StoreBitsByte('B', 0xBD));
  EXPECT_EQ(DocumentBytes(), "A\xBD" "C");
  EXPECT_TRUE(Doc().Modified);
  EXPECT_EQ(CursorAddress(), 2);
  EXPECT_EQ(Doc().Journal.UndoDepth(), 1u);
  EXPECT_TRUE(Doc().Journal.Undo());
  EXPECT_EQ(DocumentBytes(), "ABC");
}

TEST_F(ToolCommands, ThePatchReplacesTheFirstSequenceAndTellsTheOutcome) {
  const std::string seq = Bytes("F7 D0 F7 D2 B9 37");
  const std::string patched = Bytes("F7 D0 F7 D2 B9 7E");
  Load("MZ" + seq + "xx" + seq, 5);
  Doc().LastFound = 1;  // an earlier find on the first byte does not move the start
  Search().CaseSensitive = false;
  Search().JokerEnabled = true;
  Commands().SetEnabled(Cmd::ReplaceAgain, true);
  Commands().SetEnabled(Cmd::ReplaceUndo, true);
  EXPECT_EQ(PatchExecutable(), PatchOutcome::Patched);
  EXPECT_EQ(DocumentBytes(), "MZ" + patched + "xx" + seq);
  EXPECT_EQ(CursorAddress(), 5);
  EXPECT_TRUE(Doc().Modified);
  EXPECT_EQ(Search().FindString, seq);
  EXPECT_EQ(Search().ReplaceString, patched);
  EXPECT_EQ(Doc().LastFound, 3);
  EXPECT_EQ(Doc().LastReplaced, 3);
  EXPECT_EQ(Doc().UndoBytes, seq);
  EXPECT_FALSE(Search().CaseSensitive);
  EXPECT_TRUE(Search().JokerEnabled);
  EXPECT_FALSE(Commands().Enabled(Cmd::ReplaceAgain));
  EXPECT_FALSE(Commands().Enabled(Cmd::ReplaceUndo));
  ASSERT_EQ(rec.progress.boxes.size(), 1u);
  EXPECT_EQ(rec.progress.boxes[0]->setup.caption, "Replacing...");
  EXPECT_EQ(rec.progress.boxes[0]->setup.text, "Searching...");
  EXPECT_TRUE(rec.progress.boxes[0]->setup.withCancel);
  EXPECT_EQ(Doc().Journal.UndoDepth(), 1u);

  EXPECT_EQ(PatchExecutable(), PatchOutcome::Patched);
  EXPECT_EQ(DocumentBytes(), "MZ" + patched + "xx" + patched);
  EXPECT_EQ(PatchExecutable(), PatchOutcome::NotFound);
  EXPECT_EQ(rec.messages.Texts(), (std::vector<std::string>{"File successfully patched", "File successfully patched",
                                                            "File is not a\nBorland Pascal 7.0 executable"}));
}

TEST_F(ToolCommands, ThePatchIgnoresLookAlikesAndStopsOnCancel) {
  // Case-folded (F0 for D0) and joker (2E for 37) variants of the sequence are not it.
  Load(Bytes("F7 F0 F7 D2 B9 37 F7 D0 F7 D2 B9 2E"));
  Search().CaseSensitive = false;
  Search().JokerEnabled = true;
  Search().JokerByte = 0x37;
  EXPECT_EQ(PatchExecutable(), PatchOutcome::NotFound);
  EXPECT_FALSE(Doc().Modified);
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{"File is not a\nBorland Pascal 7.0 executable"});

  Load(std::string(200000, 'x') + Bytes("F7 D0 F7 D2 B9 37"));
  rec.messages.shown.clear();
  rec.progress.abortAfterUpdates = 1;
  EXPECT_EQ(PatchExecutable(), PatchOutcome::Cancelled);
  EXPECT_FALSE(Doc().Modified);
  EXPECT_TRUE(rec.messages.Texts().empty());
}

}  // namespace
}  // namespace quoxa
