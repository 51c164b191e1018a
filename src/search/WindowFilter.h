#pragma once
// A quick pre-test of search windows, so the scanner looks closely only at few of them:
// two pattern positions whose document bytes must each be one of two values.

#include <cstdint>

namespace quoxa {

// The window byte at offset must be a or b; for a pair that differs in more than one bit the
// test lets a few more bytes through (x | (a ^ b) == a | b), which the full compare sorts out.
struct BytePick {
  int32_t offset = 0;  // index in the pattern
  uint8_t a = 0;
  uint8_t b = 0;
};

struct WindowFilter {
  bool usable = false;
  BytePick first;
  BytePick second;
};

// Lowest window start s in [from, to] (0-based indexes into data) whose bytes at s + offset
// pass both picks, or -1. Reads data only inside the windows of those starts.
int64_t NextCandidate(const uint8_t* data, int64_t from, int64_t to, const WindowFilter& filter);

// Highest such window start in [from, to], or -1.
int64_t PrevCandidate(const uint8_t* data, int64_t from, int64_t to, const WindowFilter& filter);

// Lets the candidate search use 32-byte vectors where the processor has them (the default);
// tests switch them off to check the 16-byte path.
void UseWideVectors(bool on);

// How common a byte is in ordinary files (text and binaries), 0 = rare; picks prefer rare bytes.
int ByteCommonness(uint8_t byte);

}  // namespace quoxa
