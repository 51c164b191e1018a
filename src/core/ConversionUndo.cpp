#include "core/ConversionUndo.h"

#include <algorithm>

#include "core/ByteTable.h"
#include "core/RecordMemory.h"

namespace quoxa {

namespace {

// Blocks grow from small to the size of a huge page.
constexpr size_t kFirstBlock = size_t{16} << 10;

}  // namespace

TConversionUndo::TConversionUndo(const uint8_t* table) {
  std::copy(table, table + 256, table_.begin());
  // For every value, the bytes other than itself that the table turns into it.
  std::array<int, 256> others{};
  for (int b = 0; b < 256; ++b) {
    const uint8_t to = table_[static_cast<size_t>(b)];
    if (to == b) continue;
    ++others[to];
    inverse_[to] = static_cast<uint8_t>(b);
  }
  for (size_t v = 0; v < 256; ++v) {
    ambiguous_[v] = others[v] > 1;
    anyAmbiguous_ = anyAmbiguous_ || ambiguous_[v];
  }
}

bool TConversionUndo::Continues(int64_t pos, const uint8_t* table) const {
  return pos >= next_ && std::equal(table_.begin(), table_.end(), table);
}

int64_t TConversionUndo::CostOf(int32_t n, int32_t changed) {
  // Kept originals are not known before the bytes are looked at: at most every changed one.
  return static_cast<int64_t>(sizeof(Stretch)) + std::min(MaskBytes(n), changed * 2) + changed + 1;
}

void TConversionUndo::FreeBlock::operator()(uint8_t* block) const { FreeRecordMemory(block); }

uint8_t* TConversionUndo::Room(size_t n) {
  n = (n + 1) & ~size_t{1};  // keeps the offsets and masks aligned
  if (blocks_.empty() || used_ + n > blockSize_) {
    const size_t size = std::max(n, blocks_.empty() ? kFirstBlock : std::min(blockSize_ * 2, kHugePage));
    std::unique_ptr<uint8_t, FreeBlock> block(static_cast<uint8_t*>(AllocateRecordMemory(size)));
    blocks_.push_back(std::move(block));
    blockSize_ = size;
    used_ = 0;
  }
  uint8_t* room = blocks_.back().get() + used_;
  used_ += n;
  payload_ += static_cast<int64_t>(n);
  return room;
}

void TConversionUndo::Add(int64_t pos, const uint8_t* before, int32_t n, const uint16_t* mask, int32_t changed) {
  if (stretches_.empty()) first_ = pos;
  next_ = pos + n;
  if (changed == 0) return;
  Stretch s{pos, static_cast<uint16_t>(n), static_cast<uint16_t>(changed), 0, changed * 2 < MaskBytes(n), nullptr};
  const int32_t index = s.listed ? changed * 2 : MaskBytes(n);
  // The kept originals are counted first, so that room is taken once.
  int32_t kept = 0;
  if (anyAmbiguous_) ForEachMaskBit(mask, n, [&](int i) { kept += ambiguous_[table_[before[i]]]; });
  uint8_t* room = Room(static_cast<size_t>(index + kept));
  if (s.listed) {
    auto* offsets = reinterpret_cast<uint16_t*>(room);
    int k = 0;
    ForEachMaskBit(mask, n, [&](int i) { offsets[k++] = static_cast<uint16_t>(i); });
  } else {
    std::memcpy(room, mask, static_cast<size_t>(index));
  }
  s.kept = static_cast<uint16_t>(kept);
  s.data = room;
  if (kept > 0) {
    uint8_t* out = room + index;
    ForEachChanged(s, [&](int i) {
      if (ambiguous_[table_[before[i]]]) *out++ = before[i];
    });
  }
  stretches_.push_back(s);
}

int64_t TConversionUndo::Bytes() const {
  return static_cast<int64_t>(sizeof(*this) + stretches_.capacity() * sizeof(Stretch)) + payload_;
}

void TConversionUndo::Undo(uint8_t* doc) const {
  uint8_t back[kConversionStretch];
  for (const Stretch& s : stretches_) {
    uint8_t* bytes = doc + (s.pos - 1);
    if (!s.listed && s.kept == 0) {
      // Every changed byte has one original: the stretch looked up backwards, the changed
      // bytes taken from that.
      std::memcpy(back, bytes, s.length);
      TranslateBytes(back, s.length, inverse_.data());
      TakeMasked(bytes, back, s.length, reinterpret_cast<const uint16_t*>(s.data));
      continue;
    }
    const uint8_t* kept = KeptOf(s);
    ForEachChanged(s, [&](int i) { bytes[i] = Original(bytes[i], kept); });
  }
}

void TConversionUndo::Redo(uint8_t* doc) const {
  // Bytes the conversion left alone are their own image, so a stretch is converted whole.
  for (const Stretch& s : stretches_) {
    uint8_t* bytes = doc + (s.pos - 1);
    if (s.listed) {
      ForEachChanged(s, [&](int i) { bytes[i] = table_[bytes[i]]; });
    } else {
      TranslateBytes(bytes, s.length, table_.data());
    }
  }
}

}  // namespace quoxa
