#pragma once
// TQSearch: the pattern scanner behind every search. A Sunday-style quick search that
// compares a window from its last byte towards its first and, on a mismatch, shifts it by
// a table lookup of the byte just outside the window; optionally case-insensitive through
// the code page's upper-casing, and with a joker byte that matches any byte.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "search/WindowFilter.h"

namespace quoxa {

struct SearchOptions {
  bool caseSensitive = true;
  bool jokerEnabled = false;
  uint8_t jokerByte = 0x2E;
};

// Progress of one scan. The scanner calls Report with the window end after a shift, and
// with the end of an occurrence it found, whenever that end has reached `due` (forward: at
// or beyond it; backward: at or before it). Report may set abort and moves `due` on to
// where it next wants to hear from the scan, so that a scan between two reports runs free.
class SearchProgress {
 public:
  virtual ~SearchProgress() = default;
  virtual void Report(int64_t windowEnd, bool& abort) = 0;
  int64_t due = 0;
};

class TQSearch {
 public:
  static constexpr int64_t kNotFound = -1;
  static constexpr int64_t kEmptyPattern = -2;

  TQSearch();

  // Stores pattern and options, selects the compare routine and builds both shift tables.
  void Prepare(std::string_view pattern, const SearchOptions& options);

  // Position (1-based, data[0] is position 1) of the first occurrence that starts at or after
  // start and ends at or before limit; -1 when there is none or the scan was aborted, -2 for
  // an empty pattern. Positions outside 1..size are never read.
  int64_t SearchForward(std::string_view pattern, const uint8_t* data, int64_t size, int64_t start, int64_t limit,
                        const SearchOptions& options, SearchProgress* progress, bool& abort);

  // Position of the last occurrence that ends at or before end and starts at or after lowest;
  // results as SearchForward.
  int64_t SearchBackward(std::string_view pattern, const uint8_t* data, int64_t size, int64_t end, int64_t lowest,
                         const SearchOptions& options, SearchProgress* progress, bool& abort);

  // For each byte: its code page upper-casing.
  const std::array<uint8_t, 256>& UpperMap() const { return upperMap_; }
  const std::array<int32_t, 256>& ForwardShift() const { return forwardShift_; }
  const std::array<int32_t, 256>& BackwardShift() const { return backwardShift_; }

  // Whether document byte x matches pattern index i under the prepared compare routine.
  bool Matches(uint8_t x, int32_t i) const;

  // How often the tables were built; they are reused while pattern and options stay.
  int64_t PrepareCount() const { return prepareCount_; }

  // How the scans skip ahead with a pre-filter; the results are the same for any setting.
  struct Tuning {
    bool accelerated = true;   // off: only the plain shifts
    int64_t minStretch = 32;   // fewer windows than this between two progress reports: plain shifts
    // When kDenseCheck windows pass the pre-filter closer than denseSpacing bytes apart on
    // average, the plain shifts take over for denseRun windows.
    int64_t denseCheck = 64;
    int64_t denseSpacing = 16;
    int64_t denseRun = 4096;
  };
  // Tests check the plain scan on its own and move the hand-overs between the two around.
  void SetTuning(const Tuning& tuning) { tuning_ = tuning; }
  void SetAccelerated(bool on) { tuning_.accelerated = on; }

 private:
  using CompareFn = bool (TQSearch::*)(const uint8_t* window) const;

  template <bool kCase, bool kJoker>
  bool CompareWindow(const uint8_t* window) const;

  bool NeedsPrepare(std::string_view pattern, const SearchOptions& options) const;
  void BuildForwardShift();
  void BuildBackwardShift();
  void BuildFilter();
  // The set of document bytes that match pattern index i: 1 or 2 values, or false when wider.
  bool ByteClass(int32_t i, uint8_t& a, uint8_t& b) const;
  // First / last matching window start in from..to (0-based), the pre-filtered way.
  int64_t FirstMatch(const uint8_t* data, int64_t from, int64_t to) const;
  int64_t LastMatch(const uint8_t* data, int64_t from, int64_t to) const;
  // The same by plain shifts, for stretches where the pre-filter passes too many windows.
  int64_t PlainFirst(const uint8_t* data, int64_t from, int64_t to) const;
  int64_t PlainLast(const uint8_t* data, int64_t from, int64_t to) const;

  std::string pattern_;
  std::string upperPattern_;
  int32_t length_ = 0;
  bool caseSensitive_ = true;
  bool jokerEnabled_ = false;
  uint8_t jokerByte_ = 0;
  std::array<int32_t, 256> forwardShift_{};
  std::array<int32_t, 256> backwardShift_{};
  std::array<uint8_t, 256> upperMap_{};
  std::array<std::vector<uint8_t>, 256> sameUpper_;  // bytes by their upper-casing
  CompareFn compare_ = nullptr;
  WindowFilter filter_;
  Tuning tuning_;
  int64_t prepareCount_ = 0;
};

}  // namespace quoxa
