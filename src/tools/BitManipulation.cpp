#include "tools/BitManipulation.h"

#include "core/DocState.h"
#include "core/Journal.h"
#include "core/Primitives.h"
#include "core/TextFormat.h"
#include "core/View.h"
#include "tools/ToolTexts.h"
#include "widgets/HexString.h"

namespace quoxa {

namespace {
// The group's room beside the boxes, and the gap between two boxes.
constexpr int kGroupMargin = 90;
constexpr int kBoxGap = 10;
}  // namespace

std::string BitLabel(uint8_t value) {
  std::string binary;
  for (int bit = 7; bit >= 0; --bit) binary += (value >> bit) & 1 ? '1' : '0';
  std::string text = FormatMsgD(msg::kBitLabel, value);
  text = FormatMsg(text, "%2.2x", HexByte(value));
  return FormatMsgS(text, binary);
}

int BitBoxWidth(int groupWidth) { return (groupWidth - kGroupMargin) / 8; }

int BitBoxLeft(int groupWidth, int bit) { return groupWidth - (BitBoxWidth(groupWidth) + kBoxGap) * (bit + 1); }

bool StoreBitsByte(uint8_t opening, uint8_t value) {
  if (value == opening || Doc().DocSize <= 0) return false;
  JournalStep step;
  // In place: the cursor stays on the byte.
  if (!SpliceBytes(CursorAddress(), 1, std::string(1, static_cast<char>(value)))) return false;
  Doc().Modified = true;
  RefreshView();
  return true;
}

}  // namespace quoxa
