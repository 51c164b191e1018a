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

}  // namespace quoxa
