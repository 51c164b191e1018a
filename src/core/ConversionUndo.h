#pragma once
// What undo keeps of a conversion through a byte table: which bytes it changed, and the
// original of each changed byte whose new value more than one byte converts to. Everything
// else follows from the table, so upper-casing a text costs about one bit per byte instead
// of a copy before and after.

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "core/ByteTable.h"

namespace quoxa {

// The longest stretch one Add takes.
inline constexpr int32_t kConversionStretch = 4096;

class TConversionUndo {
 public:
  explicit TConversionUndo(const uint8_t* table);

  // A stretch at pos converted through table carries this conversion on: stretches ascend
  // and the bytes between them were left as they were.
  bool Continues(int64_t pos, const uint8_t* table) const;
  // Keeps a stretch of at most kConversionStretch bytes at pos (1-based), still unconverted
  // in before, with its ChangedMask. Throws std::bad_alloc.
  void Add(int64_t pos, const uint8_t* before, int32_t n, const uint16_t* mask, int32_t changed);
  // What Add of such a stretch would cost, before it is made.
  static int64_t CostOf(int32_t n, int32_t changed);

  int64_t First() const { return first_; }
  int64_t Bytes() const;

  // On the document (doc[0] is position 1), as the conversion left it and as it found it.
  void Undo(uint8_t* doc) const;
  void Redo(uint8_t* doc) const;

  // Calls emit(pos, before, after, length) for the changed span of every stretch, reading the
  // document as the conversion left it.
  template <class Emit>
  void ForEachSpan(const uint8_t* doc, Emit emit) const;

 private:
  struct Stretch {
    int64_t pos;
    uint16_t length;
    uint16_t changed;
    uint16_t kept;      // originals that the table cannot give back
    bool listed;        // offsets of the changed bytes, else a mask
    const uint8_t* data;
  };

  static int32_t MaskBytes(int32_t n) { return (n + 15) / 16 * 2; }
  // The kept originals follow the offsets or the mask.
  static const uint8_t* KeptOf(const Stretch& s) { return s.data + (s.listed ? s.changed * 2 : MaskBytes(s.length)); }
  uint8_t* Room(size_t n);
  // The original of a changed byte now v; kept supplies those the table maps together.
  uint8_t Original(uint8_t v, const uint8_t*& kept) const {
    return ambiguous_[v] ? *kept++ : inverse_[v];
  }
  template <class Visit>
  void ForEachChanged(const Stretch& s, Visit visit) const;

  std::array<uint8_t, 256> table_{};
  std::array<uint8_t, 256> inverse_{};
  std::array<bool, 256> ambiguous_{};
  bool anyAmbiguous_ = false;
  int64_t first_ = 0;
  int64_t next_ = 0;
  std::vector<Stretch> stretches_;
  struct FreeBlock {
    void operator()(uint8_t* block) const;
  };
  std::vector<std::unique_ptr<uint8_t, FreeBlock>> blocks_;
  size_t blockSize_ = 0;  // of the last block
  size_t used_ = 0;       // in the last block
  int64_t payload_ = 0;
};

template <class Visit>
void TConversionUndo::ForEachChanged(const Stretch& s, Visit visit) const {
  if (s.listed) {
    const auto* offsets = reinterpret_cast<const uint16_t*>(s.data);
    for (int k = 0; k < s.changed; ++k) visit(offsets[k]);
    return;
  }
  ForEachMaskBit(reinterpret_cast<const uint16_t*>(s.data), s.length, visit);
}

template <class Emit>
void TConversionUndo::ForEachSpan(const uint8_t* doc, Emit emit) const {
  uint8_t before[kConversionStretch];
  for (const Stretch& s : stretches_) {
    const uint8_t* after = doc + (s.pos - 1);
    const uint8_t* kept = KeptOf(s);
    int lo = 0;
    int hi = -1;
    ForEachChanged(s, [&](int i) {
      if (hi < 0) {
        lo = i;
      } else if (i > hi + 1) {
        std::memcpy(before + hi + 1, after + hi + 1, static_cast<size_t>(i - hi - 1));
      }
      before[i] = Original(after[i], kept);
      hi = i;
    });
    if (hi >= lo) emit(s.pos + lo, before + lo, after + lo, hi - lo + 1);
  }
}

}  // namespace quoxa
