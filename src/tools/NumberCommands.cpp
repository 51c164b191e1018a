#include "tools/NumberCommands.h"

#include <algorithm>

#include "core/Block.h"
#include "core/Busy.h"
#include "core/DocState.h"
#include "core/Journal.h"
#include "core/MessageTexts.h"
#include "core/Messages.h"
#include "core/Navigation.h"
#include "core/Primitives.h"
#include "core/View.h"
#include "settings/Options.h"
#include "tools/NumberCodec.h"
#include "tools/ToolTexts.h"

namespace quoxa {

std::vector<std::string> DecodeAtCursor(char separator) {
  if (Doc().DocSize <= 0) return {};
  const int64_t pos = CursorAddress();
  const int64_t count = std::clamp<int64_t>(Doc().DocSize - pos + 1, 0, 8);
  std::string bytes;
  for (int64_t i = 0; i < count; ++i) bytes += static_cast<char>(GetByte(pos + i));
  return DecodeLines(bytes, Options().ByteOrder == 1, separator);
}

bool WriteEncodedNumber(const std::string& bytes, EncodeOutput output) {
  if (bytes.empty() || output == EncodeOutput::Here) return false;
  JournalStep step;
  BusyScope busy(msg::kWritingEncoded);
  bool written = false;
  if (Doc().DocSize == 0) {
    written = InsertBytes(1, 1, bytes);
    if (written) GotoAddress(1, true, false);
  } else if (output == EncodeOutput::Overwrite) {
    written = OverwriteBytes(CursorAddress(), bytes);
  } else {
    const int64_t pos = CursorAddress();
    written = InsertBytes(pos, 1, bytes);
    if (written) CheckBlock(pos);
  }
  if (written) RefreshView();
  return written;
}

int64_t InspectorPosition() { return BlockMarked() ? Doc().BlockBegin : CursorAddress(); }

std::string InspectorBytes() {
  if (!Doc().ViewReady || Doc().DocSize <= 0 || Doc().DocBuffer == nullptr) return {};
  const int64_t pos = InspectorPosition();
  const int64_t count = std::clamp<int64_t>(Doc().DocSize - pos + 1, 0, static_cast<int64_t>(kInspectorMaxBytes));
  std::string bytes(static_cast<size_t>(count), '\0');
  for (int64_t i = 0; i < count; ++i) bytes[static_cast<size_t>(i)] = static_cast<char>(GetByte(pos + i));
  return bytes;
}

std::string InspectorEditRefusal(InspectorRow row) {
  if (Doc().ReadOnly) return msg::kInspectorReadOnly;
  if (!Doc().ViewReady || InspectorPosition() + InspectorRowSize(row) - 1 > Doc().DocSize) {
    return msg::kOverwriteBeyondEnd;
  }
  return {};
}

bool WriteInspectorValue(InspectorRow row, std::string_view text, bool bigEndian, char separator) {
  if (const std::string refusal = InspectorEditRefusal(row); !refusal.empty()) {
    ShowError(refusal);
    return false;
  }
  const EncodeResult result = EncodeInspectorRow(text, row, bigEndian, separator);
  if (!result.Ok()) {
    ShowError(result.error);
    return false;
  }
  // A longer encoding than the row's least (LEB128, characters) must fit before the end too.
  if (InspectorPosition() + static_cast<int64_t>(result.bytes.size()) - 1 > Doc().DocSize) {
    ShowError(msg::kOverwriteBeyondEnd);
    return false;
  }
  const int64_t cursor = CursorAddress();
  {
    JournalStep step;
    if (!OverwriteBytes(InspectorPosition(), result.bytes)) return false;
    // The cursor stays where it was, so the new value shows at once.
    GotoAddress(cursor, true, true);
  }
  RefreshView();
  return true;
}

}  // namespace quoxa
