#pragma once
// The Search menu's commands with their dialogs, and what the Find and Replace dialogs share.

#include <QString>

#include "core/Commands.h"
#include "search/SearchInput.h"

class QGroupBox;
class QRadioButton;
class QWidget;

namespace quoxa {

class TSearchOptionsBox;
class TStringChoice;

// Runs Find, Find again down/up, Count, Replace, Replace again down, Replace undo or the Find
// and Replace tool buttons, with owner as the dialogs' parent; false for any other command.
bool RunSearchCommand(QWidget* owner, Cmd cmd);

// The help pages of the search dialogs.
void InitSearchResources();

// A titled group of two radio buttons, one above the other.
QGroupBox* RadioGroup(const QString& title, QRadioButton* first, QRadioButton* second, QWidget* parent);

// Focuses the control a failed OK check names (replace may be null in the Find dialog).
void FocusField(DialogField field, TStringChoice* find, TSearchOptionsBox* options, TStringChoice* replace);

}  // namespace quoxa
