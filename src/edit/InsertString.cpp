#include "edit/InsertString.h"

#include <optional>

#include "core/Block.h"
#include "core/Busy.h"
#include "core/CodePage.h"
#include "core/DocState.h"
#include "core/MessageTexts.h"
#include "core/Messages.h"
#include "core/Primitives.h"
#include "core/TextFormat.h"
#include "settings/Options.h"
#include "widgets/ByteEditRules.h"
#include "widgets/HexString.h"
#include "widgets/IntegerText.h"

namespace quoxa {

namespace {

InsCheck Refuse(InsCheck check, const std::string& message, InsField focus) {
  ShowError(message);
  check.accepted = false;
  check.focus = focus;
  return check;
}

}  // namespace

InsCheck CheckInsFields(const InsFields& fields) {
  InsCheck check;
  check.hexMode = fields.hexMode;
  if (!fields.hexMode) {
    if (fields.text.empty()) return Refuse(check, msg::kEmptyStringNotValid, InsField::Text);
    check.bytes = Utf8ToBytes(fields.text);
  } else {
    if (!IsValidByteEditText(fields.hexText)) return Refuse(check, msg::kHexStringInvalid, InsField::Hex);
    check.bytes = HexStringToBytes(fields.hexText, true);
  }
  if (fields.countShown) {
    const std::optional<int64_t> n = TextToInteger(fields.countText);
    if (!n) return Refuse(check, FormatMsgS(kNotValidInteger, fields.countText), InsField::Count);
    if (*n < 1) return Refuse(check, msg::kEmptyStringNotValid, InsField::Count);
    check.count = *n;
  }
  check.accepted = true;
  return check;
}

void InsertString(const InsCheck& accepted) {
  Options().InsHex = accepted.hexMode;
  const int64_t pos = CursorAddress();
  {
    BusyScope busy(msg::kBusyInsert);
    if (!InsertBytes(pos, accepted.count, accepted.bytes)) return;
  }
  DropReplaceUndoIfReached(pos);
  CheckBlock(pos);
}

void OverwriteString(const InsCheck& accepted) {
  Options().InsHex = accepted.hexMode;
  const int64_t pos = CursorAddress();
  BusyScope busy(msg::kBusyInsert);
  if (OverwriteBytes(pos, accepted.bytes)) DropReplaceUndoIfReached(pos);
}

}  // namespace quoxa
