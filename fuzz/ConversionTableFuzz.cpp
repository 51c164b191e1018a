// The .qct reader on any bytes: it never crashes, and whatever table it accepts writes out
// and reads back as the same table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/ConversionTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quoxa::TConversionTable table{};
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (!quoxa::ParseConversionTable(text, table)) return 0;
  quoxa::TConversionTable again{};
  if (!quoxa::ParseConversionTable(quoxa::FormatConversionTable(table), again) || again != table) std::abort();
  return 0;
}
