#include "tools/ImportImage.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <new>

#include "core/TextFormat.h"
#include "tools/DataFormatTexts.h"

namespace quoxa {

namespace {

// Passes the reader's progress on as a share of the whole import.
class ProgressSink : public IRecordSink {
 public:
  ProgressSink(const ImportProgress& progress, int64_t before, int64_t total)
      : progress_(progress), before_(before), total_(total) {}
  bool Continue(int64_t done) override { return !progress_ || progress_(before_ + done, total_); }

 private:
  const ImportProgress& progress_;
  int64_t before_;
  int64_t total_;
};

// The first reading: the addresses given, as disjoint runs, and the first byte given twice.
class RangeSink final : public ProgressSink {
 public:
  using ProgressSink::ProgressSink;

  void Data(int64_t address, const uint8_t*, size_t length, int64_t line) override {
    if (twiceLine_ != 0) return;
    const int64_t last = address + static_cast<int64_t>(length) - 1;
    lowest_ = std::min(lowest_, address);
    highest_ = std::max(highest_, last);
    // Records mostly follow each other: the run they extend is at hand.
    if (current_ != runs_.end() && current_->second + 1 == address) {
      const auto next = std::next(current_);
      if (next == runs_.end() || next->first > last) {
        current_->second = last;
        Join(next);
        return;
      }
    }
    auto next = runs_.upper_bound(address);
    if (next != runs_.begin()) {
      const auto before = std::prev(next);
      if (before->second >= address) return Twice(address, line);
    }
    if (next != runs_.end() && next->first <= last) return Twice(next->first, line);
    current_ = runs_.emplace_hint(next, address, last);
    if (current_ != runs_.begin()) {
      const auto before = std::prev(current_);
      if (before->second + 1 == address) {
        before->second = last;
        runs_.erase(current_);
        current_ = before;
      }
    }
    Join(next);
  }

  bool Any() const { return lowest_ <= highest_; }
  int64_t Lowest() const { return lowest_; }
  int64_t Highest() const { return highest_; }
  int64_t TwiceLine() const { return twiceLine_; }
  int64_t TwiceAddress() const { return twiceAddress_; }

 private:
  // Merges the run after the current one when they touch.
  void Join(std::map<int64_t, int64_t>::iterator next) {
    if (next != runs_.end() && next->first == current_->second + 1) {
      current_->second = next->second;
      runs_.erase(next);
    }
  }
  void Twice(int64_t address, int64_t line) {
    twiceLine_ = line;
    twiceAddress_ = address;
  }

  std::map<int64_t, int64_t> runs_;  // first -> last address
  std::map<int64_t, int64_t>::iterator current_ = runs_.end();
  int64_t lowest_ = INT64_MAX;
  int64_t highest_ = -1;
  int64_t twiceLine_ = 0;
  int64_t twiceAddress_ = 0;
};

// The second reading: the bytes to their places.
class FillSink final : public ProgressSink {
 public:
  FillSink(const ImportProgress& progress, int64_t before, int64_t total, uint8_t* image,
           int64_t origin)
      : ProgressSink(progress, before, total), image_(image), origin_(origin) {}
  void Data(int64_t address, const uint8_t* bytes, size_t length, int64_t) override {
    std::memcpy(image_ + (address - origin_), bytes, length);
  }

 private:
  uint8_t* image_;
  int64_t origin_;
};

// Base64 and hex digits: the bytes follow each other.
class AppendSink final : public ProgressSink {
 public:
  AppendSink(const ImportProgress& progress, int64_t total, std::vector<uint8_t>& out)
      : ProgressSink(progress, 0, total), out_(out) {}
  void Data(int64_t, const uint8_t* bytes, size_t length, int64_t) override {
    out_.insert(out_.end(), bytes, bytes + length);
  }

 private:
  std::vector<uint8_t>& out_;
};

TScanResult SpanFault(int64_t lowest, int64_t highest) {
  const std::string text =
      FormatMsgS(FormatMsgS(msg::kSpanTooLarge, AddressText(lowest)), AddressText(highest));
  return {false, false, FormatMsgN(text, highest - lowest + 1)};
}

bool Allocate(std::vector<uint8_t>& bytes, int64_t size, uint8_t fill) {
  try {
    bytes.assign(static_cast<size_t>(size), fill);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

TScanResult ImportDigits(std::string_view text, TDataFormat format, TImportedImage& image,
                         const ImportProgress& progress, int64_t maxSpan) {
  // At most a byte for every two characters (hex) or three for every four (Base64).
  const auto size = static_cast<int64_t>(text.size());
  const int64_t most = format == TDataFormat::Base64 ? size / 4 * 3 + 3 : size / 2;
  if (most > maxSpan || !FreeMemoryHolds(most)) return SpanFault(0, most - 1);
  try {
    image.bytes.reserve(static_cast<size_t>(most));
  } catch (const std::bad_alloc&) {
    return SpanFault(0, most - 1);
  }
  AppendSink sink(progress, size, image.bytes);
  return ScanText(format, text, sink);
}

}  // namespace

TScanResult ImportText(std::string_view text, TDataFormat format, uint8_t fill,
                       TImportedImage& image, const ImportProgress& progress, int64_t maxSpan) {
  image = {};
  TScanResult result;
  if (!HasAddresses(format)) {
    result = ImportDigits(text, format, image, progress, maxSpan);
  } else {
    const auto size = static_cast<int64_t>(text.size());
    RangeSink ranges(progress, 0, 2 * size);
    result = ScanText(format, text, ranges);
    // Of two faults the one on the earlier line is told.
    const bool twiceFirst = !result.cancelled && (result.ok || result.line > ranges.TwiceLine());
    if (ranges.TwiceLine() != 0 && twiceFirst) {
      result = LineFault(ranges.TwiceLine(),
                         FormatMsgS(msg::kGivenTwice, AddressText(ranges.TwiceAddress())));
    }
    if (result.ok && ranges.Any()) {
      const int64_t span = ranges.Highest() - ranges.Lowest() + 1;
      if (span > maxSpan || !FreeMemoryHolds(span) || !Allocate(image.bytes, span, fill)) {
        result = SpanFault(ranges.Lowest(), ranges.Highest());
      } else {
        image.origin = ranges.Lowest();
        FillSink place(progress, size, 2 * size, image.bytes.data(), image.origin);
        result = ScanText(format, text, place);
      }
    }
  }
  if (!result.ok) image = {};
  return result;
}

}  // namespace quoxa
