#pragma once
// An imported text turned into the bytes of a new document: the readers' records laid out from
// the lowest address to the highest, gaps filled, after checking that no byte is given twice and
// that the span fits the memory.

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "core/MemoryPolicy.h"
#include "tools/ExportFormat.h"
#include "tools/ImportScan.h"

namespace quoxa {

struct TImportedImage {
  std::vector<uint8_t> bytes;
  // The address of the first byte, which the document shows as its first address.
  int64_t origin = 0;
};

// Characters read of the total (both readings of a record format count); false cancels.
using ImportProgress = std::function<bool(int64_t done, int64_t total)>;

// Reads a text of an importable format into image. Intel HEX and S-record give the bytes from the
// lowest address to the highest, the gaps holding fill, origin the lowest address; Base64 and
// hex lines the bytes as they come, origin 0. An image larger than maxSpan or than the free
// memory is refused. On a fault image is left empty.
TScanResult ImportText(std::string_view text, TDataFormat format, uint8_t fill,
                       TImportedImage& image, const ImportProgress& progress = {},
                       int64_t maxSpan = kMaxDocSize);

}  // namespace quoxa
