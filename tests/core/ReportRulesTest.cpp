// The report engine's arithmetic and text rules, and the Print dialog's settings and checks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScopedEnv.h"
#include "TempDir.h"
#include "print/PrintSettings.h"
#include "print/ReportRules.h"
#include "settings/IniFile.h"

namespace quoxa {
namespace {

TEST(ReportUnits, ConvertBetweenUnitsAndPixels) {
  struct Case {
    double value;
    TMeasureUnit unit;
    int32_t ppi;
    int32_t letter;
    int32_t pixels;
    double back;
  };
  const Case cases[] = {
      {15, TMeasureUnit::puMM, 600, 50, 354, 14.986}, {0.59, TMeasureUnit::puInch, 600, 50, 354, 0.59},
      {1, TMeasureUnit::puInch, 300, 50, 300, 1},      {2.4, TMeasureUnit::puChar, 600, 50, 120, 2},
      {25.4, TMeasureUnit::puMM, 72, 1, 72, 25.4},     {0, TMeasureUnit::puMM, 600, 50, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UnitToPixels(c.value, c.unit, c.ppi, c.letter), c.pixels) << c.value;
    EXPECT_NEAR(PixelsToUnit(c.pixels, c.unit, c.ppi, c.letter), c.back, 0.001) << c.value;
  }
  EXPECT_DOUBLE_EQ(UnitToMM(0.59, TMeasureUnit::puInch), 14.986);
  EXPECT_DOUBLE_EQ(UnitToMM(3, TMeasureUnit::puChar), 0);
  EXPECT_DOUBLE_EQ(Round2(MMToUnit(15, TMeasureUnit::puInch)), 0.59);
  const int32_t heights[] = {LineHeightFor(41, TLineSpacing::lsHalf), LineHeightFor(41, TLineSpacing::lsSingle),
                             LineHeightFor(41, TLineSpacing::lsSingleAndHalf), LineHeightFor(41, TLineSpacing::lsDouble)};
  EXPECT_EQ(std::vector<int32_t>(std::begin(heights), std::end(heights)), (std::vector<int32_t>{20, 41, 61, 82}));
  EXPECT_EQ(RulePenWidth(600, false), 4);
  EXPECT_EQ(RulePenWidth(600, true), 8);
  EXPECT_EQ(RulePenWidth(200, false), 0);
}

// 600 dpi, 100 pixels (4.23 mm) unprintable at the left and top.
PrinterMetrics OffsetPrinter() {
  PrinterMetrics m;
  m.offsetX = 100;
  m.offsetY = 100;
  m.horzRes = m.physWidth - 200;
  m.vertRes = m.physHeight - 200;
  return m;
}

TEST(ReportGeometry, MarginsAreClampedToTheUnprintableOffsets) {
  TReportGeometry g;
  g.SetMetrics(OffsetPrinter());
  g.SetLetter(50, 100);
  struct Case {
    TMeasureUnit unit;
    MarginSide side;
    double value;
    double readBack;
    int32_t pixels;
  };
  const Case cases[] = {
      {TMeasureUnit::puMM, MarginSide::Left, 15, 15, 254},     {TMeasureUnit::puMM, MarginSide::Left, 2, 4.23, 0},
      {TMeasureUnit::puMM, MarginSide::Bottom, 0, 4.23, 0},    {TMeasureUnit::puMM, MarginSide::Top, 4.3, 4.3, 2},
      {TMeasureUnit::puInch, MarginSide::Right, 0.59, 0.59, 254}, {TMeasureUnit::puInch, MarginSide::Right, 0.1, 0.17, 0},
      {TMeasureUnit::puChar, MarginSide::Left, 5, 0, 150},     {TMeasureUnit::puChar, MarginSide::Top, 0.5, 0, 0},
  };
  for (const Case& c : cases) {
    g.SetUnit(c.unit);
    g.SetMargin(c.side, c.value);
    EXPECT_DOUBLE_EQ(g.Margin(c.side), c.readBack) << c.value;
    EXPECT_EQ(g.MarginPixels(c.side), c.pixels) << c.value;
  }
  g.SetUnit(TMeasureUnit::puMM);
  for (MarginSide side : {MarginSide::Left, MarginSide::Right, MarginSide::Top, MarginSide::Bottom}) g.SetMargin(side, 15);
  EXPECT_EQ(g.PrintableWidth(), OffsetPrinter().horzRes - 2 * 254);
  EXPECT_EQ(g.PrintableHeight(40), OffsetPrinter().vertRes - 2 * 254 - 40);
  EXPECT_DOUBLE_EQ(g.PaperWidth(), 210.02);
  EXPECT_NEAR(g.MarginPhysX(), 4.233, 0.001);
}

TEST(ReportGeometry, MarginsKeepTheirMillimetresAcrossAnotherPrinter) {
  TReportGeometry g;
  g.SetUnit(TMeasureUnit::puInch);
  g.SetMargin(MarginSide::Left, 0.59);
  g.SetMargin(MarginSide::Top, 1);
  PrinterMetrics landscape = OffsetPrinter();
  landscape.ppiX = landscape.ppiY = 300;
  std::swap(landscape.physWidth, landscape.physHeight);
  g.SetMetrics(landscape);
  g.ReapplyMargins();
  EXPECT_DOUBLE_EQ(g.Margin(MarginSide::Left), 0.59);
  EXPECT_EQ(g.MarginPixels(MarginSide::Left), 177 - 100);
  EXPECT_EQ(g.MarginPixels(MarginSide::Top), 300 - 100);
  g.SetUnit(TMeasureUnit::puMM);
  EXPECT_DOUBLE_EQ(g.Margin(MarginSide::Left), 14.99);
  EXPECT_DOUBLE_EQ(g.Margin(MarginSide::Top), 25.4);
}

TEST(ReportTemplates, PartsByMarkFirstOccurrenceUpToTheBrace) {
  struct Case {
    const char* text;
    const char* left;
    const char* centre;
    const char* right;
  };
  const Case cases[] = {
      {"<{Program %EXENAME %EXETIME}^{Page %PAGE}", "Program %EXENAME %EXETIME", "Page %PAGE", ""},
      {"^{Page %PAGE}", "", "Page %PAGE", ""},
      {">{Printed}<{File: a.bin}", "File: a.bin", "", "Printed"},
      {"<{a}<{b}", "a", "", ""},
      {"<{no brace", "", "", ""},
      {"plain text }", "", "", ""},
      {"<{}>{x", "", "", ""},
  };
  for (const Case& c : cases) {
    const ReportTemplate t = ParseTemplate(c.text);
    EXPECT_EQ(t.left, c.left) << c.text;
    EXPECT_EQ(t.centre, c.centre) << c.text;
    EXPECT_EQ(t.right, c.right) << c.text;
  }
  EXPECT_FALSE(ParseTemplate("<{}^{}").HasParts());
}

TEST(ReportTemplates, MacrosAreReplacedEverywhere) {
  MacroValues v;
  v.line = 7;
  v.page = 12;
  v.date = "24.12.2024";
  v.time = "18:30:05";
  v.exeName = "quoxa";
  v.exeDate = "01.02.2024";
  v.exeTime = "09:08:07";
  const std::pair<const char*, const char*> cases[] = {
      {"Page %PAGE of %PAGE", "Page 12 of 12"},
      {"Printed %DATE %TIME", "Printed 24.12.2024 18:30:05"},
      {"<{Program %EXENAME %EXETIME}^{Page %PAGE}", "<{Program quoxa 09:08:07}^{Page 12}"},
      {"%EXEDATE line %LINE", "01.02.2024 line 7"},
      {"no macros %", "no macros %"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ExpandMacros(text, v), expected) << text;
  v.exeName = "x%EXENAME";  // would be found again: left alone
  EXPECT_EQ(ExpandMacros("%EXENAME %PAGE", v), "%EXENAME 12");
}

TEST(ReportLines, WordWrapBreaksAfterBlanksOrPunctuationFromTheSixthCharacter) {
  struct Case {
    const char* text;
    size_t width;
    size_t piece;
  };
  const Case cases[] = {
      {"Hello world, this is text", 14, 13},  // "Hello world, "
      {"Hello,world", 8, 6},                  // "Hello,"
      {"abc,defghijkl", 6, 6},                // the comma is the fourth: cut hard
      {"abcdefghijkl", 5, 5},
      {"short", 10, 5},
      {"wide", 0, 1},
      {"a b c d e f g h", 9, 8},              // the eighth is a blank
  };
  for (const Case& c : cases) {
    const auto fits = [&](size_t n) { return n <= c.width; };
    EXPECT_EQ(WrapPieceLength(c.text, fits), c.piece) << c.text;
  }
  EXPECT_EQ(CutLength("abcdef", [](size_t n) { return n <= 3; }), 3u);
  EXPECT_EQ(CutLength("abcdef", [](size_t) { return false; }), 1u);
  EXPECT_EQ(Trimmed("  a b  "), "a b");
}

TEST(ReportTables, ColumnFormatsAndCells) {
  struct Case {
    const char* text;
    TextAlign align;
    double width;
  };
  const Case cases[] = {
      {"", TextAlign::Left, 1},     {"<", TextAlign::Left, 1},     {">", TextAlign::Right, 1},
      {"^2.5", TextAlign::Centre, 2.5}, {"7", TextAlign::Left, 7}, {"<12", TextAlign::Left, 12},
      {"<abc", TextAlign::Left, 0},
  };
  for (const Case& c : cases) {
    const ColumnFormat f = ParseColumnFormat(c.text);
    EXPECT_EQ(f.align, c.align) << c.text;
    EXPECT_DOUBLE_EQ(f.width, c.width) << c.text;
  }
  EXPECT_EQ(SplitAt("a|b||", '|'), (std::vector<std::string>{"a", "b", "", ""}));
  EXPECT_EQ(SplitAt("", '|'), std::vector<std::string>{""});
}

TEST(PrintChecks, BytesPerRowMustBeAWholeNumberThatFits) {
  const std::pair<const char*, int32_t> cases[] = {
      {"", 0}, {"0", 0}, {"16", 16}, {"007", 7}, {"1a", 0}, {" 16", 0}, {"-3", 0}, {"1024", 1024}, {"1025", 0},
      {"99999999999999999999", 0},
  };
  for (const auto& [text, n] : cases) EXPECT_EQ(ParseBytesPerRow(text, kMaxDumpBytesPerRow), n) << text;
  EXPECT_EQ(ParseBytesPerRow("17", 16), 0);
  EXPECT_EQ(BytesPerRowThatFit(76, false), 16);
  EXPECT_EQ(BytesPerRowThatFit(76, true), 21);
  EXPECT_EQ(BytesPerRowThatFit(15, false), 0);
  EXPECT_EQ(BytesPerRowThatFit(12, true), 0);
  EXPECT_EQ(BytesPerRowThatFit(100000, true), kMaxDumpBytesPerRow);
  EXPECT_DOUBLE_EQ(ConvertMargin(15, 0, 1), 0.59);
  EXPECT_DOUBLE_EQ(ConvertMargin(0.59, 1, 0), 14.99);
  EXPECT_DOUBLE_EQ(ConvertMargin(12.5, 0, 0), 12.5);
}

TEST(PrintChecks, SettingsKeepTheirKeysAndDefaults) {
  test::TempDir dir;
  const std::string path = dir.File("quoxa.ini");
  test::ScopedEnv env("QUOXA_INI", path);
  const PrintSettings defaults = ReadPrintSettings();
  EXPECT_EQ(defaults.margins, (std::array<double, 4>{15, 15, 15, 15}));
  EXPECT_EQ(defaults.bytesPerRow, "16");
  EXPECT_EQ(defaults.fontSizeIndex, 1);
  TIniFile ini(path);
  ini.WriteInteger("Printing", "Unit", 1);
  ini.WriteInteger("Printing", "MarginTop", 100);
  ini.WriteString("Printing", "BytesPerRow", "abc");
  ini.WriteInteger("Printing", "FontSizeIndex", 7);
  const PrintSettings inch = ReadPrintSettings();
  EXPECT_EQ(inch.margins, (std::array<double, 4>{0.59, 0.59, 1, 0.59}));
  EXPECT_EQ(inch.bytesPerRow, "16");
  EXPECT_EQ(inch.fontSizeIndex, 1);

  PrintSettings s;
  s.unit = 0;
  s.margins = {12.34, 0, 99.99, 4.235};
  s.printerIndex = 2;
  s.fontSizeIndex = 2;
  s.bytesPerRow = "25";
  s.landscape = s.textBelow = true;
  ASSERT_TRUE(ini.EraseSection("Printing"));
  ASSERT_TRUE(WritePrintSettings(s));
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Unit", "0"},          {"MarginLeft", "1234"}, {"MarginRight", "0"},    {"MarginTop", "9999"},
      {"MarginBottom", "424"}, {"PrinterIndex", "2"},  {"FontSizeIndex", "2"}, {"BytesPerRow", "25"},
      {"Landscape", "1"},     {"OffsetDecimal", "0"}, {"TextBelow", "1"},      {"OutputToFile", "0"}};
  EXPECT_EQ(ini.ReadSectionValues("Printing"), expected);
  const PrintSettings back = ReadPrintSettings();
  EXPECT_EQ(back.margins, (std::array<double, 4>{12.34, 0, 99.99, 4.24}));
  EXPECT_TRUE(back.landscape && back.textBelow && !back.offsetDecimal);
}

}  // namespace
}  // namespace quoxa
