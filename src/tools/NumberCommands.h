#pragma once
// The document side of the decode and encode commands.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/CursorValues.h"

namespace quoxa {

// The decode dialog's lines for the bytes at the cursor, in the ByteOrder option's order.
std::vector<std::string> DecodeAtCursor(char separator);

// The encode dialog's choice of output (the EncodeWhere setting).
enum class EncodeOutput : int { Insert, Overwrite, Here };

// Writes encoded bytes: before the cursor byte, or over the bytes from the cursor on (refused
// with a message when they pass the end); an empty document becomes exactly the bytes, the
// cursor on the first. One undo step; true when the document changed.
bool WriteEncodedNumber(const std::string& bytes, EncodeOutput output);

// Where the data inspector reads and writes: the start of a marked block, else the cursor.
int64_t InspectorPosition();
// The bytes the data inspector reads from there on, as far as the document goes, at most
// kInspectorMaxBytes; empty without a document.
std::string InspectorBytes();

// Why the data inspector may not edit row now (read-only document, not enough bytes left for
// the row's least encoding); empty when it may.
std::string InspectorEditRefusal(InspectorRow row);

// Writes the typed value of row over the bytes at InspectorPosition(): one undo step, the
// cursor stays where it was. A refusal or a conversion error is shown; false then, nothing changed.
bool WriteInspectorValue(InspectorRow row, std::string_view text, bool bigEndian, char separator);

}  // namespace quoxa
