#include "core/View.h"

#include "core/DocState.h"
#include "core/Navigation.h"

namespace quoxa {

namespace {
IView* installedView = nullptr;
}

void InstallView(IView* view) { installedView = view; }

void RepaintFrom(int32_t col, int32_t row) {
  if (Doc().ViewReady && installedView != nullptr) installedView->RepaintFrom(col, row);
}

void UpdateStatus() {
  if (installedView != nullptr) installedView->UpdateStatus();
}

void RepaintGrids() {
  if (installedView != nullptr) installedView->RepaintGrids();
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
  if (installedView != nullptr) installedView->MoveGridCursor(col, row);
  UpdateStatus();
}

void SetCursorCol(int32_t col) { SetCursorCell(col, Doc().CursorRow); }

}  // namespace quoxa
