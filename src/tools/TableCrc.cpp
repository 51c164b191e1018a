#include "tools/TableCrc.h"

namespace quoxa {

namespace {

uint32_t Reflect(uint32_t value, int width) {
  uint32_t out = 0;
  for (int i = 0; i < width; ++i, value >>= 1) out = (out << 1) | (value & 1);
  return out;
}

}  // namespace

TableCrc::TableCrc(const CrcModel& model)
    : model_(model), mask_(model.width == 32 ? 0xFFFFFFFFu : (1u << model.width) - 1) {
  const int top = model_.width - 1;
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c;
    if (model_.reflected) {
      const uint32_t poly = Reflect(model_.poly, model_.width);
      c = i;
      for (int bit = 0; bit < 8; ++bit) c = (c & 1) != 0 ? (c >> 1) ^ poly : c >> 1;
    } else {
      c = i << (model_.width - 8);
      for (int bit = 0; bit < 8; ++bit) c = ((c >> top) & 1) != 0 ? (c << 1) ^ model_.poly : c << 1;
    }
    table_[i] = c & mask_;
  }
  crc_ = model_.reflected ? Reflect(model_.init, model_.width) : model_.init & mask_;
}

void TableCrc::Update(const uint8_t* data, size_t size) {
  uint32_t crc = crc_;
  if (model_.reflected) {
    for (size_t i = 0; i < size; ++i) crc = table_[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  } else {
    const int shift = model_.width - 8;
    for (size_t i = 0; i < size; ++i) crc = (table_[((crc >> shift) ^ data[i]) & 0xFF] ^ (crc << 8)) & mask_;
  }
  crc_ = crc;
}

}  // namespace quoxa
