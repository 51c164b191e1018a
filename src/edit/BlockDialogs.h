#pragma once
// The block and string commands of the Edit and File menus with their dialogs, and what those
// dialogs share.

#include <QVBoxLayout>
#include <functional>

#include "core/Commands.h"

class QDialog;
class QWidget;

namespace quoxa {

class IFileAsker;

// Runs Block delete (and its tool button), Block copy, copy/overwrite and move, Block <n> chars,
// Write block, Insert string and Overwrite string, with owner as the dialogs' parent and host
// asking for file names; false for any other command.
bool RunBlockCommand(QWidget* owner, IFileAsker& host, Cmd cmd);

// The help pages of these dialogs.
void InitBlockResources();

// The column of OK (the default button), Cancel and, with onHelp, Help of a dialog.
QVBoxLayout* DialogButtons(QDialog* dialog, const std::function<void()>& onOK, const std::function<void()>& onHelp);

}  // namespace quoxa
