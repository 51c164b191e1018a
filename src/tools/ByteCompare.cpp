#include "tools/ByteCompare.h"

#include <algorithm>
#include <bit>
#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace quoxa {

namespace {

// memcmp answers equal blocks at memory speed; only a block that differs is searched word by word.
constexpr int64_t kPrefixBlock = int64_t{64} << 10;
// Cheap first look for a realignment: every offset pair up to this distance in turn, which also
// settles short differences in data of few byte values, where hashing finds too many candidates.
constexpr int64_t kNearSearch = 48;
// Longest chain of equal hashes looked at for one offset of A.
constexpr int kChainLimit = 64;
constexpr uint64_t kHashFactor = 0x100000001B3ULL;
constexpr uint32_t kNone = UINT32_MAX;

uint64_t Load64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

uint64_t HashFactorPower(int64_t n) {
  uint64_t p = 1;
  for (int64_t k = 0; k < n; ++k) p *= kHashFactor;
  return p;
}

}  // namespace

const char* DiffKindName(DiffKind kind) {
  switch (kind) {
    case DiffKind::Changed:
      return "changed";
    case DiffKind::Inserted:
      return "inserted";
    case DiffKind::Deleted:
      return "deleted";
  }
  return "";
}

int64_t EqualPrefix(const uint8_t* a, const uint8_t* b, int64_t n) {
  int64_t k = 0;
  while (k < n) {
    const int64_t block = std::min(kPrefixBlock, n - k);
    if (std::memcmp(a + k, b + k, static_cast<size_t>(block)) != 0) break;
    k += block;
  }
  for (; k + 8 <= n; k += 8) {
    const uint64_t x = Load64(a + k) ^ Load64(b + k);
    if (x != 0) return k + std::countr_zero(x) / 8;
  }
  while (k < n && a[k] == b[k]) ++k;
  return k;
}

TByteCompare::TByteCompare(std::span<const uint8_t> a, std::span<const uint8_t> b, bool sameOffsets)
    : a_(a), b_(b), sameOffsets_(sameOffsets) {}

bool TByteCompare::MatchesAt(int64_t i, int64_t j) const {
  const int64_t ra = static_cast<int64_t>(a_.size()) - i;
  const int64_t rb = static_cast<int64_t>(b_.size()) - j;
  if (ra >= kRealignMatch && rb >= kRealignMatch) {
    return std::memcmp(a_.data() + i, b_.data() + j, kRealignMatch) == 0;
  }
  // Near the end, equal ends of both align as well.
  return ra == rb && std::memcmp(a_.data() + i, b_.data() + j, static_cast<size_t>(ra)) == 0;
}

// The nearest offset pair (fewest bytes passed on both sides together) from i_, j_ where the two
// align again, each side at most the window on.
bool TByteCompare::Realign(int64_t& da, int64_t& db) {
  const int64_t ra = static_cast<int64_t>(a_.size()) - i_;
  const int64_t rb = static_cast<int64_t>(b_.size()) - j_;
  const int64_t maxA = std::min(kRealignWindow, ra);
  const int64_t maxB = std::min(kRealignWindow, rb);
  for (int64_t d = 0; d <= kNearSearch; ++d) {
    for (int64_t x = std::max<int64_t>(0, d - maxB); x <= std::min(d, maxA); ++x) {
      if (MatchesAt(i_ + x, j_ + d - x)) {
        da = x;
        db = d - x;
        return true;
      }
    }
  }
  int64_t best = INT64_MAX;
  // Equal ends shorter than a full match.
  if (ra - maxA < kRealignMatch && rb - maxB < kRealignMatch) {
    int64_t t = 0;
    while (t < std::min({ra, rb, kRealignMatch - 1}) &&
           a_[a_.size() - 1 - t] == b_[b_.size() - 1 - t])
      ++t;
    // The longest equal end inside the window costs least.
    for (int64_t s = t; s >= 0; --s) {
      if (ra - s <= maxA && rb - s <= maxB) {
        best = ra - s + rb - s;
        da = ra - s;
        db = rb - s;
        break;
      }
    }
  }
  if (ra >= kRealignMatch && rb >= kRealignMatch) {
    const int64_t na = std::min(kRealignWindow, ra - kRealignMatch) + 1;
    const int64_t nb = std::min(kRealignWindow, rb - kRealignMatch) + 1;
    const uint64_t outFactor = HashFactorPower(kRealignMatch - 1);
    const uint8_t* pa = a_.data() + i_;
    const uint8_t* pb = b_.data() + j_;
    // Rolling hashes of every match-long stretch of B's window, chained per bucket in rising
    // offset.
    hashes_.resize(static_cast<size_t>(nb));
    uint64_t h = 0;
    for (int64_t k = 0; k < kRealignMatch; ++k) h = h * kHashFactor + pb[k];
    for (int64_t y = 0;; ++y) {
      hashes_[static_cast<size_t>(y)] = h;
      if (y + 1 == nb) break;
      h = (h - pb[y] * outFactor) * kHashFactor + pb[y + kRealignMatch];
    }
    const size_t buckets = std::bit_ceil(static_cast<size_t>(nb) * 2);
    heads_.assign(buckets, kNone);
    next_.resize(static_cast<size_t>(nb));
    for (int64_t y = nb - 1; y >= 0; --y) {
      const size_t bucket = (hashes_[static_cast<size_t>(y)] >> 20) & (buckets - 1);
      next_[static_cast<size_t>(y)] = heads_[bucket];
      heads_[bucket] = static_cast<uint32_t>(y);
    }
    h = 0;
    for (int64_t k = 0; k < kRealignMatch; ++k) h = h * kHashFactor + pa[k];
    for (int64_t x = 0; x < na && x < best; ++x) {
      if (x > 0) h = (h - pa[x - 1] * outFactor) * kHashFactor + pa[x - 1 + kRealignMatch];
      uint32_t y = heads_[(h >> 20) & (buckets - 1)];
      for (int steps = 0; y != kNone && steps < kChainLimit && x + y < best;
           ++steps, y = next_[y]) {
        if (hashes_[y] == h && std::memcmp(pa + x, pb + y, kRealignMatch) == 0) {
          best = x + y;
          da = x;
          db = y;
          break;
        }
      }
    }
  }
  return best != INT64_MAX;
}

void TByteCompare::Emit(int64_t endA, int64_t endB, std::vector<DiffRange>& out) {
  const int64_t la = endA - startA_;
  const int64_t lb = endB - startB_;
  const int64_t common = std::min(la, lb);
  if (common > 0) out.push_back({startA_, startB_, common, common, DiffKind::Changed});
  if (la > common)
    out.push_back({startA_ + common, startB_ + common, la - common, 0, DiffKind::Deleted});
  if (lb > common)
    out.push_back({startA_ + common, startB_ + common, 0, lb - common, DiffKind::Inserted});
  inDiff_ = false;
}

bool TByteCompare::Step(int64_t budget, std::vector<DiffRange>& out) {
  if (finished_) return false;
  const int64_t sizeA = static_cast<int64_t>(a_.size());
  const int64_t sizeB = static_cast<int64_t>(b_.size());
  const int64_t limit = i_ + std::max<int64_t>(budget, 1);
  while (i_ < limit || (i_ == sizeA && !finished_)) {
    const int64_t ra = sizeA - i_;
    const int64_t rb = sizeB - j_;
    if (!inDiff_) {
      if (ra == 0 || rb == 0) {
        startA_ = i_;
        startB_ = j_;
        Emit(sizeA, sizeB, out);
        i_ = sizeA;
        j_ = sizeB;
        finished_ = true;
        return false;
      }
      const int64_t n = std::min({ra, rb, limit - i_});
      const int64_t k = EqualPrefix(a_.data() + i_, b_.data() + j_, n);
      i_ += k;
      j_ += k;
      if (k < n) {
        inDiff_ = true;
        startA_ = i_;
        startB_ = j_;
      }
    } else if (sameOffsets_) {
      const int64_t n = std::min({ra, rb, limit - i_});
      int64_t k = 0;
      while (k < n && a_[static_cast<size_t>(i_ + k)] != b_[static_cast<size_t>(j_ + k)]) ++k;
      i_ += k;
      j_ += k;
      if (k < n || i_ == sizeA || j_ == sizeB) Emit(i_, j_, out);
    } else {
      int64_t da = 0;
      int64_t db = 0;
      if (Realign(da, db)) {
        i_ += da;
        j_ += db;
        Emit(i_, j_, out);
      } else {
        // Nothing aligns within the window: the difference goes on past it.
        i_ += std::min(kRealignWindow, ra);
        j_ += std::min(kRealignWindow, rb);
      }
    }
  }
  return true;
}

void TByteCompare::Stop(std::vector<DiffRange>& out) {
  if (inDiff_ && (i_ > startA_ || j_ > startB_)) Emit(i_, j_, out);
  inDiff_ = false;
  finished_ = true;
}

std::vector<DiffRange> CompareBytes(std::span<const uint8_t> a, std::span<const uint8_t> b,
                                    bool sameOffsets) {
  std::vector<DiffRange> out;
  TByteCompare compare(a, b, sameOffsets);
  while (compare.Step(int64_t{1} << 30, out)) {
  }
  return out;
}

namespace {

// The ranges one difference gave (a changed part and an inserted or deleted rest touch): the
// compare stands outside a difference only between such groups, at every place of the equal
// stretch from one group's end to the next one's start.
struct DiffGroup {
  size_t first = 0;  // its ranges are first..last-1
  size_t last = 0;
  int64_t startA = 0, startB = 0, endA = 0, endB = 0;
};

std::vector<DiffGroup> GroupsOf(const std::vector<DiffRange>& ranges) {
  std::vector<DiffGroup> groups;
  for (size_t k = 0; k < ranges.size(); ++k) {
    const DiffRange& r = ranges[k];
    if (groups.empty() || groups.back().endA != r.offsetA || groups.back().endB != r.offsetB) {
      groups.push_back({k, k, r.offsetA, r.offsetB, r.offsetA, r.offsetB});
    }
    groups.back().last = k + 1;
    groups.back().endA = r.offsetA + r.lengthA;
    groups.back().endB = r.offsetB + r.lengthB;
  }
  return groups;
}

// The index of the first group after the equal stretch holding the place (x, y) of the side's
// coordinate x and the other's y, or -1 when the compare never stands there.
int64_t StretchAt(const std::vector<DiffGroup>& groups, int side, int64_t x, int64_t y,
                  int64_t sizeX) {
  auto end = [side](const DiffGroup& g) { return side == 0 ? g.endA : g.endB; };
  auto start = [side](const DiffGroup& g) { return side == 0 ? g.startA : g.startB; };
  // The last group ending at or before x.
  const auto after = std::upper_bound(groups.begin(), groups.end(), x,
                                      [&](int64_t v, const DiffGroup& g) { return v < end(g); });
  const int64_t k = after - groups.begin();
  const int64_t fromX = k == 0 ? 0 : end(groups[static_cast<size_t>(k - 1)]);
  const int64_t other = k == 0 ? 0
                               : (side == 0 ? groups[static_cast<size_t>(k - 1)].endB
                                            : groups[static_cast<size_t>(k - 1)].endA);
  const int64_t toX = after == groups.end() ? sizeX : start(*after);
  return x <= toX && y - x == other - fromX ? k : -1;
}

}  // namespace

std::optional<std::vector<DiffRange>> CompareAfterEdit(std::span<const uint8_t> a,
                                                       std::span<const uint8_t> b, bool sameOffsets,
                                                       const std::vector<DiffRange>& old, int side,
                                                       int64_t pos, int64_t removed, int64_t added,
                                                       int64_t most) {
  const std::vector<DiffGroup> groups = GroupsOf(old);
  const int64_t sizeX = static_cast<int64_t>(side == 0 ? a.size() : b.size());
  const int64_t oldSizeX = sizeX - added + removed;
  // Where to go on from: a place outside a difference that every look before it (a realignment
  // reads a window and a match ahead) made before the edited bytes.
  const int64_t limit = pos - kRealignWindow - kRealignMatch - 1;
  auto startX = [side](const DiffGroup& g) { return side == 0 ? g.startA : g.startB; };
  auto endX = [side](const DiffGroup& g) { return side == 0 ? g.endA : g.endB; };
  size_t kept = 0;  // groups wholly before the place
  int64_t i = 0;
  int64_t j = 0;
  if (limit >= 0) {
    while (kept < groups.size() && endX(groups[kept]) <= limit) ++kept;
    const int64_t fromA = kept == 0 ? 0 : groups[kept - 1].endA;
    const int64_t fromB = kept == 0 ? 0 : groups[kept - 1].endB;
    const int64_t fromX = side == 0 ? fromA : fromB;
    const int64_t toX = kept < groups.size() ? startX(groups[kept]) : oldSizeX;
    const int64_t step = std::min(limit, toX) - fromX;
    i = fromA + step;
    j = fromB + step;
  }
  std::vector<DiffRange> out(
      old.begin(), old.begin() + static_cast<int64_t>(kept == 0 ? 0 : groups[kept - 1].last));
  TByteCompare compare(a, b, sameOffsets, i, j);
  // Past the edit on equal bytes where the old compare stood as well, both go on alike: the
  // bytes ahead are the same, only shifted on the edited side.
  const int64_t shift = added - removed;
  while (compare.Step(kRealignWindow, out)) {
    if (compare.Done() - i > most) return std::nullopt;
    if (compare.InDifference()) continue;
    const int64_t x = side == 0 ? compare.Done() : compare.DoneB();
    const int64_t y = side == 0 ? compare.DoneB() : compare.Done();
    if (x < pos + added) continue;
    const int64_t k = StretchAt(groups, side, x - shift, y, oldSizeX);
    if (k < 0) continue;
    for (size_t g = static_cast<size_t>(k); g < groups.size(); ++g) {
      for (size_t r = groups[g].first; r < groups[g].last; ++r) {
        DiffRange moved = old[r];
        (side == 0 ? moved.offsetA : moved.offsetB) += shift;
        out.push_back(moved);
      }
    }
    return out;
  }
  return out;
}

std::string DiffLine(const DiffRange& range) {
  char line[96];
  std::snprintf(line, sizeof line, "%" PRIx64 " %" PRIx64 " %" PRId64 " %s\n", range.offsetA,
                range.offsetB, range.Length(), DiffKindName(range.kind));
  return line;
}

}  // namespace quoxa

namespace quoxa {

TAlignment::TAlignment(const std::vector<DiffRange>& ranges, int64_t sizeA, int64_t sizeB) {
  int64_t a = 0;
  int64_t b = 0;
  auto add = [&](int64_t length, bool inA, bool inB, int64_t diff) {
    if (length <= 0) return;
    if (diff >= 0 && (pieces_.empty() || pieces_.back().diff != diff)) diffStarts_.push_back(size_);
    pieces_.push_back({size_, a, b, length, inA, inB, diff});
    size_ += length;
    if (inA) a += length;
    if (inB) b += length;
  };
  for (size_t k = 0; k < ranges.size(); ++k) {
    const DiffRange& r = ranges[k];
    add(r.offsetA - a, true, true, -1);
    add(r.kind == DiffKind::Inserted ? r.lengthB : r.lengthA, r.kind != DiffKind::Inserted,
        r.kind != DiffKind::Deleted, static_cast<int64_t>(k));
  }
  add(std::min(sizeA - a, sizeB - b), true, true, -1);
}

const TAlignment::Piece* TAlignment::PieceAt(int64_t v) const {
  if (v < 0 || v >= size_) return nullptr;
  auto it = std::upper_bound(pieces_.begin(), pieces_.end(), v,
                             [](int64_t x, const Piece& p) { return x < p.v; });
  return &*(it - 1);
}

int64_t TAlignment::OffsetA(int64_t v) const {
  const Piece* p = PieceAt(v);
  return p != nullptr && p->inA ? p->a + (v - p->v) : -1;
}

int64_t TAlignment::OffsetB(int64_t v) const {
  const Piece* p = PieceAt(v);
  return p != nullptr && p->inB ? p->b + (v - p->v) : -1;
}

int64_t TAlignment::PlaceA(int64_t v) const {
  if (pieces_.empty()) return 0;
  const Piece* p = PieceAt(v);
  return p == nullptr ? -1 : p->a + (p->inA ? v - p->v : 0);
}

int64_t TAlignment::PlaceB(int64_t v) const {
  if (pieces_.empty()) return 0;
  const Piece* p = PieceAt(v);
  return p == nullptr ? -1 : p->b + (p->inB ? v - p->v : 0);
}

int64_t TAlignment::VirtualOfA(int64_t offset) const {
  for (auto it = std::upper_bound(pieces_.begin(), pieces_.end(), offset,
                                  [](int64_t x, const Piece&p) { return x < p.a; });
       it != pieces_.begin();) {
    --it;
    if (it->inA && offset < it->a + it->length) return it->v + (offset - it->a);
    if (it->inA) break;
  }
  return size_;
}

int64_t TAlignment::VirtualOfB(int64_t offset) const {
  for (auto it = std::upper_bound(pieces_.begin(), pieces_.end(), offset,
                                  [](int64_t x, const Piece&p) { return x < p.b; });
       it != pieces_.begin();) {
    --it;
    if (it->inB && offset < it->b + it->length) return it->v + (offset - it->b);
    if (it->inB) break;
  }
  return size_;
}

int64_t TAlignment::DifferenceAt(int64_t v) const {
  const Piece* p = PieceAt(v);
  return p != nullptr ? p->diff : -1;
}

int64_t TAlignment::DifferenceStart(int64_t k) const { return diffStarts_[static_cast<size_t>(k)]; }

}  // namespace quoxa
