// Insert string and Overwrite string: the dialog's OK checks in their order, the bytes and the
// cursor afterwards, the block, the memory check and the integer conversion of the count.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/Block.h"
#include "core/DocState.h"
#include "core/FreeMemory.h"
#include "core/Journal.h"
#include "core/MessageTexts.h"
#include "core/Navigation.h"
#include "edit/InsertString.h"
#include "settings/Options.h"
#include "widgets/IntegerText.h"

namespace quoxa {
namespace {

TEST(IntegerText, DecimalOrDollarHexWithinSixtyFourBits) {
  struct Case {
    const char* text;
    std::optional<int64_t> value;
  };
  const Case cases[] = {
      {"0", 0},
      {"17", 17},
      {"  17", 17},
      {"+5", 5},
      {"-12", -12},
      {"$10", 16},
      {"$ff", 255},
      {"-$10", -16},
      {"$7FFFFFFF", 2147483647},
      {"2147483648", 2147483648LL},
      {"$80000000", 2147483648LL},
      {"$100000010", 4294967312LL},
      {"9223372036854775807", INT64_MAX},
      {"-9223372036854775808", INT64_MIN},
      {"9223372036854775808", std::nullopt},
      {"$8000000000000000", std::nullopt},
      {"", std::nullopt},
      {"$", std::nullopt},
      {"-", std::nullopt},
      {"12 ", std::nullopt},
      {"1.5", std::nullopt},
      {"0x10", std::nullopt},
      {"1A", std::nullopt},
      {"99999999999999999999", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(TextToInteger(c.text), c.value) << c.text;
}

class InsertStringTest : public ::testing::Test {
 protected:
  void SetUp() override { test::LoadDocument("0123456789ABCDEFGHIJ", 8, 2); }

  static InsCheck Accepted(const std::string& bytes, int64_t count = 1, bool hex = false) {
    InsCheck check;
    check.accepted = true;
    check.bytes = bytes;
    check.count = count;
    check.hexMode = hex;
    return check;
  }

  test::RecorderScope rec;
};

TEST_F(InsertStringTest, OkChecksComeInTheirOrder) {
  struct Case {
    InsFields fields;
    const char* message;  // nullptr: accepted
    InsField focus;
    std::string bytes;
    int64_t count;
  };
  const Case cases[] = {
      {{false, "AB", "", true, "3"}, nullptr, InsField::None, "AB", 3},
      {{false, "A\xc3\xa4", "", true, "$10"}, nullptr, InsField::None, "A\xe4", 16},
      {{true, "", "41 42", true, "1"}, nullptr, InsField::None, "AB", 1},
      {{true, "ignored", "00 ff", false, "0"}, nullptr, InsField::None, std::string("\0\xff", 2), 1},
      {{false, "", "41", true, "0"}, msg::kEmptyStringNotValid, InsField::Text, "", 1},
      {{true, "AB", "", true, "1"}, msg::kHexStringInvalid, InsField::Hex, "", 1},
      {{true, "AB", "4", true, "1"}, msg::kHexStringInvalid, InsField::Hex, "", 1},
      {{true, "AB", " 41", true, "1"}, msg::kHexStringInvalid, InsField::Hex, "", 1},
      {{false, "AB", "", true, "0"}, msg::kEmptyStringNotValid, InsField::Count, "", 1},
      {{false, "AB", "", true, "$0"}, msg::kEmptyStringNotValid, InsField::Count, "", 1},
      {{false, "AB", "", true, "-2"}, msg::kEmptyStringNotValid, InsField::Count, "", 1},
      {{false, "AB", "", true, "x"}, "'x' is not a valid integer value", InsField::Count, "", 1},
  };
  for (const Case& c : cases) {
    const InsCheck check = CheckInsFields(c.fields);
    EXPECT_EQ(check.accepted, c.message == nullptr) << c.fields.text << c.fields.hexText;
    EXPECT_EQ(rec.messages.Texts(), c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    EXPECT_EQ(check.focus, c.focus);
    EXPECT_EQ(check.hexMode, c.fields.hexMode);
    if (c.message == nullptr) {
      EXPECT_EQ(check.bytes, c.bytes);
      EXPECT_EQ(check.count, c.count);
    }
    rec.messages.shown.clear();
  }
}

TEST_F(InsertStringTest, InsertPutsTheStringNTimesBeforeTheCursor) {
  GotoAddress(5, true, true);
  InsertString(Accepted("ab", 3, true));
  EXPECT_EQ(test::DocumentBytes(), "0123ababab456789ABCDEFGHIJ");
  EXPECT_EQ(CursorAddress(), 11);
  EXPECT_EQ(GetByte(11), '4');
  EXPECT_TRUE(Doc().Modified);
  EXPECT_TRUE(Options().InsHex);
  EXPECT_TRUE(rec.messages.shown.empty());

  test::LoadDocument("xy", 8, 2);
  InsertString(Accepted("q", 16));
  EXPECT_EQ(test::DocumentBytes(), std::string(16, 'q') + "xy");
  EXPECT_FALSE(Options().InsHex);
}

TEST_F(InsertStringTest, AnInsertAtOrBeforeTheBlockEndUnmarksIt) {
  struct Case {
    int64_t at;
    bool kept;
  };
  for (const Case c : {Case{15, true}, Case{14, false}, Case{10, false}, Case{3, false}}) {
    test::LoadDocument(test::Ramp(30), 8, 4);
    RestoreBlock(5, 14);
    GotoAddress(c.at, true, true);
    InsertString(Accepted("abc"));
    EXPECT_EQ(BlockMarked(), c.kept) << c.at;
    EXPECT_EQ(rec.messages.Texts(),
              c.kept ? std::vector<std::string>{} : std::vector<std::string>{msg::kBlockNoLongerValid});
    rec.messages.shown.clear();
  }
}

TEST_F(InsertStringTest, TooLongAnInsertIsRefusedBeforeAnythingChanges) {
  // More than the free memory holds, and n x length past 2^64, which must not wrap to a small count.
  SetFreeMemoryOverride(int64_t{1} << 30);
  struct Case {
    std::string bytes;
    int64_t count;
  };
  for (const Case& c :
       {Case{"ab", 1073741824}, Case{std::string(4, 'z'), (int64_t{1} << 62) + 1}, Case{"a", INT64_MAX}}) {
    InsertString(Accepted(c.bytes, c.count));
    EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{msg::kNoMemory});
    EXPECT_EQ(test::DocumentBytes(), "0123456789ABCDEFGHIJ");
    EXPECT_FALSE(Doc().Modified);
    rec.messages.shown.clear();
  }
  SetFreeMemoryOverride(std::nullopt);
}

TEST_F(InsertStringTest, OverwriteNeverPassesTheEnd) {
  struct Case {
    int64_t at;
    const char* after;  // nullptr: refused
  };
  for (const Case c : {Case{18, nullptr}, Case{17, "0123456789ABCDEFwxyz"}, Case{1, "wxyz456789ABCDEFGHIJ"}}) {
    test::LoadDocument("0123456789ABCDEFGHIJ", 8, 2);
    GotoAddress(c.at, true, true);
    OverwriteString(Accepted("wxyz", 1, true));
    EXPECT_EQ(test::DocumentBytes(), c.after ? c.after : "0123456789ABCDEFGHIJ") << c.at;
    EXPECT_EQ(rec.messages.Texts(),
              c.after ? std::vector<std::string>{} : std::vector<std::string>{msg::kOverwriteBeyondEnd});
    EXPECT_EQ(Doc().Modified, c.after != nullptr);
    EXPECT_TRUE(Options().InsHex);
    rec.messages.shown.clear();
  }
}

}  // namespace
}  // namespace quoxa
