// Go to, jump width, the remembered address and the difference to it: the address arithmetic,
// what each command shows, where the cursor goes and which commands it makes usable.
#include <gtest/gtest.h>

#include <optional>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/Journal.h"
#include "core/Navigation.h"
#include "edit/GotoCommands.h"
#include "edit/JumpCommands.h"
#include "settings/Options.h"

namespace quoxa {
namespace {

class AddressCommands : public ::testing::Test {
 protected:
  void Load(int64_t size) {
    test::LoadDocument(test::Ramp(size), 16, 4);
    JumpWidth = 0;
  }
  void PlaceCursor(int64_t pos) { GotoAddress(pos, true, false); }
  std::vector<std::string> Texts() const { return rec.messages.Texts(); }

  test::RecorderScope rec;
};

TEST(GotoTarget, FollowsModeBaseAndDocumentBounds) {
  struct Case {
    const char* text;
    int64_t mode;
    int64_t cursor;
    int64_t base;
    std::optional<int64_t> position;
  };
  // A 50-byte document throughout.
  const Case cases[] = {
      {"0", kGotoAbsolute, 9, 0, 1},          {"49", kGotoAbsolute, 9, 0, 50},
      {"50", kGotoAbsolute, 9, 0, {}},        {"$31", kGotoAbsolute, 9, 0, 50},
      {"1", kGotoAbsolute, 9, 1, 1},          {"0", kGotoAbsolute, 9, 1, {}},
      {"50", kGotoAbsolute, 9, 1, 50},        {" 7", kGotoAbsolute, 9, 0, 8},
      {"45", kGotoRelativeDown, 5, 0, 50},    {"46", kGotoRelativeDown, 5, 0, {}},
      {"0", kGotoRelativeDown, 5, 1, 5},      {"4", kGotoRelativeUp, 5, 0, 1},
      {"5", kGotoRelativeUp, 5, 0, {}},       {"$4", kGotoRelativeUp, 5, 1, 1},
      {"2147483647", kGotoRelativeDown, 50, 0, {}},
      {"2147483647", kGotoRelativeUp, 50, 0, {}},
      {"-3", kGotoRelativeDown, 10, 0, 7},    {"", kGotoAbsolute, 9, 0, {}},
      {"abc", kGotoAbsolute, 9, 0, {}},       {"1.5", kGotoAbsolute, 9, 0, {}},
      {"1", 3, 9, 0, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GotoTarget(c.text, c.mode, c.cursor, 50, c.base), c.position)
        << c.text << " mode " << c.mode << " base " << c.base;
  }
  EXPECT_EQ(GotoTarget("0", kGotoAbsolute, 1, 0, 0), std::nullopt);  // nothing to go to
}

TEST(JumpWidthCheck, IsAtLeastOneAndBelowTheDocumentSize) {
  const std::pair<const char*, std::optional<int64_t>> cases[] = {
      {"1", 1}, {"49", 49}, {"$10", 16}, {"50", {}}, {"0", {}}, {"-1", {}}, {"x", {}}, {"", {}},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(CheckJumpWidth(text, 50), expected) << text;
}

TEST_F(AddressCommands, GotoKeepsItsModeAndMovesTheCursor) {
  Load(50);
  AfterGotoDialog(30, kGotoRelativeUp);
  EXPECT_EQ(CursorAddress(), 30);
  EXPECT_EQ(Options().GotoMode, kGotoRelativeUp);
}

TEST_F(AddressCommands, JumpsStopAtTheDocumentsEnds) {
  Load(50);
  AfterJumpDialog(10);
  EXPECT_EQ(JumpWidth, 10);
  EXPECT_TRUE(Commands().Enabled(Cmd::JumpDown));
  EXPECT_TRUE(Commands().Enabled(Cmd::JumpUp));
  PlaceCursor(40);
  JumpDownCommand();  // DocSize - w lands on the last byte
  EXPECT_EQ(CursorAddress(), 50);
  JumpDownCommand();
  EXPECT_EQ(CursorAddress(), 50);
  PlaceCursor(11);
  JumpUpCommand();
  EXPECT_EQ(CursorAddress(), 1);
  PlaceCursor(10);
  JumpUpCommand();
  EXPECT_EQ(CursorAddress(), 10);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Address invalid", "Address invalid"}));
  EXPECT_EQ(rec.messages.shown[0].type, MsgType::Error);

  AfterJumpDialog(std::nullopt);  // Cancel keeps the width but disables the jumps
  EXPECT_EQ(JumpWidth, 10);
  EXPECT_FALSE(Commands().Enabled(Cmd::JumpDown));
  EXPECT_FALSE(Commands().Enabled(Cmd::JumpUp));
}

TEST_F(AddressCommands, RememberedAddressAndItsDifference) {
  Load(50);
  SetCommandsEnabled({Cmd::GotoRemembered, Cmd::DisplayDifference}, false);
  PlaceCursor(20);
  RememberAddressCommand();
  EXPECT_EQ(Doc().RememberedAddress, 20);
  EXPECT_TRUE(Commands().Enabled(Cmd::GotoRemembered));
  EXPECT_TRUE(Commands().Enabled(Cmd::DisplayDifference));
  PlaceCursor(4);
  DisplayDifferenceCommand();
  GotoRememberedCommand();
  EXPECT_EQ(CursorAddress(), 20);
  Doc().BaseAddress = 1;
  DisplayDifferenceCommand();
  ASSERT_EQ(rec.messages.shown.size(), 2u);
  EXPECT_EQ(rec.messages.shown[0].type, MsgType::Information);
  EXPECT_EQ(Texts()[0],
            "Remembered address dec: 19\nDifference dec: -16\rRemembered address hex: 13\nDifference hex: FFFFFFF0");
  EXPECT_EQ(Texts()[1], "Remembered address dec: 20\nDifference dec: 0\rRemembered address hex: 14\nDifference hex: 0");

  Doc().RememberedAddress = 51;  // the document became shorter
  GotoRememberedCommand();
  EXPECT_EQ(CursorAddress(), 20);
  EXPECT_EQ(Texts().back(), "Address invalid");
}

TEST_F(AddressCommands, TheDifferenceGroupsThousands) {
  EXPECT_EQ(DifferenceText(1, 1234568),
            "Remembered address dec: 0\nDifference dec: 1,234,567\rRemembered address hex: 0\nDifference hex: 12D687");
}

TEST_F(AddressCommands, NoneOfThemChangesTheDocument) {
  Load(50);
  const std::string before = test::DocumentBytes();
  {
    JournalStep step;
    AfterGotoDialog(5, kGotoAbsolute);
    AfterJumpDialog(3);
    JumpDownCommand();
    JumpUpCommand();
    RememberAddressCommand();
    GotoRememberedCommand();
    DisplayDifferenceCommand();
  }
  EXPECT_EQ(test::DocumentBytes(), before);
  EXPECT_FALSE(Doc().Journal.CanUndo());
  EXPECT_FALSE(Doc().Modified);
}

}  // namespace
}  // namespace quoxa
