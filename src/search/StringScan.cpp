#include "search/StringScan.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__)
// Bit i set when byte i of the 16 at p is printable: tab, or 0x20..0x7E (signed, 0x80 and up
// are below 0x20).
inline unsigned PrintableMask(const uint8_t* p) {
  const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i graphic = _mm_andnot_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8(0x7F)),
                                           _mm_cmpgt_epi8(x, _mm_set1_epi8(0x1F)));
  return static_cast<unsigned>(
      _mm_movemask_epi8(_mm_or_si128(graphic, _mm_cmpeq_epi8(x, _mm_set1_epi8('\t')))));
}
#endif

// The first index in [from, to) whose byte is printable (want true) or not (want false), else to.
template <bool kWant>
size_t FindPrintable(const uint8_t* data, size_t from, size_t to) {
#if defined(__SSE2__)
  for (; from + 16 <= to; from += 16) {
    const unsigned mask =
        kWant ? PrintableMask(data + from) : ~PrintableMask(data + from) & 0xFFFFu;
    if (mask != 0) return from + static_cast<size_t>(std::countr_zero(mask));
  }
#endif
  while (from < to && kPrintable[data[from]] != kWant) ++from;
  return from;
}

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
      pos = static_cast<int64_t>(
          FindPrintable<true>(data, static_cast<size_t>(pos), static_cast<size_t>(stop)));
      if (pos == stop) break;
      const int64_t start = pos;
      pos = static_cast<int64_t>(
          FindPrintable<false>(data, static_cast<size_t>(pos), static_cast<size_t>(size)));
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

TStringsPrinter::TStringsPrinter(StringEncoding encoding, int64_t minLength, bool offsets)
    : encoding_(encoding), minLength_(std::max<int64_t>(minLength, 1)), offsets_(offsets) {}

void TStringsPrinter::Begin(int64_t offset) {
  inRun_ = true;
  printed_ = false;
  runStart_ = offset;
  runLength_ = 0;
  held_.clear();
}

void TStringsPrinter::Add(const char* chars, size_t count, std::string& out) {
  runLength_ += static_cast<int64_t>(count);
  if (printed_) {
    out.append(chars, count);
  } else if (runLength_ < minLength_) {
    held_.append(chars, count);
  } else {
    if (offsets_) {
      // As `strings -t d`: the offset right-aligned in seven places, then a blank.
      char number[24];
      const char* end = std::to_chars(number, number + sizeof number, runStart_).ptr;
      const auto digits = static_cast<size_t>(end - number);
      if (digits < 7) out.append(7 - digits, ' ');
      out.append(number, digits);
      out += ' ';
    }
    out += held_;
    out.append(chars, count);
    held_.clear();
    printed_ = true;
  }
}

void TStringsPrinter::End(std::string& out) {
  if (printed_) out += '\n';
  inRun_ = false;
  printed_ = false;
  held_.clear();
}

void TStringsPrinter::Feed(const uint8_t* data, size_t size, std::string& out) {
  if (encoding_ == StringEncoding::Ascii) {
    FeedAscii(data, size, out);
  } else {
    FeedUtf16(data, size, out);
  }
  base_ += static_cast<int64_t>(size);
}

void TStringsPrinter::FeedAscii(const uint8_t* data, size_t size, std::string& out) {
  size_t i = 0;
  while (i < size) {
    if (!inRun_) {
      i = FindPrintable<true>(data, i, size);
      if (i == size) return;
      Begin(base_ + static_cast<int64_t>(i));
    }
    const size_t end = FindPrintable<false>(data, i, size);
    Add(reinterpret_cast<const char*>(data) + i, end - i, out);
    if (end == size) return;  // the run may go on in the next piece
    End(out);
    i = end + 1;
  }
}

// The same rule as ScanUtf16: a character is a printable byte and a zero byte; where none
// stands, the next one is looked for one byte further on, so a run may start at any offset.
void TStringsPrinter::FeedUtf16(const uint8_t* data, size_t size, std::string& out) {
  size_t i = 0;
  if (hasCarry_ && size > 0) {
    hasCarry_ = false;
    if (kPrintable[carry_] && data[0] == 0) {
      if (!inRun_) Begin(base_ - 1);
      AddChar(carry_, out);
      i = 1;
    } else if (inRun_) {
      End(out);
    }
  }
  while (i + 1 < size) {
    if (kPrintable[data[i]] && data[i + 1] == 0) {
      if (!inRun_) Begin(base_ + static_cast<int64_t>(i));
      AddChar(data[i], out);
      i += 2;
    } else {
      if (inRun_) End(out);
      ++i;
    }
  }
  if (i + 1 == size) {
    hasCarry_ = true;
    carry_ = data[i];
  }
}

void TStringsPrinter::Finish(std::string& out) {
  hasCarry_ = false;
  if (inRun_) End(out);
}

}  // namespace quoxa
