// Hex dump rows, ranges, the job loop against a fake report engine, and the text output.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Recorders.h"
#include "TempDir.h"
#include "TestDocument.h"
#include "core/CodePage.h"
#include "core/DocState.h"
#include "print/DumpJob.h"

namespace quoxa {
namespace {

using namespace std::string_literals;

constexpr const char* kHello = "Hello world\r\n\0\1\2";  // 16 bytes, the last five below 32

std::string Hello() { return std::string(kHello, 16); }
std::string Blanks(size_t n) { return std::string(n, ' '); }

std::string Hex2(int value, bool decimal) {
  char text[8];
  std::snprintf(text, sizeof text, decimal ? "%02d" : "%02X", value);
  return text;
}

struct RowCase {
  const char* name;
  std::string bytes;
  int64_t offset;
  DumpOptions options;
  std::string first;
  std::string second;
};

TEST(DumpRows, FormatsOffsetHexAndText) {
  const RowCase cases[] = {
      {"second row of 16", Hello(), 16, {16, false, false},
       "000000010:  48 65 6C 6C 6F 20 77 6F 72 6C 64 0D 0A 00 01 02 Hello world.....", ""},
      {"decimal offset", Hello(), 16, {16, true, false},
       "000000016:  48 65 6C 6C 6F 20 77 6F 72 6C 64 0D 0A 00 01 02 Hello world.....", ""},
      {"short last row keeps its columns", "AB", 32, {4, false, false}, "000000020:  41 42 " + Blanks(6) + "AB", ""},
      {"text below: blanks for control codes", "A\x01z", 0, {4, false, true},
       "000000000:  41 01 7A " + Blanks(3), Blanks(13) + "A" + Blanks(5) + "z"},
      {"no glyph: DEL and unassigned bytes", "\x7F\x81\x8D\x8F\x90\x9D\xE4\x80", 0, {8, false, false},
       "000000000:  7F 81 8D 8F 90 9D E4 80 ......\xE4\x80", ""},
      {"largest hex offset", "\xFF", 0x7FFFFFFF, {1, false, false}, "07FFFFFFF:  FF \xFF", ""},
      {"decimal offset of ten digits", "\xFF", 2147483647, {1, true, false}, "2147483647:  FF \xFF", ""},
  };
  for (const RowCase& c : cases) {
    const TDumpRows rows(c.options);
    std::string first = "stale";
    std::string second = "stale";
    rows.Format(c.offset, reinterpret_cast<const uint8_t*>(c.bytes.data()), static_cast<int32_t>(c.bytes.size()),
                first, second);
    EXPECT_EQ(first, c.first) << c.name;
    EXPECT_EQ(second, c.second) << c.name;
  }
}

TEST(DumpRows, RulerHexBytesAndCharactersBelowLineUp) {
  EXPECT_EQ(DumpRuler(16, false), "Offset hex. 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F ");
  EXPECT_EQ(DumpRuler(12, true), "Offset dec. 00 01 02 03 04 05 06 07 08 09 10 11 ");
  std::string all(256, '\0');
  for (int i = 0; i < 256; ++i) all[static_cast<size_t>(i)] = static_cast<char>(i);
  for (const int32_t n : {1, 10, 16, 25, 48}) {
    const TDumpRows rows({n, false, true});
    std::string first;
    std::string second;
    rows.Format(0, reinterpret_cast<const uint8_t*>(all.data()) + 64, n, first, second);
    ASSERT_EQ(rows.Ruler().size(), size_t(kDumpOffsetChars + 3 * n)) << n;
    ASSERT_EQ(first.size(), rows.Ruler().size()) << n;
    EXPECT_EQ(DumpLineChars({n, false, false}), kDumpOffsetChars + 4 * n);
    for (int32_t i = 0; i < n; ++i) {
      // Column i: its number in the ruler, its byte above, its character under the second digit.
      const size_t col = static_cast<size_t>(kDumpOffsetChars + 3 * i);
      char number[16];
      char hex[16];
      std::snprintf(number, sizeof number, "%02X", static_cast<unsigned>(i));
      std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned>(64 + i));
      EXPECT_EQ(rows.Ruler().substr(col, 2), number);
      EXPECT_EQ(first.substr(col, 2), hex);
      EXPECT_EQ(second[col + 1], static_cast<char>(64 + i)) << "n " << n << " col " << i;
    }
  }
  // 25 per row: 75-character hex parts, offsets 0, 25, 50.
  const std::string bytes(75, 'x');
  const TDumpRows rows({25, false, false});
  std::string first;
  std::string second;
  for (int64_t offset : {0, 25, 50}) {
    rows.Format(offset, reinterpret_cast<const uint8_t*>(bytes.data()) + offset, 25, first, second);
    EXPECT_EQ(first.size(), size_t(12 + 75 + 25));
    EXPECT_EQ(first.substr(0, 9), offset == 0 ? "000000000" : offset == 25 ? "000000019" : "000000032");
  }
}

struct RangeCase {
  const char* name;
  DumpScope scope;
  int32_t n;
  DumpView view;
  int32_t rowsOnFirstPage;
  int64_t first;
  int64_t last;
};

TEST(DumpRanges, EachScopeStartsAtItsRowAndStopsAtTheEnd) {
  // docSize, topAddress, lastShown, blockBegin, blockEnd
  const RangeCase cases[] = {
      {"page from the top, to a file", DumpScope::CurrentPage, 16, {1000, 1, 160, 0, 0}, -1, 1, 160},
      {"page from the middle of a row", DumpScope::CurrentPage, 16, {1000, 21, 180, 0, 0}, -1, 17, 180},
      {"page to the printer takes its rows", DumpScope::CurrentPage, 16, {1000, 21, 180, 0, 0}, 3, 17, 64},
      {"page rows end at the document's end", DumpScope::CurrentPage, 16, {40, 1, 40, 0, 0}, 10, 1, 40},
      {"page with other row width than the grid", DumpScope::CurrentPage, 25, {1000, 17, 176, 0, 0}, 2, 1, 50},
      {"selection from its row to its last byte", DumpScope::Selection, 16, {1000, 1, 160, 20, 40}, 5, 17, 40},
      {"selection marked backwards", DumpScope::Selection, 10, {1000, 1, 160, 40, 12}, -1, 11, 40},
      {"all", DumpScope::All, 16, {1000, 500, 660, 3, 4}, 2, 1, 1000},
      {"empty document", DumpScope::All, 16, {0, 1, 0, 0, 0}, -1, 1, 0},
      {"empty document, current page", DumpScope::CurrentPage, 16, {0, 1, 0, 0, 0}, 40, 1, 0},
  };
  for (const RangeCase& c : cases) {
    const DumpRange range = DumpRangeFor(c.scope, c.n, c.view, c.rowsOnFirstPage);
    EXPECT_EQ(range.first, c.first) << c.name;
    EXPECT_EQ(range.last, c.last) << c.name;
  }
  EXPECT_EQ(RowsOnFirstPage(10, false), 9);
  EXPECT_EQ(RowsOnFirstPage(10, true), 4);
  EXPECT_EQ(RowsOnFirstPage(0, true), 0);
  EXPECT_EQ(DumpRowStart(1, 16), 1);
  EXPECT_EQ(DumpRowStart(32, 16), 17);
  EXPECT_EQ(DumpRowStart(33, 16), 33);
}

// Pages of a fixed number of lines, each begun with its header lines; lines of a fixed width.
class FakePrinter final : public IDumpPrinter {
 public:
  FakePrinter(int lines, size_t width, int header = 0)
      : lines_(lines), width_(width), header_(header) {
    NewPage();
  }
  bool PrintLine(const std::string& line) override {
    if (!Fits(1)) NewPage();
    pages.back().push_back(line.substr(0, width_));
    return line.size() <= width_;
  }
  bool Fits(int32_t n) const override { return static_cast<int>(pages.back().size()) + n <= lines_; }
  int32_t NewPage() override {
    pages.emplace_back(static_cast<size_t>(header_), "header");
    return PageNumber();
  }
  int32_t PageNumber() const override { return static_cast<int32_t>(pages.size()); }
  bool FitsWidth(const std::string& line) const override { return line.size() <= width_; }
  bool WidthFollowsLength() const override { return true; }
  int32_t BlocksLeft(int32_t n) const override {
    return std::max(0, (lines_ - static_cast<int>(pages.back().size())) / n);
  }
  std::vector<std::vector<std::string>> pages;

 private:
  int lines_;
  size_t width_;
  int header_;
};

class DumpJobs : public ::testing::Test {
 protected:
  test::RecorderScope rec;
};

TEST_F(DumpJobs, PrinterGetsEveryRowAndKeepsTwoLineRowsTogether) {
  test::LoadDocument(test::Ramp(100));
  FakePrinter printer(5, 200);
  const DumpResult result = DumpToPrinter(printer, TDumpRows({10, false, true}), {1, 100});
  EXPECT_EQ(result.outcome, DumpOutcome::Done);
  EXPECT_EQ(result.bytes, 100);
  ASSERT_EQ(printer.pages.size(), 5u);  // two rows of two lines per page of five
  for (const auto& page : printer.pages) {
    ASSERT_EQ(page.size(), 4u);
    EXPECT_EQ(page[0].substr(0, 12), page[0].substr(0, 9) + ":  ");
    EXPECT_EQ(page[1].substr(0, 11), std::string(11, ' '));
  }
  EXPECT_EQ(printer.pages[4][2].substr(0, 9), "00000005A");
  ASSERT_EQ(rec.progress.boxes.size(), 1u);
  EXPECT_EQ(rec.progress.boxes[0]->setup.caption, "Generating Preview...");
  EXPECT_EQ(rec.progress.boxes[0]->setup.text, "Page: 1");
  EXPECT_TRUE(rec.progress.boxes[0]->closed);
}

TEST_F(DumpJobs, ALineTooWideEndsThePrinterOutput) {
  test::LoadDocument(test::Ramp(64));
  FakePrinter printer(60, 40);
  const DumpResult result = DumpToPrinter(printer, TDumpRows({16, false, false}), {1, 64});
  EXPECT_EQ(result.outcome, DumpOutcome::DidNotFit);
  EXPECT_EQ(result.bytes, 16);
}

TEST_F(DumpJobs, AbortStopsAtAProgressUpdateAndPagesAreCounted) {
  test::LoadDocument(test::Ramp(64 * 100));
  rec.progress.abortAfterUpdates = 2;
  FakePrinter printer(10, 200);
  const DumpResult result = DumpToPrinter(printer, TDumpRows({16, false, false}), {1, 64 * 100});
  EXPECT_EQ(result.outcome, DumpOutcome::Aborted);
  EXPECT_EQ(result.bytes, 64 * 10);  // the gauge moved at 5 % and 10 %
  EXPECT_EQ(rec.progress.boxes[0]->texts, (std::vector<std::string>{"Page: 2", "Page: 3", "Page: 4"}));
}

TEST_F(DumpJobs, PagesDrawnOneAtATimeAreThePagesPrintedInTurn) {
  test::LoadDocument(test::Ramp(1000) + std::string(1000, '\x7F'));
  struct Case {
    int lines;
    size_t width;
    int header;
    DumpOptions options;
    DumpRange range;
  };
  const Case cases[] = {
      {10, 200, 3, {16, false, false}, {1, 2000}},    // seven rows a page, a short last row
      {10, 200, 3, {16, false, false}, {1, 112}},     // the last page just full
      {9, 200, 2, {10, true, true}, {11, 1995}},      // two-line rows, three a page
      {8, 200, 3, {25, false, true}, {1, 20}},        // one short two-line row
      {10, 200, 3, {16, false, false}, {1, 0}},       // no rows: one page
      {60, 75, 1, {16, false, false}, {1, 2000}},     // rows too wide
      {60, 75, 1, {16, false, false}, {1989, 2000}},  // only a short row: it fits
      {60, 59, 1, {16, false, true}, {1, 40}},        // the line below fits, the hex line not
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.lines << " lines, " << c.options.bytesPerRow
                                    << " a row from " << c.range.first << " to " << c.range.last);
    FakePrinter inTurn(c.lines, c.width, c.header);
    const DumpResult printed = DumpToPrinter(inTurn, TDumpRows(c.options), c.range);
    FakePrinter first(c.lines, c.width, c.header);
    const DumpPlan plan = PlanDumpPages(first, TDumpRows(c.options), c.range);
    EXPECT_EQ(plan.outcome, printed.outcome);
    if (printed.outcome != DumpOutcome::Done) continue;
    ASSERT_EQ(plan.pages, static_cast<int64_t>(inTurn.pages.size()));
    for (int64_t page = 1; page <= plan.pages; ++page) {
      FakePrinter one(c.lines, c.width, c.header);
      DumpPage(one, TDumpRows(c.options), c.range, plan, page);
      EXPECT_EQ(one.pages,
                std::vector<std::vector<std::string>>{inTurn.pages[static_cast<size_t>(page - 1)]})
          << "page " << page;
    }
  }
  // A page without room for a row: only printing the rows in turn tells the pages.
  FakePrinter full(3, 200, 3);
  EXPECT_EQ(PlanDumpPages(full, TDumpRows({16, false, false}), {1, 100}).pages, 0);
}

class DumpFiles : public ::testing::Test {
 protected:
  std::string Run(DumpRange range, DumpOptions options = {}) {
    const DumpResult result = DumpToFile(path, TDumpRows(options), range, "/some/folder/doc.bin");
    EXPECT_EQ(result.outcome, DumpOutcome::Done);
    return test::TempDir::Read(path);
  }
  test::RecorderScope rec;
  test::TempDir dir;
  std::string path = dir.File("dump.txt");
  const std::string header =
      "File: doc.bin\nOutput by QUOXA - https://quoxa.example.org\n\n"
      "Offset hex. 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F \n";
};

TEST_F(DumpFiles, TextOutputHasItsHeaderThenTheRowsInUtf8) {
  test::LoadDocument(std::string(16, 'a') + Hello() + "\xE4");
  EXPECT_EQ(Run({17, 33}), header +
                               "000000010:  48 65 6C 6C 6F 20 77 6F 72 6C 64 0D 0A 00 01 02 Hello world.....\n"
                               "000000020:  E4" + Blanks(46) + "\xC3\xA4\n");
  EXPECT_EQ(Run({17, 18}, {4, true, true}),
            "File: doc.bin\nOutput by QUOXA - https://quoxa.example.org\n\nOffset dec. 00 01 02 03 \n"
            "000000016:  48 65 " + Blanks(6) + "\n" + Blanks(13) + "H  e\n");
  test::LoadDocument("");
  EXPECT_EQ(Run({1, 0}), header);
  EXPECT_TRUE(rec.messages.shown.empty());
}

// The described layout written out plainly: snprintf for the numbers, the code page's UTF-8
// byte by byte.
std::string NaiveDump(const std::string& bytes, DumpRange range, DumpOptions o) {
  const auto visible = [](uint8_t b) {
    return b >= 32 && b != 0x7F && b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D;
  };
  const auto utf8 = [](uint8_t b) { return CodePointToUtf8(ByteToUnicode(b)); };
  std::string out = "File: doc.bin\nOutput by QUOXA - https://quoxa.example.org\n\n";
  out += o.decimalOffsets ? "Offset dec. " : "Offset hex. ";
  for (int i = 0; i < o.bytesPerRow; ++i) out += Hex2(i, o.decimalOffsets) + " ";
  out += "\n";
  for (int64_t pos = range.first; pos <= range.last; pos += o.bytesPerRow) {
    const int64_t used = std::min<int64_t>(o.bytesPerRow, range.last - pos + 1);
    char offset[32];
    std::snprintf(offset, sizeof offset,
                  o.decimalOffsets ? "%9.9lld:  " : "%9.9llX:  ", static_cast<long long>(pos - 1));
    std::string hex;
    std::string text;
    std::string below(11, ' ');
    for (int64_t i = 0; i < used; ++i) {
      const auto b = static_cast<uint8_t>(bytes[static_cast<size_t>(pos - 1 + i)]);
      hex += Hex2(b, false) + " ";
      text += visible(b) ? utf8(b) : ".";
      below += "  " + (visible(b) ? utf8(b) : " ");
    }
    hex.resize(3 * static_cast<size_t>(o.bytesPerRow), ' ');
    out += offset + hex + (o.textBelow ? "\n" + below : text) + "\n";
  }
  return out;
}

TEST_F(DumpFiles, TextOutputMatchesAPlainModel) {
  std::string bytes(5000, '\0');
  uint32_t seed = 12345;
  for (char& c : bytes) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 24);
  test::LoadDocument(bytes);
  const DumpOptions options[] = {
      {16, false, false}, {1, true, false}, {25, false, true}, {7, true, true}};
  const DumpRange ranges[] = {{1, 5000}, {5, 4990}, {4990, 5000}};
  for (const DumpOptions& o : options) {
    for (const DumpRange range : ranges) {
      EXPECT_EQ(Run(range, o), NaiveDump(bytes, range, o))
          << o.bytesPerRow << (o.decimalOffsets ? " dec" : " hex") << (o.textBelow ? " below" : "")
          << " from " << range.first;
    }
  }
}

TEST_F(DumpFiles, TheTextOutputShowsItsPageOncePerMebibyte) {
  // Each page text lets pending events through; millions of rows cannot wait for them.
  test::LoadDocument(test::Ramp(3 * 1024 * 1024 + 5000));
  Run({1, 3 * 1024 * 1024 + 5000});
  ASSERT_EQ(rec.progress.boxes.size(), 1u);
  EXPECT_EQ(rec.progress.boxes[0]->texts,
            (std::vector<std::string>{"Page: 1311", "Page: 2622", "Page: 3933"}));
  EXPECT_EQ(rec.progress.boxes[0]->gauge.size(), 20u);
  EXPECT_EQ(rec.progress.boxes[0]->gauge.back(), 100);
}

TEST_F(DumpFiles, AFileThatCannotBeCreatedIsAnError) {
  test::LoadDocument("abc");
  const DumpResult result = DumpToFile(dir.File("no/such/folder/dump.txt"), TDumpRows({}), {1, 3}, "doc.bin");
  EXPECT_EQ(result.outcome, DumpOutcome::WriteFailed);
  EXPECT_EQ(result.error, 3);
  EXPECT_TRUE(rec.progress.boxes.empty());
}

TEST_F(DumpFiles, AnAbortedOutputKeepsTheRowsWritten) {
  test::LoadDocument(test::Ramp(6400));
  rec.progress.abortAfterUpdates = 1;
  const DumpResult result = DumpToFile(path, TDumpRows({16, false, false}), {1, 6400}, "doc.bin");
  EXPECT_EQ(result.outcome, DumpOutcome::Aborted);
  const std::string text = test::TempDir::Read(path);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4 + 320 / 16);  // the gauge moved at 5 %
  EXPECT_EQ(rec.progress.boxes[0]->texts, std::vector<std::string>{});
}

}  // namespace
}  // namespace quoxa
