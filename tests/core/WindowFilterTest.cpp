#include <gtest/gtest.h>

#include <random>
#include <string>

#include "search/WindowFilter.h"

namespace quoxa {
namespace {

bool Passes(uint8_t x, const BytePick& p) { return (x | (p.a ^ p.b)) == (p.a | p.b); }

bool WindowPasses(const std::string& data, int64_t s, const WindowFilter& f) {
  return Passes(static_cast<uint8_t>(data[static_cast<size_t>(s + f.first.offset)]), f.first) &&
         Passes(static_cast<uint8_t>(data[static_cast<size_t>(s + f.second.offset)]), f.second);
}

class Candidates : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { UseWideVectors(GetParam()); }
  void TearDown() override { UseWideVectors(true); }
};

INSTANTIATE_TEST_SUITE_P(NarrowAndWideVectors, Candidates, ::testing::Bool());

TEST_P(Candidates, FirstAndLastPassingStartsAgreeWithAByteByByteScan) {
  std::mt19937 rng(5);
  const std::string alphabet("aAbB\x8A\x9A\x9F\xFF ", 9);
  for (int round = 0; round < 3000; ++round) {
    const size_t size = 1 + rng() % 400;
    std::string data(size, ' ');
    for (char& ch : data) ch = alphabet[rng() % alphabet.size()];
    const auto m = static_cast<int32_t>(1 + rng() % std::min<size_t>(size, 12));
    WindowFilter f;
    f.usable = true;
    const auto pick = [&] {
      return BytePick{static_cast<int32_t>(rng() % static_cast<uint32_t>(m)), static_cast<uint8_t>(alphabet[rng() % 9]),
                      static_cast<uint8_t>(alphabet[rng() % 9])};
    };
    f.first = pick();
    f.second = rng() % 3 == 0 ? f.first : pick();
    const int64_t lastStart = static_cast<int64_t>(size) - m;
    const int64_t from = static_cast<int64_t>(rng() % (size + 2)) - 1;
    const int64_t to = std::min<int64_t>(lastStart, static_cast<int64_t>(rng() % (size + 2)) - 1);
    const int64_t lo = std::max<int64_t>(from, 0);
    int64_t first = -1;
    int64_t last = -1;
    for (int64_t s = lo; s <= to; ++s) {
      if (!WindowPasses(data, s, f)) continue;
      if (first < 0) first = s;
      last = s;
    }
    const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
    EXPECT_EQ(NextCandidate(bytes, lo, to, f), first) << "round " << round;
    EXPECT_EQ(PrevCandidate(bytes, lo, to, f), last) << "round " << round;
    if (HasFailure()) return;
  }
}

TEST_P(Candidates, ALetterPickTakesBothCasesOnly) {
  std::string data(100, 'x');
  data[70] = 'Q';
  data[90] = 'q';
  data[50] = 'q' ^ 0x04;  // one bit off, but not the case bit
  WindowFilter f;
  f.usable = true;
  f.first = {0, 'q', 'Q'};
  f.second = f.first;
  const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
  EXPECT_EQ(NextCandidate(bytes, 0, 99, f), 70);
  EXPECT_EQ(NextCandidate(bytes, 71, 99, f), 90);
  EXPECT_EQ(PrevCandidate(bytes, 0, 99, f), 90);
  EXPECT_EQ(PrevCandidate(bytes, 0, 89, f), 70);
  EXPECT_EQ(NextCandidate(bytes, 91, 99, f), -1);
  EXPECT_EQ(NextCandidate(bytes, 50, 40, f), -1);
}

TEST(ByteCommonness, TextBytesAreCommonerThanRareOnes) {
  EXPECT_GT(ByteCommonness(' '), ByteCommonness('e'));
  EXPECT_GT(ByteCommonness('e'), ByteCommonness('z'));
  EXPECT_GT(ByteCommonness(0x00), ByteCommonness(0x01));
  EXPECT_GT(ByteCommonness('z'), ByteCommonness(0xE9));
}

}  // namespace
}  // namespace quoxa
