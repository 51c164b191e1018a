#include "tools/ToolDialogs.h"

#include "core/DocState.h"
#include "settings/Options.h"
#include "tools/ExePatch.h"
#include "tools/FormBit.h"
#include "tools/FormChecksum.h"
#include "tools/FormDecode.h"
#include "tools/FormEncode.h"
#include "tools/NumberCommands.h"
#include "widgets/QZNumEdit.h"

// Outside the namespace: the resource's initialiser is a global function.
static void InitToolHelp() { Q_INIT_RESOURCE(numberhelp); }

namespace quoxa {

namespace {

void DecodeNumber(QWidget* owner) {
  if (Doc().DocSize <= 0) return;
  TFormDecode form(DecodeAtCursor(LocaleDecimalSeparator()), Options().ByteOrder == 1, owner);
  form.exec();
}

void EncodeNumber(QWidget* owner) {
  TFormEncode form(owner);
  const bool accepted = form.exec() == QDialog::Accepted;
  Options().EncodeAs = static_cast<int32_t>(form.Type());
  Options().EncodeWhere = static_cast<int32_t>(form.Output());
  if (accepted) WriteEncodedNumber(form.Bytes(), form.Output());
}

void BitManipulation(QWidget* owner) {
  if (Doc().DocSize <= 0) return;
  TFormBit form(owner);
  form.exec();
}

}  // namespace

bool RunToolCommand(QWidget* owner, Cmd cmd) {
  InitToolResources();
  switch (cmd) {
    case Cmd::DecodeNumber: DecodeNumber(owner); return true;
    case Cmd::EncodeNumber:
      if (Doc().ViewReady) EncodeNumber(owner);
      return true;
    case Cmd::BitManipulation: BitManipulation(owner); return true;
    case Cmd::Patch:
      if (Doc().DocSize > 0) PatchExecutable();
      return true;
    case Cmd::Checksums:
      if (Doc().ViewReady) TFormChecksum(owner).exec();
      return true;
    default: return false;
  }
}

void InitToolResources() {
  static const bool done = (InitToolHelp(), true);
  (void)done;
}

}  // namespace quoxa
