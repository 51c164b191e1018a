// The printable runs of the Strings list against GNU strings on real libraries, offsets
// included, in both encodings and at several minimum lengths.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "search/StringScan.h"

namespace quoxa {
namespace {

using Listing = std::vector<std::pair<int64_t, std::string>>;

// `strings -a -t d -n n [-e l] path`, or nullopt-like empty with ok false when it cannot run.
bool GnuStrings(const std::string& path, int n, bool wide, Listing& out) {
  const std::string command = "strings -a -t d -n " + std::to_string(n) + (wide ? " -e l " : " ") + path;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return false;
  std::string text;
  char buffer[65536];
  for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, got);
  if (pclose(pipe) != 0) return false;
  for (size_t at = 0; at < text.size();) {
    const size_t end = text.find('\n', at);
    std::string line = text.substr(at, end - at);
    at = end == std::string::npos ? text.size() : end + 1;
    const size_t digits = line.find_first_not_of(' ');
    const size_t space = line.find(' ', digits);
    out.emplace_back(std::stoll(line.substr(digits, space - digits)), line.substr(space + 1));
  }
  return true;
}

Listing Ours(const std::string& bytes, int n, StringEncoding encoding) {
  std::vector<FoundString> found;
  bool abort = false;
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  EXPECT_TRUE(ScanStrings(data, static_cast<int64_t>(bytes.size()), encoding, n, found, nullptr, abort));
  Listing listing;
  for (const FoundString& f : found) listing.emplace_back(f.offset, StringText(data, f));
  return listing;
}

TEST(StringScan, EqualsGnuStringsOnRealLibraries) {
  const char* files[] = {"/usr/lib/x86_64-linux-gnu/libc.so.6", "/usr/lib/x86_64-linux-gnu/libpcre2-8.so.0",
                         "/usr/lib/x86_64-linux-gnu/libstdc++.so.6"};
  int compared = 0;
  for (const char* path : files) {
    std::ifstream in(path, std::ios::binary);
    if (!in) continue;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const int n : {1, 4, 9}) {
      for (const bool wide : {false, true}) {
        SCOPED_TRACE(std::string(path) + " -n " + std::to_string(n) + (wide ? " -e l" : ""));
        Listing gnu;
        if (!GnuStrings(path, n, wide, gnu)) GTEST_SKIP() << "GNU strings is not installed";
        EXPECT_EQ(Ours(bytes, n, wide ? StringEncoding::Utf16Le : StringEncoding::Ascii), gnu);
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 0);
}

// Cases that tell a scan by characters from one by bytes: a run starting at an odd offset, a
// character ending a run that starts the next one from its second byte, a last odd byte.
TEST(StringScan, Utf16RunsResynchroniseByteByByte) {
  const struct {
    std::string bytes;
    Listing expected;
  } cases[] = {
      {std::string("\x01" "A\0B\0C\0D\0", 9), {{1, "ABCD"}}},
      {std::string("A\0B\0C\0D\0\x01" "E\0F\0G\0H\0", 17), {{0, "ABCD"}, {9, "EFGH"}}},
      {std::string("A\0B\0C\0D\0E", 9), {{0, "ABCD"}}},
      {std::string("A\0B\0C\0\x7f\0", 8), {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Ours(c.bytes, 4, StringEncoding::Utf16Le), c.expected);
}

// The printer of the command-line mode against the list's scan: random bytes rich in runs of
// both encodings, fed in pieces of random sizes (1 byte included), must print the same lines.
TEST(StringScan, PrinterFedInPiecesEqualsTheScan) {
  std::mt19937 random(31);
  const std::string alphabet("A\0\0\0\t\x7f\x80\x20~z\x01", 11);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(random() % 600, '\0');
    for (char& c : bytes) c = alphabet[random() % alphabet.size()];
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    for (const StringEncoding encoding : {StringEncoding::Ascii, StringEncoding::Utf16Le}) {
      const int n = 1 + static_cast<int>(random() % 6);
      const bool offsets = round % 2 == 0;
      std::string expected;
      for (const auto& [offset, text] : Ours(bytes, n, encoding)) {
        const std::string number = std::to_string(offset);
        if (offsets) expected += std::string(7 - number.size(), ' ') + number + ' ';
        expected += text + '\n';
      }
      TStringsPrinter printer(encoding, n, offsets);
      std::string printed;
      for (size_t at = 0; at < bytes.size();) {
        const size_t piece =
            std::min<size_t>(bytes.size() - at, 1 + random() % (round % 3 == 0 ? 2 : 40));
        printer.Feed(data + at, piece, printed);
        at += piece;
      }
      printer.Finish(printed);
      ASSERT_EQ(printed, expected)
          << "round " << round << " -n " << n << " " << EncodingName(encoding);
    }
  }
}

}  // namespace
}  // namespace quoxa
