#pragma once
// The named colours the Options dialog offers for the block characters, as
// Windows colour values: 0x00BBGGRR, or a system colour (high bit set, low byte
// the system colour index).

#include <cstdint>
#include <span>

namespace quoxa {

struct NamedColor {
  const char* name;
  uint32_t value;
};

constexpr uint32_t kSystemColorFlag = 0x80000000u;
constexpr uint32_t kColorInfoText = kSystemColorFlag | 23u;
constexpr uint32_t kColorInfoBk = kSystemColorFlag | 24u;

// The colours in the order of the dialog's list.
std::span<const NamedColor> BlockColors();

// Index of the colour in BlockColors(), or -1 when it has no name there.
int BlockColorIndex(uint32_t value);

}  // namespace quoxa
