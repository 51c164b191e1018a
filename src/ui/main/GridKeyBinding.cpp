#include "ui/main/GridKeyBinding.h"

#include <QKeyEvent>

#include "core/CodePage.h"
#include "core/DocState.h"
#include "core/Journal.h"
#include "ui/main/GridView.h"
#include "ui/main/QZStrGrid.h"
#include "ui/main/ViewTexts.h"

namespace quoxa {

TGridKeyBinding::TGridKeyBinding(TGridView* grids, std::function<void()> toggleTextMode,
                                 std::function<void()> toggleOverwriteMode, QObject* parent)
    : QObject(parent),
      grids_(grids),
      toggleTextMode_(std::move(toggleTextMode)),
      toggleOverwriteMode_(std::move(toggleOverwriteMode)),
      keys_(*this) {
  Bind(grids_->QZStrGridHex());
  Bind(grids_->QZStrGridText());
}

void TGridKeyBinding::Bind(TQZStrGrid* grid) {
  grid->CanSelect = [this](int col, int row) { return keys_.SelectCell(col, row); };
  grid->KeyDown = [this](QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers();
    // Undo and Redo take their keys while they are enabled; otherwise the keys come here.
    if (mods == Qt::ControlModifier && event->key() == Qt::Key_Z) {
      UndoCommand();
      return true;
    }
    if ((mods == (Qt::ControlModifier | Qt::ShiftModifier) && event->key() == Qt::Key_Z) ||
        (mods == Qt::ControlModifier && event->key() == Qt::Key_Y)) {
      RedoCommand();
      return true;
    }
    // The Shift key itself is held by definition, whatever its event reports.
    const bool shift = (mods & Qt::ShiftModifier) || event->key() == Qt::Key_Shift;
    keys_.KeyDown(GridKeyFor(event->key()), shift, mods & Qt::ControlModifier);
    // The key handling moves the cursor itself.
    return true;
  };
  grid->KeyPress = [this](QKeyEvent* event) {
    // Ctrl and Alt combinations are commands, not characters.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return;
    keys_.KeyPress(event->text().toStdString());
  };
  grid->KeyUp = [this](QKeyEvent* event) {
    keys_.KeyUp(GridKeyFor(event->key()), event->modifiers() & Qt::ShiftModifier);
  };
  grid->InactiveClick = [this](TQZStrGrid* clicked, QPoint point) {
    int col = 0;
    int row = 0;
    const bool onCell = clicked->CellAt(point, col, row);
    const int64_t before = CursorAddress();
    keys_.ClickInactiveGrid(onCell, col, row);
    // The click made this grid the active one: a drag from here marks as well.
    if (onCell && clicked->IsActive()) marking_.Press(before, CursorAddress(), false);
  };
  grid->Wheel = [this](int rows) { keys_.Wheel(rows); };
  grid->CellPress = [this, grid](int col, int row, bool shift) {
    const int64_t before = CursorAddress();
    if (grid->SelectCell(col, row)) marking_.Press(before, CursorAddress(), shift);
  };
  grid->CellDrag = [this] { marking_.Drag(CursorAddress()); };
  grid->DragTarget = [](int& col, int& row) {
    const Cell cell = DragCell({col, row});
    col = cell.col;
    row = cell.row;
  };
  grid->DragScroll = [this](int rows) {
    if (!marking_.Pressed() || keys_.Handling()) return;
    if (rows > 0 && Doc().LastShownAddress < Doc().DocSize) keys_.ScrollRowDown();
    if (rows < 0 && Doc().TopAddress > Doc().BytesPerRow) keys_.ScrollRowUp();
    marking_.Drag(CursorAddress());
  };
  grid->DragEnd = [this] { marking_.Release(); };
}

std::string TGridKeyBinding::HexCellText(int32_t col, int32_t row) const {
  return grids_->QZStrGridHex()->Cell(col, row).toStdString();
}

void TGridKeyBinding::SetHexCellText(int32_t col, int32_t row, const std::string& text) {
  grids_->QZStrGridHex()->SetCell(col, row, QString::fromStdString(text));
}

void TGridKeyBinding::ShowTypedByte(uint8_t b) {
  const char32_t shown = DisplayChar(b);
  grids_->QZStrGridText()->SetCell(Doc().CursorCol, Doc().CursorRow, QString::fromUcs4(&shown, 1));
  grids_->QZStrGridHex()->SetCell(Doc().CursorCol, Doc().CursorRow, QString::fromStdString(HexByteText(b)));
}

void TGridKeyBinding::SchedulePostedKeys() {
  QMetaObject::invokeMethod(this, [this] { keys_.RunPostedKeys(); }, Qt::QueuedConnection);
}

}  // namespace quoxa
