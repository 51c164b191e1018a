#include <gtest/gtest.h>

#include "core/Busy.h"
#include "core/CodePage.h"
#include "core/TextFormat.h"

namespace quoxa {
namespace {

TEST(TextFormat, ThousandsAreGrouped) {
  EXPECT_EQ(FormatThousands(0), "0");
  EXPECT_EQ(FormatThousands(999), "999");
  EXPECT_EQ(FormatThousands(1000), "1,000");
  EXPECT_EQ(FormatThousands(999999999), "999,999,999");
  EXPECT_EQ(FormatThousands(-1234567), "-1,234,567");
  EXPECT_EQ(FormatThousands(2147483647), "2,147,483,647");
}

TEST(TextFormat, TheSeparatorFollowsTheLocale) {
  SetThousandsSeparator(".");
  EXPECT_EQ(FormatThousands(1234567), "1.234.567");
  SetThousandsSeparator(",");
}

TEST(TextFormat, HexIsUpperCaseTwosComplementWithoutLeadingZeros) {
  EXPECT_EQ(FormatHex(0), "0");
  EXPECT_EQ(FormatHex(255), "FF");
  EXPECT_EQ(FormatHex(0x1000), "1000");
  EXPECT_EQ(FormatHex(-1), "FFFFFFFF");
}

TEST(TextFormat, PlaceholdersAreFilledOnce) {
  EXPECT_EQ(FormatMsgS("%s modified. Save now?", "a.bin"), "a.bin modified. Save now?");
  EXPECT_EQ(FormatMsgN("Occurences found:\n%.0n", 12345), "Occurences found:\n12,345");
  EXPECT_EQ(FormatMsgD("Char dec: %d", 255), "Char dec: 255");
  EXPECT_EQ(FormatMsgS("no placeholder", "x"), "no placeholder");
}

TEST(TextFormat, FileNameWithoutPath) {
  EXPECT_EQ(FileNameOnly("/home/u/data.bin"), "data.bin");
  EXPECT_EQ(FileNameOnly("data.bin"), "data.bin");
  EXPECT_EQ(FileNameOnly("/"), "");
}

TEST(TextFormat, Utf8IsNeverCutInsideACharacter) {
  EXPECT_EQ(TruncateUtf8("abc", 5), "abc");
  EXPECT_EQ(TruncateUtf8("ab\xC3\xA4", 3), "ab");
  EXPECT_EQ(TruncateUtf8("ab\xC3\xA4", 4), "ab\xC3\xA4");
}

TEST(BusyText, LongTextsAreShortenedWithAnEllipsis) {
  auto width = [](const std::string& s) { return static_cast<int>(s.size()) * 10; };
  EXPECT_EQ(FitPanelText("Allocating memory", 200, width), "Allocating memory");
  // Panel 100 px: at most 10 characters including "...".
  EXPECT_EQ(FitPanelText("Allocating memory", 100, width), "Allocat...");
  // Never below two characters of the text.
  EXPECT_EQ(FitPanelText("Allocating memory", 5, width), "Al...");
  EXPECT_EQ(FitPanelText("", 0, width), "");
}

TEST(CodePage, Windows1252RoundTrips) {
  for (int b = 0; b < 256; ++b) {
    uint8_t back = 0;
    ASSERT_TRUE(UnicodeToByte(ByteToUnicode(static_cast<uint8_t>(b)), back)) << b;
    EXPECT_EQ(back, b);
  }
  EXPECT_EQ(ByteToUnicode(0x80), U'\u20AC');
  EXPECT_EQ(ByteToUnicode(0xB0), U'\u00B0');
}

TEST(CodePage, TextOutsideTheCodePageBecomesQuestionMarks) {
  EXPECT_EQ(Utf8ToBytes("A\xE2\x82\xAC"), "A\x80");   // euro sign
  EXPECT_EQ(Utf8ToBytes("\xE4\xB8\xAD"), "?");          // a CJK character
  EXPECT_EQ(Utf8ToBytes("\xC3"), "?");                  // truncated sequence
  // Not UTF-8 at all: an overlong zero (which must not end up as a zero byte), an overlong
  // "A", a surrogate, a value past Unicode.
  EXPECT_EQ(Utf8ToBytes(std::string("a\xC0\x80" "b", 4)), "a?b");
  EXPECT_EQ(Utf8ToBytes("\xE0\x81\x81"), "?");
  EXPECT_EQ(Utf8ToBytes("\xED\xA0\x80"), "?");
  EXPECT_EQ(Utf8ToBytes("\xF4\x90\x80\x80"), "?");
  EXPECT_EQ(BytesToUtf8("\xE4"), "\xC3\xA4");
}

TEST(CodePage, CaseFolding) {
  EXPECT_EQ(AnsiUpper('a'), 'A');
  EXPECT_EQ(AnsiUpper(0xE4), 0xC4);  // ä
  EXPECT_EQ(AnsiUpper(0xF7), 0xF7);  // division sign has no case
  EXPECT_EQ(AnsiUpper(0xFF), 0x9F);  // ÿ
  EXPECT_EQ(AnsiLower(0x8A), 0x9A);  // Š
  EXPECT_EQ(AnsiLower('1'), '1');
  EXPECT_EQ(AnsiUpper(0xDF), 0xDF);  // ß stays
}

}  // namespace
}  // namespace quoxa
