#pragma once
// The "&Print..." command: the Print dialog over the report engine.

class QWidget;
class QLabel;

namespace quoxa {

// Opens the Print dialog with owner as its parent; nothing when there is no printer.
void RunPrintCommand(QWidget* owner);

// The status panel that takes the busy text while a preview window is active, or nullptr.
QLabel* PreviewBusyPanel();

}  // namespace quoxa
