// Lists the printable runs of a file as the Strings command finds them, one "offset text" line
// each, like `strings -a -t d -n N [-e l]`:
//   quoxa_strings_text INPUT OUTPUT [N] [l]
// For comparing the core's scan, whole process, with GNU strings.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/DocState.h"
#include "core/FileIo.h"
#include "core/MemoryPolicy.h"
#include "search/StringScan.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s INPUT OUTPUT [N] [l]\n", argv[0]);
    return 2;
  }
  const int64_t n = argc > 3 ? std::atoll(argv[3]) : 4;
  const auto encoding = argc > 4 && std::string(argv[4]) == "l" ? quoxa::StringEncoding::Utf16Le
                                                                 : quoxa::StringEncoding::Ascii;
  if (!quoxa::AllocDocument() || quoxa::ReadFileInto(argv[1], false, 1) != 0) return 1;
  std::vector<quoxa::FoundString> found;
  bool abort = false;
  const uint8_t* data = quoxa::Doc().DocBuffer;
  quoxa::ScanStrings(data, quoxa::Doc().DocSize, encoding, n, found, nullptr, abort);
  FILE* out = std::fopen(argv[2], "wb");
  if (out == nullptr) return 1;
  std::string line;
  for (const quoxa::FoundString& f : found) {
    line = std::to_string(f.offset);
    line += ' ';
    line += quoxa::StringText(data, f);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), out);
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
