// The compare against naive models on random pairs made by overwrites, inserts and deletes.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "TestDocument.h"
#include "core/Document.h"
#include "core/Journal.h"
#include "tools/ByteCompare.h"
#include "tools/CompareCopy.h"

namespace quoxa {
namespace {

using Bytes = std::vector<uint8_t>;

std::span<const uint8_t> Span(const Bytes& b) { return {b.data(), b.size()}; }

// Byte for byte: each run of differing bytes, then the longer one's rest.
std::vector<DiffRange> NaiveSameOffsets(const Bytes& a, const Bytes& b) {
  std::vector<DiffRange> out;
  const int64_t common = static_cast<int64_t>(std::min(a.size(), b.size()));
  for (int64_t k = 0; k < common;) {
    if (a[k] == b[k]) {
      ++k;
      continue;
    }
    const int64_t start = k;
    while (k < common && a[k] != b[k]) ++k;
    out.push_back({start, start, k - start, k - start, DiffKind::Changed});
  }
  const int64_t la = static_cast<int64_t>(a.size());
  const int64_t lb = static_cast<int64_t>(b.size());
  if (la > lb) out.push_back({lb, lb, la - lb, 0, DiffKind::Deleted});
  if (lb > la) out.push_back({la, la, 0, lb - la, DiffKind::Inserted});
  return out;
}

// Every range is real: ranges in order with equal bytes between them, changed ranges begin with
// differing bytes, and A with each range's bytes taken from B is B.
void ExpectRangesRebuildB(const Bytes& a, const Bytes& b, const std::vector<DiffRange>& ranges,
                          int round) {
  Bytes rebuilt;
  int64_t i = 0;
  int64_t j = 0;
  for (const DiffRange& r : ranges) {
    ASSERT_GE(r.offsetA, i) << round;
    ASSERT_EQ(r.offsetA - i, r.offsetB - j) << round << ": unequal gap";
    ASSERT_TRUE(std::equal(a.begin() + i, a.begin() + r.offsetA, b.begin() + j))
        << round << ": gap not equal";
    ASSERT_GT(r.Length(), 0) << round;
    switch (r.kind) {
      case DiffKind::Changed:
        ASSERT_EQ(r.lengthA, r.lengthB) << round;
        ASSERT_NE(a[r.offsetA], b[r.offsetB]) << round << ": changed range starts on equal bytes";
        break;
      case DiffKind::Inserted:
        ASSERT_EQ(r.lengthA, 0) << round;
        break;
      case DiffKind::Deleted:
        ASSERT_EQ(r.lengthB, 0) << round;
        break;
    }
    rebuilt.insert(rebuilt.end(), a.begin() + i, a.begin() + r.offsetA);
    rebuilt.insert(rebuilt.end(), b.begin() + r.offsetB, b.begin() + r.offsetB + r.lengthB);
    i = r.offsetA + r.lengthA;
    j = r.offsetB + r.lengthB;
  }
  ASSERT_LE(i, static_cast<int64_t>(a.size())) << round;
  rebuilt.insert(rebuilt.end(), a.begin() + i, a.end());
  ASSERT_EQ(rebuilt, b) << round;
}

TEST(ByteCompare, RandomEditedPairsAgainstNaiveModels) {
  std::mt19937_64 rng(2026);
  auto any = [&](int64_t n) { return static_cast<int64_t>(rng() % static_cast<uint64_t>(n)); };
  enum Edit { Overwrite, Insert, Delete };
  for (int round = 0; round < 3000; ++round) {
    // Mostly random bytes; some rounds of two byte values, where many offsets look alike.
    const int alphabet = round % 5 == 0 ? 2 : 256;
    auto byte = [&] { return static_cast<uint8_t>(any(alphabet)); };
    Bytes a(static_cast<size_t>(any(round % 50 == 0 ? 200000 : 4000)));
    for (uint8_t& c : a) c = byte();
    Bytes b = a;
    const int edits = static_cast<int>(any(5));
    Edit lastEdit = Overwrite;
    int64_t lastLength = 0;
    for (int e = 0; e < edits; ++e) {
      lastEdit = static_cast<Edit>(any(3));
      const int64_t pos = any(static_cast<int64_t>(b.size()) + 1);
      lastLength = 1 + any(round % 7 == 0 ? 3000 : 40);
      if (lastEdit == Insert) {
        Bytes stretch(static_cast<size_t>(lastLength));
        for (uint8_t& c : stretch) c = byte();
        b.insert(b.begin() + pos, stretch.begin(), stretch.end());
      } else {
        lastLength = std::min<int64_t>(lastLength, static_cast<int64_t>(b.size()) - pos);
        if (lastEdit == Delete) {
          b.erase(b.begin() + pos, b.begin() + pos + lastLength);
        } else {
          for (int64_t k = 0; k < lastLength; ++k) b[pos + k] = byte();
        }
      }
    }
    EXPECT_EQ(CompareBytes(Span(a), Span(b), true), NaiveSameOffsets(a, b)) << round;
    const std::vector<DiffRange> ranges = CompareBytes(Span(a), Span(b), false);
    ExpectRangesRebuildB(a, b, ranges, round);
    if (a == b) {
      EXPECT_TRUE(ranges.empty()) << round;
    }
    // One inserted or deleted stretch of random bytes is found as exactly that stretch.
    if (edits == 1 && alphabet == 256 && lastEdit != Overwrite && lastLength > 0) {
      ASSERT_EQ(ranges.size(), 1u) << round;
      EXPECT_EQ(ranges[0].kind, lastEdit == Insert ? DiffKind::Inserted : DiffKind::Deleted)
          << round;
      EXPECT_EQ(ranges[0].Length(), lastLength) << round;
    }
    // Side by side every byte of each appears once, in order, and each difference is on the line.
    if (round % 4 == 0) {
      const TAlignment line(ranges, static_cast<int64_t>(a.size()), static_cast<int64_t>(b.size()));
      Bytes seenA;
      Bytes seenB;
      for (int64_t v = 0; v < line.Size(); ++v) {
        const int64_t x = line.OffsetA(v);
        const int64_t y = line.OffsetB(v);
        ASSERT_TRUE(x >= 0 || y >= 0) << round;
        if (x >= 0) {
          ASSERT_EQ(x, static_cast<int64_t>(seenA.size())) << round;
          ASSERT_EQ(line.VirtualOfA(x), v) << round;
          seenA.push_back(a[x]);
        }
        if (y >= 0) {
          ASSERT_EQ(line.VirtualOfB(y), v) << round;
          seenB.push_back(b[y]);
        }
      }
      ASSERT_EQ(seenA, a) << round;
      ASSERT_EQ(seenB, b) << round;
      for (size_t k = 0; k < ranges.size(); ++k) {
        const int64_t start = line.DifferenceStart(static_cast<int64_t>(k));
        ASSERT_EQ(line.DifferenceAt(start), static_cast<int64_t>(k)) << round;
        ASSERT_NE(line.DifferenceAt(start - 1), static_cast<int64_t>(k)) << round;
        const int64_t offsetA = ranges[k].kind == DiffKind::Inserted ? -1 : ranges[k].offsetA;
        const int64_t offsetB = ranges[k].kind == DiffKind::Deleted ? -1 : ranges[k].offsetB;
        ASSERT_EQ(line.OffsetA(start), offsetA) << round;
        ASSERT_EQ(line.OffsetB(start), offsetB) << round;
      }
    }
    // Every difference copied to the left, last first, makes A into B; each is one undo step.
    if (round % 10 == 0 && !a.empty()) {
      test::LoadDocument(std::string(a.begin(), a.end()));
      Doc().Journal.Reset();
      for (size_t k = ranges.size(); k-- > 0;)
        ASSERT_TRUE(CopyDifference(Doc(), Span(b), ranges[k], true)) << round;
      EXPECT_EQ(test::DocumentBytes(), std::string(b.begin(), b.end())) << round;
      EXPECT_EQ(Doc().Journal.UndoDepth(), ranges.size()) << round;
    }
    // In small steps, both modes find the same; a stop keeps real ranges only.
    for (bool same : {false, true}) {
      TByteCompare compare(Span(a), Span(b), same);
      std::vector<DiffRange> stepped;
      const int64_t budget = 1 + any(300);
      while (compare.Step(budget, stepped)) {
      }
      EXPECT_EQ(stepped, CompareBytes(Span(a), Span(b), same)) << round;
      TByteCompare stopped(Span(a), Span(b), same);
      std::vector<DiffRange> part;
      stopped.Step(budget, part);
      stopped.Stop(part);
      for (const DiffRange& r : part) {
        ASSERT_LE(r.offsetA + r.lengthA, static_cast<int64_t>(a.size())) << round;
        ASSERT_LE(r.offsetB + r.lengthB, static_cast<int64_t>(b.size())) << round;
        if (r.kind == DiffKind::Changed) {
          EXPECT_NE(a[r.offsetA], b[r.offsetB]) << round;
        }
      }
    }
  }
}

// A compare again after one edit of a side gives what a whole compare of the edited pair gives.
TEST(ByteCompare, CompareAfterAnEditAgainstTheWholeCompare) {
  std::mt19937_64 rng(64);
  auto any = [&](int64_t n) { return static_cast<int64_t>(rng() % static_cast<uint64_t>(n)); };
  for (int round = 0; round < 400; ++round) {
    const int alphabet = round % 6 == 0 ? 2 : 256;
    auto byte = [&] { return static_cast<uint8_t>(any(alphabet)); };
    // Past a realignment window, so that the compare can begin later than the start.
    Bytes a(static_cast<size_t>(round % 10 == 0 ? any(3000) : 66000 + any(200000)));
    for (uint8_t& c : a) c = byte();
    Bytes b = a;
    // Some differences of each kind, near and far apart, for the edit to meet.
    for (int64_t e = any(12); e-- > 0;) {
      const int64_t at = any(static_cast<int64_t>(b.size()) + 1);
      const int64_t n = 1 + any(round % 3 == 0 ? 5000 : 40);
      Bytes stretch(static_cast<size_t>(n));
      for (uint8_t& c : stretch) c = byte();
      if (any(3) == 0) {
        b.insert(b.begin() + at, stretch.begin(), stretch.end());
      } else if (any(2) == 0) {
        b.erase(b.begin() + at, b.begin() + std::min<int64_t>(at + n, b.size()));
      } else {
        for (int64_t k = 0; k < n && at + k < static_cast<int64_t>(b.size()); ++k)
          b[at + k] = stretch[k];
      }
    }
    for (bool same : {false, true}) {
      const std::vector<DiffRange> old = CompareBytes(Span(a), Span(b), same);
      Bytes na = a;
      Bytes nb = b;
      const int side = static_cast<int>(any(2));
      Bytes& edited = side == 0 ? na : nb;
      // A typed byte (over one, or before one) or a deleted one, at times a pasted stretch; near
      // a difference of old in some rounds.
      int64_t pos = any(static_cast<int64_t>(edited.size()) + 1);
      if (!old.empty() && any(2) == 0) {
        const DiffRange& r = old[static_cast<size_t>(any(static_cast<int64_t>(old.size())))];
        pos = std::clamp<int64_t>((side == 0 ? r.offsetA : r.offsetB) + any(9) - 4, 0,
                                  static_cast<int64_t>(edited.size()));
      }
      const int64_t tail = static_cast<int64_t>(edited.size()) - pos;
      int64_t removed = std::min<int64_t>(any(2), tail);
      int64_t added = any(8) == 0 ? any(100) : any(2);
      if (removed == 0 && added == 0) added = 1;
      Bytes put(static_cast<size_t>(added));
      for (uint8_t& c : put) c = byte();
      edited.erase(edited.begin() + pos, edited.begin() + pos + removed);
      edited.insert(edited.begin() + pos, put.begin(), put.end());
      ASSERT_EQ(CompareAfterEdit(Span(na), Span(nb), same, old, side, pos, removed, added)
                    .value_or(std::vector<DiffRange>{{-1}}),
                CompareBytes(Span(na), Span(nb), same))
          << round << " same " << same << " side " << side << " at " << pos << " -" << removed
          << " +" << added;
    }
  }
}

TEST(ByteCompare, EqualPrefixFindsTheFirstDifferenceAtEveryPlace) {
  Bytes a(200000, 7);
  for (int64_t at : {int64_t{0}, int64_t{1}, int64_t{7}, int64_t{8}, int64_t{65535}, int64_t{65536},
                     int64_t{131077}, int64_t{199999}}) {
    Bytes b = a;
    b[at] = 8;
    EXPECT_EQ(EqualPrefix(a.data(), b.data(), static_cast<int64_t>(a.size())), at);
    EXPECT_EQ(EqualPrefix(a.data(), b.data(), at), at);
  }
  EXPECT_EQ(EqualPrefix(a.data(), a.data(), 200000), 200000);
  EXPECT_EQ(DiffLine({0x10, 0x1f, 3, 0, DiffKind::Deleted}), "10 1f 3 deleted\n");
  EXPECT_EQ(DiffLine({0xab, 0xab, 0, 300, DiffKind::Inserted}), "ab ab 300 inserted\n");
}

}  // namespace
}  // namespace quoxa
