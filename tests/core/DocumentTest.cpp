// Two documents side by side: each keeps its own bytes, cursor, block, undo history,
// bookmarks, search positions and saved state, whichever of them is active.
#include <gtest/gtest.h>

#include "Recorders.h"
#include "TempDir.h"
#include "TempFiles.h"
#include "TestDocument.h"
#include "core/Block.h"
#include "core/DocState.h"
#include "core/FileIo.h"
#include "core/Journal.h"
#include "core/Navigation.h"
#include "core/Primitives.h"
#include "search/Replace.h"
#include "settings/SearchSettings.h"

namespace quoxa {
namespace {

class TwoDocuments : public ::testing::Test {
 protected:
  // An edit as one command of the active document.
  static void Edit(const std::function<void()>& edit) {
    JournalStep step;
    edit();
  }

  test::RecorderScope rec;
  test::TempDir dir;
  TDocument second;
};

TEST_F(TwoDocuments, AreEditedUndoneAndSavedIndependently) {
  TDocument& first = Doc();
  test::LoadDocument("first document", 8, 2);
  {
    ActiveDocumentScope scope(second);
    ASSERT_EQ(&Doc(), &second);
    test::LoadDocument("the second one", 8, 2);
    Doc().Journal.Reset();
  }
  first.Journal.Reset();

  // Edits in each, with a block and a bookmark of its own.
  Edit([] { OverwriteBytes(1, "F"); });
  GotoAddress(7, true, false);
  Doc().BlockBegin = 2;
  Doc().BlockEnd = 4;
  Doc().Bookmarks.Append(7, "mine");
  {
    ActiveDocumentScope scope(second);
    Edit([] { InsertBytes(5, 1, ">>"); });
    Edit([] { DeleteRange(1, 4); });
    Doc().Bookmarks.Append(3, "yours");
  }
  EXPECT_EQ(&Doc(), &first);
  EXPECT_EQ(test::DocumentBytes(), "First document");
  EXPECT_EQ(CursorAddress(), 7);
  EXPECT_TRUE(BlockMarked());
  EXPECT_EQ(first.Bookmarks.Entries(), std::vector<std::string>{"7 mine"});
  EXPECT_EQ(second.Bookmarks.Entries(), std::vector<std::string>{"3 yours"});
  EXPECT_EQ(first.Journal.UndoDepth(), 1u);
  EXPECT_EQ(second.Journal.UndoDepth(), 2u);

  // Undo in the second leaves the first as it is.
  {
    ActiveDocumentScope scope(second);
    ASSERT_TRUE(Doc().Journal.Undo());
    EXPECT_EQ(test::DocumentBytes(), "the >>second one");
    EXPECT_TRUE(Doc().Modified);
  }
  EXPECT_EQ(test::DocumentBytes(), "First document");
  EXPECT_EQ(first.Journal.RedoDepth(), 0u);

  // Each saves to its own file; only the saved one is unmodified.
  EXPECT_TRUE(WriteFileRange(dir / "first.bin", false, 1, 0));
  EXPECT_FALSE(first.Modified);
  EXPECT_TRUE(second.Modified);
  {
    ActiveDocumentScope scope(second);
    EXPECT_TRUE(WriteFileRange(dir / "second.bin", false, 1, 0));
  }
  EXPECT_EQ(test::ReadBytes(dir / "first.bin"), "First document");
  EXPECT_EQ(test::ReadBytes(dir / "second.bin"), "the >>second one");
  EXPECT_FALSE(second.Modified);
  EXPECT_EQ(second.DocSize, 16);
  EXPECT_EQ(first.DocSize, 14);
}

TEST_F(TwoDocuments, KeepTheirOwnReplaceUndo) {
  test::LoadDocument("aXa", 8, 2);
  {
    ActiveDocumentScope scope(second);
    test::LoadDocument("XbX", 8, 2);
  }
  Search().FindString = "X";
  Search().ReplaceString = "yy";
  ASSERT_TRUE(ReplaceNext(1, false).replaced);
  {
    ActiveDocumentScope scope(second);
    EXPECT_EQ(Doc().LastReplaced, 0);
    ASSERT_EQ(ReplaceAll(1, false).count, 2);
    EXPECT_EQ(Doc().LastReplaced, 4);
  }
  EXPECT_EQ(Doc().LastReplaced, 2);
  ASSERT_TRUE(UndoReplacement());
  EXPECT_EQ(test::DocumentBytes(), "aXa");
  EXPECT_EQ(second.DocSize, 5);
}

}  // namespace
}  // namespace quoxa
