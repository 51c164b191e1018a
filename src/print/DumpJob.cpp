#include "print/DumpJob.h"

#include <algorithm>
#include <array>

#include "core/AtomicFileWriter.h"
#include "core/CodePage.h"
#include "core/DocState.h"
#include "core/Progress.h"
#include "core/TextFormat.h"
#include "print/PrintTexts.h"

namespace quoxa {

namespace {

// Bytes output between two progress updates.
constexpr int64_t kProgressEvery = 64;
// Bytes of the text output between two showings of its page, each of which lets pending
// events through: no one reads the label faster, and showing each of its pages cost four
// times the output itself.
constexpr int64_t kFileTextEvery = 1 << 20;
// Rows that count as one page of the text output in the progress box (counted from 1).
constexpr int64_t kFileRowsPerPage = 50;
constexpr int kGaugeStep = 5;
// The text output is handed to the writer in pieces of about this size.
constexpr size_t kWriteChunk = 1u << 20;

ProgressSpec DumpProgressSpec() {
  return {true, true, FormatMsgD(msg::kProgressPage, 1), msg::kGeneratingPreview};
}

// Moves the gauge; shows the page when it changed. True when the user aborted.
bool UpdateProgress(TProgressBox& box, int64_t done, int64_t total, int64_t page, int64_t& shownPage) {
  box.SetProgress(done, total, kGaugeStep);
  if (page != shownPage) {
    shownPage = page;
    box.SetText(FormatMsgD(msg::kProgressPage, page), 1);
  }
  return box.Aborted();
}

// UTF-8 of every code-page byte.
struct Utf8Table {
  Utf8Table() {
    for (int b = 0; b < 256; ++b) {
      const std::string s = CodePointToUtf8(ByteToUnicode(static_cast<uint8_t>(b)));
      length[static_cast<size_t>(b)] = static_cast<uint8_t>(s.size());
      std::copy(s.begin(), s.end(), bytes[static_cast<size_t>(b)].begin());
    }
  }
  std::array<std::array<char, 4>, 256> bytes{};
  std::array<uint8_t, 256> length{};
};

void AppendLine(std::string& out, const std::string& line) {
  static const Utf8Table table;
  // Room for the longest UTF-8 first, then written through a pointer: millions of rows.
  const size_t at = out.size();
  out.resize(at + 3 * line.size() + 1);
  char* p = out.data() + at;
  for (const char c : line) {
    const auto b = static_cast<uint8_t>(c);
    if (b < 0x80) {
      *p++ = c;
    } else {
      const auto& bytes = table.bytes[b];
      p[0] = bytes[0];
      p[1] = bytes[1];
      p[2] = bytes[2];
      p += table.length[b];
    }
  }
  *p++ = '\n';
  out.resize(static_cast<size_t>(p - out.data()));
}

int Flush(AtomicFileWriter& writer, std::string& buffer) {
  int64_t written = 0;
  const int error = writer.Write(reinterpret_cast<const uint8_t*>(buffer.data()),
                                 static_cast<int64_t>(buffer.size()), written);
  buffer.clear();
  return error;
}

}  // namespace

DumpView CurrentDumpView() {
  DumpView view;
  view.docSize = Doc().DocSize;
  view.topAddress = Doc().TopAddress;
  view.lastShown = Doc().LastShownAddress;
  view.blockBegin = Doc().BlockBegin;
  view.blockEnd = Doc().BlockEnd;
  return view;
}

int64_t DumpRowStart(int64_t pos, int32_t n) {
  if (n < 1) n = 1;
  const int64_t start = pos - (pos - 1) % n;
  return std::max<int64_t>(start, 1);
}

int32_t RowsOnFirstPage(int32_t linesLeft, bool textBelow) {
  const int32_t lines = std::max(linesLeft - 1, 0);
  return textBelow ? lines / 2 : lines;
}

DumpRange DumpRangeFor(DumpScope scope, int32_t bytesPerRow, const DumpView& view, int32_t rowsOnFirstPage) {
  DumpRange range;
  switch (scope) {
    case DumpScope::All:
      range.last = view.docSize;
      break;
    case DumpScope::CurrentPage: {
      range.first = DumpRowStart(view.topAddress, bytesPerRow);
      const int64_t last =
          rowsOnFirstPage < 0 ? view.lastShown : range.first + int64_t{rowsOnFirstPage} * bytesPerRow - 1;
      range.last = std::min<int64_t>(last, view.docSize);
      break;
    }
    case DumpScope::Selection: {
      const int64_t begin = std::min(view.blockBegin, view.blockEnd);
      const int64_t end = std::max(view.blockBegin, view.blockEnd);
      range.first = DumpRowStart(begin, bytesPerRow);
      range.last = std::min(end, view.docSize);
      break;
    }
  }
  return range;
}

DumpResult DumpToPrinter(IDumpPrinter& printer, const TDumpRows& rows, DumpRange range) {
  TProgressBox box(DumpProgressSpec());
  const int32_t n = rows.Options().bytesPerRow;
  const bool below = rows.Options().textBelow;
  const int64_t total = range.Bytes();
  std::string first;
  std::string second;
  DumpResult result;
  int64_t shownPage = 1;
  for (int64_t pos = range.first; pos <= range.last; pos += n) {
    const auto count = static_cast<int32_t>(std::min<int64_t>(n, range.last - pos + 1));
    rows.Format(pos - 1, Doc().DocBuffer + pos - 1, count, first, second);
    bool fitted = true;
    if (below) {
      if (!printer.Fits(2)) printer.NewPage();
      fitted = printer.PrintLine(first) && printer.PrintLine(second);
    } else {
      fitted = printer.PrintLine(first);
    }
    result.bytes += count;
    if (!fitted) {
      result.outcome = DumpOutcome::DidNotFit;
      break;
    }
    if (result.bytes % kProgressEvery == 0 &&
        UpdateProgress(box, result.bytes, total, printer.PageNumber(), shownPage)) {
      result.outcome = DumpOutcome::Aborted;
      break;
    }
  }
  return result;
}

DumpPlan PlanDumpPages(const IDumpPrinter& printer, const TDumpRows& rows, DumpRange range) {
  DumpPlan plan;
  if (!printer.WidthFollowsLength()) return plan;
  const int32_t n = rows.Options().bytesPerRow;
  const bool below = rows.Options().textBelow;
  const int64_t rowCount = (range.Bytes() + n - 1) / n;
  // The longest lines: the last full row and the last row have the longest offsets.
  std::string first;
  std::string second;
  for (const int64_t row : {range.Bytes() / n - 1, rowCount - 1}) {
    if (row < 0) continue;
    const int64_t pos = range.first + row * n;
    const auto count = static_cast<int32_t>(std::min<int64_t>(n, range.last - pos + 1));
    rows.Format(pos - 1, Doc().DocBuffer + pos - 1, count, first, second);
    if (!printer.FitsWidth(first) || (below && !printer.FitsWidth(second))) {
      plan.outcome = DumpOutcome::DidNotFit;
      return plan;
    }
  }
  // A page without room for one row: where its rows go only printing them tells.
  const int32_t perPage = printer.BlocksLeft(below ? 2 : 1);
  if (perPage < 1) return plan;
  plan.rowsPerPage = perPage;
  plan.pages = std::max<int64_t>(1, (rowCount + perPage - 1) / perPage);
  return plan;
}

void DumpPage(IDumpPrinter& printer, const TDumpRows& rows, DumpRange range, const DumpPlan& plan,
              int64_t page) {
  const int32_t n = rows.Options().bytesPerRow;
  std::string first;
  std::string second;
  const int64_t from = range.first + (page - 1) * plan.rowsPerPage * n;
  const int64_t to = std::min(range.last, from + plan.rowsPerPage * n - 1);
  for (int64_t pos = from; pos <= to; pos += n) {
    const auto count = static_cast<int32_t>(std::min<int64_t>(n, range.last - pos + 1));
    rows.Format(pos - 1, Doc().DocBuffer + pos - 1, count, first, second);
    printer.PrintLine(first);
    if (rows.Options().textBelow) printer.PrintLine(second);
  }
}

std::string DumpFileHeader(const std::string& documentName, const std::string& ruler) {
  std::string header = "File: ";
  AppendLine(header, FileNameOnly(documentName));
  AppendLine(header, std::string(msg::kOutputBy) + kProgramWebAddress);
  header.push_back('\n');
  AppendLine(header, ruler);
  return header;
}

// At least the size of the text: the header and every row as long as a full row whose
// characters all take three bytes in UTF-8. The writer reserves it and cuts to what it got.
int64_t DumpSizeBound(const TDumpRows& rows, DumpRange range, const std::string& documentName) {
  const int32_t n = rows.Options().bytesPerRow;
  int64_t perRow = 0;
  if (range.Bytes() > 0 && n > 0) {
    std::string first;
    std::string second;
    const auto count = static_cast<int32_t>(std::min<int64_t>(n, range.Bytes()));
    rows.Format(range.first - 1, Doc().DocBuffer + range.first - 1, count, first, second);
    perRow = static_cast<int64_t>(first.size()) + 2 * n + 1;
    if (rows.Options().textBelow) perRow += static_cast<int64_t>(second.size()) + 2 * n + 1;
  }
  const int64_t rowCount = n > 0 ? (range.Bytes() + n - 1) / n : 0;
  return static_cast<int64_t>(DumpFileHeader(documentName, rows.Ruler()).size()) + rowCount * perRow;
}

DumpResult DumpToFile(const std::string& path, const TDumpRows& rows, DumpRange range,
                      const std::string& documentName) {
  DumpResult result;
  AtomicFileWriter writer;
  result.error = writer.Begin(path, DumpSizeBound(rows, range, documentName));
  if (result.error != 0) {
    result.outcome = DumpOutcome::WriteFailed;
    return result;
  }
  TProgressBox box(DumpProgressSpec());
  const int32_t n = rows.Options().bytesPerRow;
  const int64_t total = range.Bytes();
  std::string buffer = DumpFileHeader(documentName, rows.Ruler());
  buffer.reserve(kWriteChunk + 4096);
  std::string first;
  std::string second;
  int64_t shownPage = 1;
  int64_t textAt = kFileTextEvery;
  for (int64_t pos = range.first; pos <= range.last && result.error == 0; pos += n) {
    const auto count = static_cast<int32_t>(std::min<int64_t>(n, range.last - pos + 1));
    rows.Format(pos - 1, Doc().DocBuffer + pos - 1, count, first, second);
    AppendLine(buffer, first);
    if (rows.Options().textBelow) AppendLine(buffer, second);
    if (buffer.size() >= kWriteChunk) result.error = Flush(writer, buffer);
    result.bytes += count;
    if (result.bytes % kProgressEvery != 0) continue;
    int64_t page = shownPage;
    if (result.bytes >= textAt) {
      page = result.bytes / n / kFileRowsPerPage + 1;
      textAt = result.bytes + kFileTextEvery;
    }
    if (UpdateProgress(box, result.bytes, total, page, shownPage)) {
      result.outcome = DumpOutcome::Aborted;
      break;
    }
  }
  // An aborted output keeps the rows written so far, as a closed file.
  if (result.error == 0 && !buffer.empty()) result.error = Flush(writer, buffer);
  if (result.error == 0) result.error = writer.Commit(std::nullopt);
  if (result.error != 0) {
    writer.Discard();
    result.outcome = DumpOutcome::WriteFailed;
  }
  return result;
}

}  // namespace quoxa
