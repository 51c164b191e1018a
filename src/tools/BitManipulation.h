#pragma once
// The rules of the bit dialog: its value label, where its eight check boxes go, and the write.

#include <cstdint>
#include <string>

namespace quoxa {

// "decimal: 65  hex: 41  binary: 01000001".
std::string BitLabel(uint8_t value);

// The check boxes of a group groupWidth pixels wide: each this wide, the one of bit n starting
// BitBoxLeft pixels from the group's left edge (bit 7 leftmost).
int BitBoxWidth(int groupWidth);
int BitBoxLeft(int groupWidth, int bit);

// Stores value at the cursor when it differs from the byte the dialog opened with: one undo
// step, Modified set, the view refreshed. True when it wrote.
bool StoreBitsByte(uint8_t opening, uint8_t value);

}  // namespace quoxa
