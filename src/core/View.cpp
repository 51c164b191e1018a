#include "core/View.h"

#include "core/DocState.h"
#include "core/Navigation.h"

namespace quoxa {

namespace {
IView* installedView = nullptr;
int holds = 0;
bool outOfDate = false;

// False while the view is held: the call is then owed to the view.
bool Drawn() {
  if (holds == 0) return true;
  outOfDate = true;
  return false;
}
}  // namespace

void InstallView(IView* view) { installedView = view; }

void RepaintFrom(int32_t col, int32_t row) {
  if (Drawn() && Doc().ViewReady && installedView != nullptr) installedView->RepaintFrom(col, row);
}

void UpdateStatus() {
  if (Drawn() && installedView != nullptr) installedView->UpdateStatus();
}

void RepaintGrids() {
  if (Drawn() && installedView != nullptr) installedView->RepaintGrids();
}

void ShowStatusNote(const std::string& text) {
  if (installedView != nullptr) installedView->Notify(text);
}

void RefreshView() {
  RecomputeLastShown();
  RepaintFrom(Doc().CursorCol, Doc().CursorRow);
  UpdateStatus();
}

void RepaintFromPosition(int64_t pos) {
  RecomputeLastShown();
  if (pos > Doc().LastShownAddress) return;
  const Cell cell = pos > Doc().TopAddress ? AddressToCell(pos) : Cell{};
  RepaintFrom(cell.col, cell.row);
}

void SetCursorCell(int32_t col, int32_t row) {
  Doc().CursorCol = col;
  Doc().CursorRow = row;
  if (Drawn() && installedView != nullptr) installedView->MoveGridCursor(col, row);
  UpdateStatus();
}

void SetCursorCol(int32_t col) { SetCursorCell(col, Doc().CursorRow); }

ViewHold::ViewHold() { ++holds; }

ViewHold::~ViewHold() {
  if (--holds == 0) FlushHeldView();
}

bool ViewHeld() { return holds > 0; }

void FlushHeldView() {
  if (!outOfDate) return;
  outOfDate = false;
  const int saved = holds;
  holds = 0;
  RecomputeLastShown();
  RepaintFrom(0, 0);
  if (installedView != nullptr) installedView->MoveGridCursor(Doc().CursorCol, Doc().CursorRow);
  RepaintGrids();
  UpdateStatus();
  holds = saved;
}

}  // namespace quoxa
