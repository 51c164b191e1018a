#pragma once
// The data inspector's rows: the bytes at the cursor read as each common type, and the typed
// value of an editable row turned back into bytes. Built on the number codec.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "tools/NumberCodec.h"

namespace quoxa {

enum class InspectorRow : int {
  Binary, Int8, UInt8, Int16, UInt16, Int32, UInt32, Int64, UInt64, Float16, Float32, Float64,
  ULeb128, SLeb128, Utf8, Utf16, CodePage, TimeT32, TimeT64, DosDateTime, FileTime, Guid
};
inline constexpr int kInspectorRowCount = 22;
// No row reads more bytes from the cursor on.
inline constexpr size_t kInspectorMaxBytes = 16;
// The value of a row whose bytes would pass the end of the document.
inline constexpr const char* kInspectorNone = "-";

struct InspectorFormat {
  bool bigEndian = false;
  bool hex = false;  // integers as "$" and their hex digits
  char separator = '.';
};

using InspectorValues = std::array<std::string, kInspectorRowCount>;

const char* InspectorRowName(InspectorRow row);
// Bytes the row reads, and the fewest an edit of it writes (LEB128 and characters may write
// more: the length of their encoding).
int InspectorRowSize(InspectorRow row);

// One row's value for bytes, the document from the cursor on (as far as it goes).
std::string DecodeInspectorRow(std::string_view bytes, InspectorRow row, const InspectorFormat& format);
// Every row, in order, into values (kept allocated between calls).
void DecodeInspector(std::string_view bytes, const InspectorFormat& format, InspectorValues& values);

// The bytes of a typed value in document order, or the error for it (the encode dialog's for
// numbers). Each row takes the text it shows: characters also as themselves, dates and times
// without the time (midnight), GUIDs without braces.
EncodeResult EncodeInspectorRow(std::string_view text, InspectorRow row, bool bigEndian, char separator);

}  // namespace quoxa
