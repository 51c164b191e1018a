#pragma once
// What every import reader must hold on any bytes: it never crashes or hangs, refuses with a
// message naming the line (or the span), leaves no image when it refuses, and what it accepts
// exports to a text that reads back to the same bytes at the same address.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/ExportFormat.h"
#include "tools/ImportImage.h"

namespace quoxa::fuzz {

// Images past this are refused, as a small free memory would.
constexpr int64_t kMaxFuzzSpan = 16 << 20;

inline int ImportHolds(TDataFormat format, const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TImportedImage image;
  const TScanResult result = ImportText(text, format, 0xFF, image, {}, kMaxFuzzSpan);
  if (result.cancelled) std::abort();
  if (!result.ok) {
    if (!image.bytes.empty() || image.origin != 0) std::abort();
    if (result.message.rfind("line ", 0) != 0 && result.message.rfind("The addresses ", 0) != 0)
      std::abort();
    return 0;
  }
  const auto length = static_cast<int64_t>(image.bytes.size());
  if (length > kMaxFuzzSpan || image.origin < 0 || image.origin + length - 1 > kMaxRecordAddress)
    std::abort();
  TExportOptions options;
  options.format = format;
  options.baseAddress = image.origin;
  options.recordBytes = size % 2 == 0 ? 16 : 32;
  if (!ExportProblem(options, length).empty()) std::abort();
  const std::string again = ExportToString(options, image.bytes.data(), length);
  TImportedImage back;
  if (!ImportText(again, format, 0x00, back, {}, kMaxFuzzSpan).ok) std::abort();
  if (back.bytes != image.bytes || (length > 0 && back.origin != image.origin)) std::abort();
  return 0;
}

}  // namespace quoxa::fuzz
