#pragma once
// The printable runs in a stretch of bytes, as `strings -a` lists them: ASCII (tab and 0x20..0x7E)
// and UTF-16LE (the same characters, each followed by a zero byte), of a least length.

#include <cstdint>
#include <string>
#include <vector>

#include "search/QSearch.h"

namespace quoxa {

enum class StringEncoding : uint8_t { Ascii, Utf16Le };

struct FoundString {
  int64_t offset = 0;  // 0-based, from the start of the bytes scanned
  int64_t length = 0;  // in characters
  StringEncoding encoding = StringEncoding::Ascii;
  bool operator==(const FoundString&) const = default;
};

// The runs of one encoding of at least minLength characters, in the order of their offsets.
// progress hears the offset reached (of size); false when it set abort.
bool ScanStrings(const uint8_t* data, int64_t size, StringEncoding encoding, int64_t minLength,
                 std::vector<FoundString>& out, SearchProgress* progress, bool& abort);

// Both encodings, ordered by offset (ASCII first where both start at one offset).
bool ScanAllStrings(const uint8_t* data, int64_t size, int64_t minLength, std::vector<FoundString>& out,
                    SearchProgress* progress, bool& abort);

// The characters of a run found in data.
std::string StringText(const uint8_t* data, const FoundString& found);

// Bytes the run spans.
inline int64_t StringBytes(const FoundString& found) {
  return found.encoding == StringEncoding::Utf16Le ? 2 * found.length : found.length;
}

const char* EncodingName(StringEncoding encoding);

// The runs of one encoding as `strings -a [-t d]` prints them, one line each, for input read in
// pieces of any size: a run may span pieces, and only its first minLength - 1 characters are
// held back until it is long enough, so the input never needs to be in memory at once.
class TStringsPrinter {
 public:
  TStringsPrinter(StringEncoding encoding, int64_t minLength, bool offsets);
  // The next piece of the input; the lines known so far are appended to out.
  void Feed(const uint8_t* data, size_t size, std::string& out);
  // The end of the input: a run still open ends there.
  void Finish(std::string& out);

 private:
  void FeedAscii(const uint8_t* data, size_t size, std::string& out);
  void FeedUtf16(const uint8_t* data, size_t size, std::string& out);
  void Add(const char* chars, size_t count, std::string& out);
  void AddChar(uint8_t c, std::string& out) { Add(reinterpret_cast<const char*>(&c), 1, out); }
  void Begin(int64_t offset);
  void End(std::string& out);

  StringEncoding encoding_;
  int64_t minLength_;
  bool offsets_;
  int64_t base_ = 0;  // input offset of the piece being fed
  bool inRun_ = false;
  bool printed_ = false;  // the run's line has begun
  int64_t runStart_ = 0;
  int64_t runLength_ = 0;  // characters
  std::string held_;       // characters of a run still shorter than minLength
  bool hasCarry_ = false;  // UTF-16: the piece's last byte, waiting for its partner
  uint8_t carry_ = 0;
};

}  // namespace quoxa
