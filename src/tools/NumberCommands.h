#pragma once
// The document side of the decode and encode commands.

#include <string>
#include <vector>

namespace quoxa {

// The decode dialog's lines for the bytes at the cursor, in the ByteOrder option's order.
std::vector<std::string> DecodeAtCursor(char separator);

// The encode dialog's choice of output (the EncodeWhere setting).
enum class EncodeOutput : int { Insert, Overwrite, Here };

// Writes encoded bytes: before the cursor byte, or over the bytes from the cursor on (refused
// with a message when they pass the end); an empty document becomes exactly the bytes, the
// cursor on the first. One undo step; true when the document changed.
bool WriteEncodedNumber(const std::string& bytes, EncodeOutput output);

}  // namespace quoxa
