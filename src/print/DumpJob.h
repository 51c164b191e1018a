#pragma once
// The hex dump job without any window: which bytes a range covers, and the loop that sends
// the rows to the report engine or to a text file under the progress box.

#include <cstdint>
#include <string>

#include "print/DumpFormat.h"

namespace quoxa {

enum class DumpScope { CurrentPage, Selection, All };

// 1-based positions; empty when last < first.
struct DumpRange {
  int64_t first = 1;
  int64_t last = 0;
  int64_t Bytes() const { return last >= first ? last - first + 1 : 0; }
};

// The editor state a range is taken from.
struct DumpView {
  int64_t docSize = 0;
  int64_t topAddress = 1;
  int64_t lastShown = 0;
  int64_t blockBegin = 0;
  int64_t blockEnd = 0;
};

// The view of the document state in force.
DumpView CurrentDumpView();

// The start of the row of n that holds pos: pos - ((pos - 1) mod n), at least 1.
int64_t DumpRowStart(int64_t pos, int32_t n);

// Rows the printer's first page takes for the current page: one line less than are left,
// halved for two-line rows.
int32_t RowsOnFirstPage(int32_t linesLeft, bool textBelow);

// The range of a scope. rowsOnFirstPage < 0: output to a file (the current page ends at the
// last byte shown); otherwise the current page takes that many rows.
DumpRange DumpRangeFor(DumpScope scope, int32_t bytesPerRow, const DumpView& view, int32_t rowsOnFirstPage);

// What the dump needs of the report engine. Lines are code-page bytes.
class IDumpPrinter {
 public:
  virtual ~IDumpPrinter() = default;
  // False when the line had to be cut to fit the width.
  virtual bool PrintLine(const std::string& line) = 0;
  virtual bool Fits(int32_t lines) const = 0;
  virtual int32_t NewPage() = 0;
  virtual int32_t PageNumber() const = 0;
  // Whether the line fits the width, without printing it.
  virtual bool FitsWidth(const std::string& line) const = 0;
  // True when lines of one length are equally wide (every character of the font is).
  virtual bool WidthFollowsLength() const = 0;
  // Blocks of lines lines each that fit from the current line to the page's end.
  virtual int32_t BlocksLeft(int32_t lines) const = 0;
};

enum class DumpOutcome { Done, Aborted, DidNotFit, WriteFailed };

struct DumpResult {
  DumpOutcome outcome = DumpOutcome::Done;
  int error = 0;  // the I/O error number of WriteFailed
  int64_t bytes = 0;
};

// Prints the rows of the range (the engine's job is open and its first page begun). Shows
// and closes the progress box.
DumpResult DumpToPrinter(IDumpPrinter& printer, const TDumpRows& rows, DumpRange range);

// The pages of a dump drawn one at a time, when they are shown or printed: each page holds
// rowsPerPage rows below its header. pages 0: the pages are only known by printing every row in
// turn (DumpToPrinter).
struct DumpPlan {
  DumpOutcome outcome = DumpOutcome::Done;  // DidNotFit: a row is wider than the page
  int64_t pages = 0;
  int64_t rowsPerPage = 0;
};

// Plans the pages from the engine's first page, just begun. Rows of one length are as wide
// as each other, so the longest rows tell whether all fit; every page begins as the first.
DumpPlan PlanDumpPages(const IDumpPrinter& printer, const TDumpRows& rows, DumpRange range);

// Prints the rows of one page (1-based) of a plan on a page just begun.
void DumpPage(IDumpPrinter& printer, const TDumpRows& rows, DumpRange range, const DumpPlan& plan,
              int64_t page);

// Writes the text output: the header lines, the ruler and the rows, UTF-8 with "\n" line
// ends, through the safe writer. documentName is shown without its folder.
DumpResult DumpToFile(const std::string& path, const TDumpRows& rows, DumpRange range,
                      const std::string& documentName);

// The header lines of the text output, each with its line end.
std::string DumpFileHeader(const std::string& documentName, const std::string& ruler);

}  // namespace quoxa
