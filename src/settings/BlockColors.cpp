#include "settings/BlockColors.h"

#include <array>

namespace quoxa {

namespace {

constexpr std::array<NamedColor, 18> kColors{{
    {"clInfoText", kColorInfoText},
    {"clInfoBk", kColorInfoBk},
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
}};

}  // namespace

std::span<const NamedColor> BlockColors() { return kColors; }

int BlockColorIndex(uint32_t value) {
  for (size_t i = 0; i < kColors.size(); ++i) {
    if (kColors[i].value == value) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace quoxa
