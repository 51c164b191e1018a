#pragma once
// The Address menu's commands with their dialogs.

#include "core/Commands.h"

class QWidget;

namespace quoxa {

// Runs Goto, Jump width, Jump down, Jump up, Remember address, Goto remembered or Display
// difference with owner as the dialogs' parent; false for any other command.
bool RunGotoCommand(QWidget* owner, Cmd cmd);

// The help page of the Go to dialog.
void InitAddressResources();

}  // namespace quoxa
