#include <gtest/gtest.h>

#include "Recorders.h"
#include "core/Messages.h"

namespace quoxa {
namespace {

class Messages : public ::testing::Test {
 protected:
  test::RecorderScope rec;
};

TEST_F(Messages, ShorthandsUseTheirTypesButtonsAndDefaults) {
  ShowInfo("i");
  ShowError("e");
  AskYesNo("q");
  AskYesNoCancel("c");
  ASSERT_EQ(rec.messages.shown.size(), 4u);
  EXPECT_EQ(rec.messages.shown[0].type, MsgType::Information);
  EXPECT_EQ(rec.messages.shown[0].buttons, unsigned{mbOK});
  EXPECT_EQ(rec.messages.shown[1].type, MsgType::Error);
  EXPECT_EQ(rec.messages.shown[2].type, MsgType::Confirmation);
  EXPECT_EQ(rec.messages.shown[2].buttons, unsigned{mbYes | mbNo});
  EXPECT_EQ(rec.messages.shown[2].defaultButton, unsigned{mbNo});
  EXPECT_EQ(rec.messages.shown[3].buttons, unsigned{mbYes | mbNo | mbCancel});
  EXPECT_EQ(rec.messages.shown[3].defaultButton, unsigned{mbCancel});
}

TEST_F(Messages, QuestionsAnswerWithTheirResultCodes) {
  rec.messages.answers = {mrYes, mrNo, mrCancel};
  EXPECT_EQ(AskYesNo("q"), 6);
  EXPECT_EQ(AskYesNo("q"), 7);
  EXPECT_EQ(AskYesNoCancel("c"), 2);
  EXPECT_EQ(AskYesNo("unanswered takes the default"), 7);
  EXPECT_EQ(AskYesNoCancel("unanswered takes the default"), 2);
}

TEST_F(Messages, StandardErrorGetsTheWholeTextWithControlsVisible) {
  const struct {
    std::string text;
    const char* shown;
  } cases[] = {
      {std::string("OVERWRITE 41\0"
                   "42\r\n\r\nInvalid Hex String:\n41\0"
                   "42",
                   44),
       "Error: OVERWRITE 41\\x0042\r\n\r\nInvalid Hex String:\n41\\x0042\n"},
      {"tab\tstays, \x1B[31mescapes\x7F do not, \xC3\xBC stays",
       "Error: tab\tstays, \\x1B[31mescapes\\x7F do not, \xC3\xBC stays\n"},
  };
  for (const auto& c : cases) {
    testing::internal::CaptureStderr();
    WriteMessageToStderr({c.text, MsgType::Error});
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.shown);
  }
}

TEST_F(Messages, ButtonsMapToResultCodes) {
  EXPECT_EQ(ResultForButton(mbYes), 6);
  EXPECT_EQ(ResultForButton(mbNo), 7);
  EXPECT_EQ(ResultForButton(mbOK), 1);
  EXPECT_EQ(ResultForButton(mbCancel), 2);
  EXPECT_EQ(ResultForButton(mbAbort), 3);
  EXPECT_EQ(ResultForButton(mbRetry), 4);
  EXPECT_EQ(ResultForButton(mbIgnore), 5);
  EXPECT_EQ(ResultForButton(mbAll), 8);
  EXPECT_EQ(ResultForButton(mbHelp), 0);
  EXPECT_EQ(FirstButton(mbCancel | mbNo | mbHelp), unsigned{mbNo});
  EXPECT_EQ(CaptionFor(MsgType::Custom, "QUOXA"), "QUOXA");
  EXPECT_EQ(CaptionFor(MsgType::Confirmation, "QUOXA"), "Confirmation");
}

TEST_F(Messages, InputBoxKeepsTheValueOnCancelAndLimitsItsLength) {
  std::string value = "old";
  rec.messages.inputAnswers = {{false, "ignored"}, {true, std::string(300, 'x')}};
  EXPECT_FALSE(InputBox("Caption", "Prompt", value));
  EXPECT_EQ(value, "old");
  EXPECT_TRUE(InputBox("Caption", "Prompt", value));
  EXPECT_EQ(value.size(), 255u);
  EXPECT_EQ(rec.messages.inputs[0].caption, "Caption");
}

TEST_F(Messages, ListChoiceNeverIndexesPastTheCallersList) {
  std::vector<std::string> items = {"a", "b"};
  int index = 0;
  rec.messages.listAnswers = {{true, 5}, {true, 1}};
  EXPECT_FALSE(ListChoice("Favorites", items, true, 0, index));
  EXPECT_EQ(index, 0);
  EXPECT_TRUE(ListChoice("Favorites", items, true, 0, index));
  EXPECT_EQ(index, 1);
}

}  // namespace
}  // namespace quoxa
