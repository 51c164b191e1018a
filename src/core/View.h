#pragma once
// What the core asks of the grids. Cursor and page state live in DocState; the
// view only draws them.

#include <cstdint>
#include <string>

namespace quoxa {

class IView {
 public:
  virtual ~IView() = default;
  // Refill the cells from (col, row) to the end of the page.
  virtual void RepaintFrom(int32_t col, int32_t row) = 0;
  // Status panels, scroll bar and the address-column highlight.
  virtual void UpdateStatus() = 0;
  // Move the current cell of the active grid and its slave.
  virtual void MoveGridCursor(int32_t col, int32_t row) = 0;
  // Redraw both data grids (the block colour changed).
  virtual void RepaintGrids() = 0;
  // A short note shown whole for a while in the status bar's message area.
  virtual void Notify(const std::string& text) { (void)text; }
};

// Installs the process-wide view; nullptr restores the default (draws nothing).
void InstallView(IView* view);

// These do nothing visible while ViewReady is false.
void RepaintFrom(int32_t col, int32_t row);
void UpdateStatus();
void RepaintGrids();
void ShowStatusNote(const std::string& text);
// LastShownAddress recomputed, cells refilled from the cursor cell, status updated.
void RefreshView();
// Cells refilled from the one of pos on (all of them when pos lies above the page), so that a
// change there shows wherever the cursor is.
void RepaintFromPosition(int64_t pos);
// Moves the cursor cell in both grids and updates the status.
void SetCursorCell(int32_t col, int32_t row);
void SetCursorCol(int32_t col);

// While one lives, the repaint operations above only note that the view is out of date; when
// the last one ends, the view is brought up to date once: cells, cursor cell, status. A run of
// many edits that nobody watches line by line (a script) so costs no drawing per edit.
class ViewHold {
 public:
  ViewHold();
  ~ViewHold();
  ViewHold(const ViewHold&) = delete;
  ViewHold& operator=(const ViewHold&) = delete;
};
bool ViewHeld();
// Brings a held view up to date now (before a box shows the window to the user).
void FlushHeldView();

}  // namespace quoxa
