#include "tools/NumberCommands.h"

#include <algorithm>

#include "core/Block.h"
#include "core/Busy.h"
#include "core/DocState.h"
#include "core/Journal.h"
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

}  // namespace quoxa
