#pragma once
// CRCs of up to 32 bits by one 256-entry table, described by the usual catalogue parameters.
// Only for the small CRCs (16 and 8 bits) that no library of the system offers.

#include <array>
#include <cstddef>
#include <cstdint>

namespace quoxa {

struct CrcModel {
  int width;         // bits, 8 to 32
  uint32_t poly;     // normal (most significant bit first) form
  uint32_t init;
  bool reflected;    // input and output reflected (both or neither in the models used)
  uint32_t xorOut;
};

class TableCrc {
 public:
  explicit TableCrc(const CrcModel& model);
  void Update(const uint8_t* data, size_t size);
  uint32_t Value() const { return (crc_ ^ model_.xorOut) & mask_; }

 private:
  CrcModel model_;
  uint32_t mask_;
  uint32_t crc_;
  std::array<uint32_t, 256> table_{};
};

}  // namespace quoxa
