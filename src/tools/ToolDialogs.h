#pragma once
// The number, bit and patch commands of the Tools menu with their dialogs.

#include "core/Commands.h"

class QWidget;

namespace quoxa {

// Runs Decode number, Encode number, Bit manipulation, the patch or Checksums with owner as the dialogs'
// parent; false for any other command.
bool RunToolCommand(QWidget* owner, Cmd cmd);

// The help pages of the tool dialogs.
void InitToolResources();

}  // namespace quoxa
