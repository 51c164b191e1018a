#pragma once
// What each export format implements for TExportText, and the hex digits they share.

#include <cstdint>
#include <memory>
#include <string>

#include "tools/ExportFormat.h"

namespace quoxa {

class TExportText::Encoder {
 public:
  virtual ~Encoder() = default;
  virtual int64_t TextSize() const = 0;
  virtual void Header(std::string& out) = 0;
  // Appends one line for the bytes from pos on (pos < size); returns the position after them.
  virtual int64_t Line(std::string& out, int64_t pos) = 0;
  virtual void Footer(std::string& out) = 0;
};

using EncoderPtr = std::unique_ptr<TExportText::Encoder>;

EncoderPtr MakeIntelHexEncoder(const TExportOptions& options, const uint8_t* data, int64_t size);
EncoderPtr MakeSRecordEncoder(const TExportOptions& options, const uint8_t* data, int64_t size);
EncoderPtr MakeCArrayEncoder(const TExportOptions& options, const uint8_t* data, int64_t size);
EncoderPtr MakePythonEncoder(const TExportOptions& options, const uint8_t* data, int64_t size);
EncoderPtr MakeBase64Encoder(const uint8_t* data, int64_t size);
EncoderPtr MakeHexLinesEncoder(const uint8_t* data, int64_t size);

// Two hex digits per byte, upper or lower case, written at out.
inline constexpr char kUpperDigits[] = "0123456789ABCDEF";
inline constexpr char kLowerDigits[] = "0123456789abcdef";
inline char* PutHexByte(char* out, uint8_t b, const char* digits = kUpperDigits) {
  out[0] = digits[b >> 4];
  out[1] = digits[b & 15];
  return out + 2;
}

// Records of width bytes aligned to multiples of width: the length of the one at address,
// with remaining bytes left to write.
inline int64_t AlignedRecordLength(int64_t address, int32_t width, int64_t remaining) {
  const int64_t room = width - address % width;
  return room < remaining ? room : remaining;
}

// How many records of width bytes, aligned so, hold size bytes from base on.
inline int64_t AlignedRecordCount(int64_t base, int32_t width, int64_t size) {
  if (size <= 0) return 0;
  const int64_t first = AlignedRecordLength(base, width, size);
  return 1 + (size - first + width - 1) / width;
}

}  // namespace quoxa
