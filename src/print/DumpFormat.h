#pragma once
// The rows of a hex dump: offset, hex bytes and characters, one line per row or the
// characters in a second line below. Lines are code-page bytes without line ends.

#include <array>
#include <cstdint>
#include <string>

namespace quoxa {

struct DumpOptions {
  int32_t bytesPerRow = 16;
  bool decimalOffsets = false;
  bool textBelow = false;
};

// The offset with its colon and blank, and the ruler's label, take this many characters.
constexpr int32_t kDumpOffsetChars = 12;
// Characters of the offsets of a dump whose last offset is lastOffset: kDumpOffsetChars, or
// more where the offset has more than nine digits.
int32_t DumpOffsetChars(int64_t lastOffset, bool decimal);

// "Offset hex. " or "Offset dec. " followed by the column numbers 0 .. n - 1, each with a blank.
std::string DumpRuler(int32_t bytesPerRow, bool decimal);

// Characters of the longest line a full row gives.
int64_t DumpLineChars(const DumpOptions& options);

// The character shown for a byte, or 0 for bytes without a visible character.
uint8_t DumpVisibleChar(uint8_t byte);

class TDumpRows {
 public:
  explicit TDumpRows(const DumpOptions& options);

  const DumpOptions& Options() const { return options_; }
  const std::string& Ruler() const { return ruler_; }

  // The row of count bytes (1 .. bytesPerRow) at the 0-based offset. One-line form: the whole
  // row in first. Text below: the offset and hex bytes in first, the characters in second.
  void Format(int64_t offset, const uint8_t* data, int64_t count, std::string& first, std::string& second) const;

 private:
  void PutOffset(int64_t offset, std::string& line) const;

  DumpOptions options_;
  std::string ruler_;
  std::array<char, 512> hexPairs_{};
};

}  // namespace quoxa
