#include "search/StringScan.h"

#include <algorithm>
#include <array>

namespace quoxa {

namespace {

constexpr int64_t kReportEvery = int64_t{1} << 20;

constexpr std::array<bool, 256> MakePrintable() {
  std::array<bool, 256> table{};
  table['\t'] = true;
  for (int c = 0x20; c < 0x7F; ++c) table[c] = true;
  return table;
}
constexpr std::array<bool, 256> kPrintable = MakePrintable();

bool Report(SearchProgress* progress, int64_t at, bool& abort) {
  if (progress != nullptr && at >= progress->due) progress->Report(at, abort);
  return !abort;
}

bool ScanAscii(const uint8_t* data, int64_t size, int64_t minLength, std::vector<FoundString>& out,
               SearchProgress* progress, bool& abort) {
  int64_t pos = 0;
  while (pos < size) {
    const int64_t stop = std::min(size, pos + kReportEvery);
    while (pos < stop) {
      if (!kPrintable[data[pos]]) {
        ++pos;
        continue;
      }
      const int64_t start = pos;
      while (pos < size && kPrintable[data[pos]]) ++pos;
      if (pos - start >= minLength) out.push_back({start, pos - start, StringEncoding::Ascii});
    }
    if (!Report(progress, pos, abort)) return false;
  }
  return true;
}

// A character is two bytes, the second zero; after one that is not printable the scan goes on
// at its second byte, so that a run may start at any offset.
bool ScanUtf16(const uint8_t* data, int64_t size, int64_t minLength, std::vector<FoundString>& out,
               SearchProgress* progress, bool& abort) {
  int64_t pos = 0;
  int64_t nextReport = kReportEvery;
  while (pos + 1 < size) {
    if (!kPrintable[data[pos]] || data[pos + 1] != 0) {
      ++pos;
    } else {
      const int64_t start = pos;
      while (pos + 1 < size && kPrintable[data[pos]] && data[pos + 1] == 0) pos += 2;
      const int64_t length = (pos - start) / 2;
      if (length >= minLength) out.push_back({start, length, StringEncoding::Utf16Le});
      // The character that ended the run is tried again from its second byte.
      if (pos + 1 < size) ++pos;
    }
    if (pos >= nextReport) {
      if (!Report(progress, pos, abort)) return false;
      nextReport = pos + kReportEvery;
    }
  }
  return true;
}

}  // namespace

bool ScanStrings(const uint8_t* data, int64_t size, StringEncoding encoding, int64_t minLength,
                 std::vector<FoundString>& out, SearchProgress* progress, bool& abort) {
  minLength = std::max<int64_t>(minLength, 1);
  if (data == nullptr || size <= 0) return true;
  return encoding == StringEncoding::Ascii ? ScanAscii(data, size, minLength, out, progress, abort)
                                           : ScanUtf16(data, size, minLength, out, progress, abort);
}

bool ScanAllStrings(const uint8_t* data, int64_t size, int64_t minLength, std::vector<FoundString>& out,
                    SearchProgress* progress, bool& abort) {
  std::vector<FoundString> ascii;
  std::vector<FoundString> wide;
  if (!ScanStrings(data, size, StringEncoding::Ascii, minLength, ascii, progress, abort)) return false;
  if (progress != nullptr) progress->due = 0;
  if (!ScanStrings(data, size, StringEncoding::Utf16Le, minLength, wide, progress, abort)) return false;
  out.clear();
  out.reserve(ascii.size() + wide.size());
  std::merge(ascii.begin(), ascii.end(), wide.begin(), wide.end(), std::back_inserter(out),
             [](const FoundString& a, const FoundString& b) { return a.offset < b.offset; });
  return true;
}

std::string StringText(const uint8_t* data, const FoundString& found) {
  if (found.encoding == StringEncoding::Ascii) {
    return std::string(reinterpret_cast<const char*>(data) + found.offset, static_cast<size_t>(found.length));
  }
  std::string text;
  text.reserve(static_cast<size_t>(found.length));
  const int64_t step = found.encoding == StringEncoding::Utf16Le ? 2 : 1;
  for (int64_t i = 0; i < found.length; ++i) text += static_cast<char>(data[found.offset + i * step]);
  return text;
}

const char* EncodingName(StringEncoding encoding) {
  return encoding == StringEncoding::Ascii ? "ASCII" : "UTF-16LE";
}

}  // namespace quoxa
