#pragma once
// The differences between two byte strings as ranges: byte for byte at the same offsets, or
// realigned after inserted and deleted stretches. Works in steps, so that a caller can show
// progress and stop; what was found before a stop stays valid.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quoxa {

enum class DiffKind : uint8_t { Changed, Inserted, Deleted };

// Offsets are 0-based. Changed: lengthA == lengthB; Inserted: bytes only in B (lengthA 0);
// Deleted: bytes only in A (lengthB 0).
struct DiffRange {
  int64_t offsetA = 0;
  int64_t offsetB = 0;
  int64_t lengthA = 0;
  int64_t lengthB = 0;
  DiffKind kind = DiffKind::Changed;

  int64_t Length() const { return kind == DiffKind::Inserted ? lengthB : lengthA; }
  bool operator==(const DiffRange&) const = default;
};

const char* DiffKindName(DiffKind kind);

// After a mismatch the realigned compare looks this far on either side for bytes that match
// again, and needs this many equal bytes (or equal ends of both) to call them aligned.
inline constexpr int64_t kRealignWindow = int64_t{64} << 10;
inline constexpr int64_t kRealignMatch = 32;

// Offset of the first byte where a and b differ, or n when the first n bytes are equal. Large
// blocks go through memcmp; only a block that differs is searched for the byte.
int64_t EqualPrefix(const uint8_t* a, const uint8_t* b, int64_t n);

class TByteCompare {
 public:
  TByteCompare(std::span<const uint8_t> a, std::span<const uint8_t> b, bool sameOffsets);
  // Goes on from offsets i of A and j of B, where a compare from the start stands outside a
  // difference (at the end of one or between equal bytes).
  TByteCompare(std::span<const uint8_t> a, std::span<const uint8_t> b, bool sameOffsets, int64_t i,
               int64_t j)
      : a_(a), b_(b), sameOffsets_(sameOffsets), i_(i), j_(j) {}

  // Compares on for about budget bytes, appending the ranges found to out; false once the
  // whole of both is done.
  bool Step(int64_t budget, std::vector<DiffRange>& out);
  // Stops early: a difference still being measured is given as far as it was seen.
  void Stop(std::vector<DiffRange>& out);
  // Progress: bytes of A passed, of A's size.
  int64_t Done() const { return i_; }
  bool Finished() const { return finished_; }
  // Where the compare stands in B, and whether inside a difference there.
  int64_t DoneB() const { return j_; }
  bool InDifference() const { return inDiff_; }

 private:
  bool Realign(int64_t& da, int64_t& db);
  bool MatchesAt(int64_t i, int64_t j) const;
  void Emit(int64_t endA, int64_t endB, std::vector<DiffRange>& out);

  std::span<const uint8_t> a_;
  std::span<const uint8_t> b_;
  bool sameOffsets_;
  int64_t i_ = 0;  // both strings are equal before i_, j_ (outside the open difference)
  int64_t j_ = 0;
  bool inDiff_ = false;  // a difference starts at startA_, startB_ and reaches at least i_, j_
  int64_t startA_ = 0;
  int64_t startB_ = 0;
  bool finished_ = false;
  std::vector<uint32_t> heads_;
  std::vector<uint32_t> next_;
  std::vector<uint64_t> hashes_;
};

// Every difference at once (tests, small inputs).
std::vector<DiffRange> CompareBytes(std::span<const uint8_t> a, std::span<const uint8_t> b,
                                    bool sameOffsets);

// One edit of a side since a complete compare gave old: that side's bytes [pos, pos + removed)
// became [pos, pos + added) of a (side 0) or b (side 1), the strings as they are now. Compares
// again only from well before the edit until the compare is back in step with old at equal
// bytes; the result is what CompareBytes(a, b, sameOffsets) gives. Nothing when that takes
// more than about most bytes of A (a whole compare with progress does better then).
std::optional<std::vector<DiffRange>> CompareAfterEdit(std::span<const uint8_t> a,
                                                       std::span<const uint8_t> b, bool sameOffsets,
                                                       const std::vector<DiffRange>& old, int side,
                                                       int64_t pos, int64_t removed, int64_t added,
                                                       int64_t most = INT64_MAX);

// "<hex offset A> <hex offset B> <length> <kind>" and a line feed.
std::string DiffLine(const DiffRange& range);

}  // namespace quoxa

namespace quoxa {

// Both strings laid side by side: equal and changed stretches on one line, a stretch only one
// side has beside a gap on the other. The compare view shows this line; a place on it is a
// "virtual" offset.
class TAlignment {
 public:
  TAlignment() = default;
  TAlignment(const std::vector<DiffRange>& ranges, int64_t sizeA, int64_t sizeB);

  int64_t Size() const { return size_; }
  // The byte of A (or B) at the virtual offset v, or -1 where that side has a gap.
  int64_t OffsetA(int64_t v) const;
  int64_t OffsetB(int64_t v) const;
  // Where v stands in A (or B): its byte there, or for a gap the offset of the byte that follows
  // it (the side's size at its end); 0 on an empty line, -1 off the line.
  int64_t PlaceA(int64_t v) const;
  int64_t PlaceB(int64_t v) const;
  // The virtual offset of a byte of A (or B); the size for the end.
  int64_t VirtualOfA(int64_t offset) const;
  int64_t VirtualOfB(int64_t offset) const;
  // The difference v lies in, or -1.
  int64_t DifferenceAt(int64_t v) const;
  // Where difference k begins.
  int64_t DifferenceStart(int64_t k) const;

 private:
  struct Piece {
    int64_t v, a, b, length;
    bool inA, inB;
    int64_t diff;  // the difference's index, -1 for equal bytes
  };
  const Piece* PieceAt(int64_t v) const;

  std::vector<Piece> pieces_;
  std::vector<int64_t> diffStarts_;
  int64_t size_ = 0;
};

}  // namespace quoxa
