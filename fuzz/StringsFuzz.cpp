// The printable runs of arbitrary bytes as quoxa --strings prints them, fed in pieces whose
// sizes the input chooses: the lines must be the ones the Strings list's scan finds in one piece.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "search/StringScan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int64_t minLength = 1 + data[0] % 8;
  const size_t piece = 1 + data[1] % 64;
  data += 2;
  size -= 2;
  for (const quoxa::StringEncoding encoding :
       {quoxa::StringEncoding::Ascii, quoxa::StringEncoding::Utf16Le}) {
    std::vector<quoxa::FoundString> found;
    bool abort = false;
    quoxa::ScanStrings(data, static_cast<int64_t>(size), encoding, minLength, found, nullptr,
                       abort);
    std::string expected;
    for (const quoxa::FoundString& f : found) {
      expected += std::to_string(f.offset) + ' ' + quoxa::StringText(data, f) + '\n';
    }
    quoxa::TStringsPrinter printer(encoding, minLength, true);
    std::string printed;
    for (size_t at = 0; at < size; at += piece) {
      printer.Feed(data + at, std::min(piece, size - at), printed);
    }
    printer.Finish(printed);
    // The printer pads offsets to seven places; the lines are otherwise the same.
    std::string unpadded;
    for (size_t at = 0; at < printed.size();) {
      const size_t end = printed.find('\n', at);
      if (end == std::string::npos) std::abort();
      const size_t digits = printed.find_first_not_of(' ', at);
      unpadded.append(printed, digits, end + 1 - digits);
      at = end + 1;
    }
    if (unpadded != expected) std::abort();
  }
  return 0;
}
