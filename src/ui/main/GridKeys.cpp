#include "ui/main/GridKeys.h"

#include <algorithm>
#include <cctype>

#include "core/Block.h"
#include "core/CodePage.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/Journal.h"
#include "core/Primitives.h"
#include "core/View.h"
#include "search/SearchState.h"
#include "ui/main/ViewTexts.h"
#include "widgets/HexString.h"

namespace quoxa {

bool IsNavigationKey(GridKey key) {
  switch (key) {
    case GridKey::PageUp:
    case GridKey::PageDown:
    case GridKey::End:
    case GridKey::Home:
    case GridKey::Left:
    case GridKey::Up:
    case GridKey::Right:
    case GridKey::Down: return true;
    default: return false;
  }
}

bool MarksForward(GridKey key) {
  return key == GridKey::PageDown || key == GridKey::End || key == GridKey::Right || key == GridKey::Down;
}

bool GridMoveTarget(GridKey key, bool ctrl, Cell from, int32_t cols, int32_t rows, Cell& target) {
  if (cols <= 0 || rows <= 0) return false;
  const int32_t lastCol = cols - 1;
  const int32_t lastRow = rows - 1;
  target = from;
  switch (key) {
    case GridKey::Up:
      if (from.row == 0) return false;
      target.row = from.row - 1;
      return true;
    case GridKey::Down:
      if (from.row >= lastRow) return false;
      target.row = from.row + 1;
      return true;
    case GridKey::PageUp: target.row = 0; return true;
    case GridKey::PageDown: target.row = lastRow; return true;
    case GridKey::Home:
      target = {0, ctrl ? 0 : from.row};
      return true;
    case GridKey::End:
      target = {lastCol, ctrl ? lastRow : from.row};
      return true;
    case GridKey::Left:
      if (from.col > 0) {
        target.col = from.col - 1;
      } else if (from.row > 0) {
        target = {lastCol, from.row - 1};
      } else {
        return false;
      }
      return true;
    case GridKey::Right:
      if (from.col < lastCol) {
        target.col = from.col + 1;
      } else if (from.row < lastRow) {
        target = {0, from.row + 1};
      } else {
        return false;
      }
      return true;
    default: return false;
  }
}

class TGridKeys::Entry {
 public:
  explicit Entry(TGridKeys& keys) : keys_(keys), entered_(!keys.handling_) { keys_.handling_ = true; }
  ~Entry() {
    if (!entered_) return;
    keys_.handling_ = false;
    // Keys posted while this one was handled still have to come.
    if (!keys_.posted_.empty()) keys_.host_.SchedulePostedKeys();
  }
  Entry(const Entry&) = delete;
  Entry& operator=(const Entry&) = delete;
  bool Entered() const { return entered_; }

 private:
  TGridKeys& keys_;
  bool entered_;
};

void TGridKeys::KeyDown(GridKey key, bool shift, bool ctrl) {
  Entry entry(*this);
  if (!entry.Entered()) return;
  // Keys the program posted itself go first, as they were sent first.
  FlushPostedKeys();
  HandleKey(key, shift, ctrl);
}

void TGridKeys::RunPostedKeys() {
  Entry entry(*this);
  if (entry.Entered()) FlushPostedKeys();
}

void TGridKeys::FlushPostedKeys() {
  while (!posted_.empty()) {
    const GridKey key = posted_.front();
    posted_.pop_front();
    SendKeyToGrid(key);
  }
}

void TGridKeys::HandleKey(GridKey key, bool shift, bool ctrl) {
  const bool consumed = ApplyKeyRules(key, shift, ctrl);
  synthetic_ = false;
  if (!consumed) GridMove(key, ctrl);
}

bool TGridKeys::EmptyDocumentRule(GridKey key) {
  switch (key) {
    case GridKey::Escape:
      if (Doc().ViewReady && !Doc().TextMode && UnfinishedByte())
        host_.SetHexCellText(Doc().CursorCol, Doc().CursorRow, "");
      break;
    case GridKey::Tab: host_.ToggleTextMode(); break;
    case GridKey::Insert: host_.ToggleOverwriteMode(); break;
    default: break;
  }
  return true;
}

bool TGridKeys::ApplyKeyRules(GridKey key, bool shift, bool ctrl) {
  if (!Doc().ViewReady || Doc().DocSize == 0 || Doc().DocBuffer == nullptr) return EmptyDocumentRule(key);

  if (shift && !synthetic_) {
    if (IsNavigationKey(key)) {
      MarkBlock(true, MarksForward(key));
    } else if (key == GridKey::Shift && !ctrl && BlockMarked()) {
      // With Ctrl held, Shift belongs to a shortcut (Ctrl+Shift+H works on the block).
      UnmarkBlock();
    }
  }

  const bool bottomRow = Doc().CursorRow == Doc().VisibleRows - 1;
  switch (key) {
    case GridKey::Insert:
      host_.ToggleOverwriteMode();
      return false;
    case GridKey::Tab:
      host_.ToggleTextMode();
      return true;
    case GridKey::Down:
      if (bottomRow && Doc().LastShownAddress < Doc().DocSize) {
        ScrollRowDown();
      } else if (LastByteOnScreen()) {
        const Cell last = AddressToCell(Doc().DocSize);
        if (last.row == Doc().CursorRow + 1 && last.col < Doc().CursorCol) SetCursorCell(last.col, last.row);
      }
      return false;
    case GridKey::Up:
      if (Doc().CursorRow == 0 && Doc().TopAddress - Doc().BytesPerRow > 0) ScrollRowUp();
      return false;
    case GridKey::Right:
      if (bottomRow && Doc().CursorCol == Doc().BytesPerRow - 1 && Doc().LastShownAddress < Doc().DocSize) {
        ScrollRowDown();
        SetCursorCol(0);
        return true;
      }
      return CursorAddress() == Doc().DocSize;
    case GridKey::Left:
      if (Doc().CursorRow == 0 && Doc().CursorCol == 0 && Doc().TopAddress - Doc().BytesPerRow > 0) {
        ScrollRowUp();
        SetCursorCol(Doc().BytesPerRow - 1);
        return true;
      }
      return false;
    case GridKey::PageDown:
      if (ctrl) {
        GotoEnd();
        return true;
      }
      if (Doc().LastShownAddress < Doc().DocSize) {
        GotoAddress(Doc().LastShownAddress + 1, false, false);
        if (CursorAddress() > Doc().DocSize) CursorToLastByte();
        UpdateStatus();
        return true;
      }
      return false;
    case GridKey::PageUp:
      if (ctrl) {
        GotoTop();
        return true;
      }
      if (Doc().TopAddress > 1) {
        GotoAddress(std::max<int64_t>(1, Doc().TopAddress - Doc().PageSize), false, false);
        UpdateStatus();
        return true;
      }
      return false;
    case GridKey::End:
      if (LastByteOnScreen() && (ctrl || AddressToCell(Doc().DocSize).row == Doc().CursorRow)) CursorToLastByte();
      return false;
    case GridKey::Escape:
      if (!Doc().TextMode && UnfinishedByte()) RestoreUnfinishedByte();
      return false;
    case GridKey::Delete: {
      JournalStep step;
      DeleteByteAtCursor();
      return false;
    }
    case GridKey::Backspace:
      if (CursorAddress() > 1) {
        JournalStep step;
        SendKeyToGrid(GridKey::Left);
        DeleteByteAtCursor();
      }
      return false;
    default: return false;
  }
}

void TGridKeys::GridMove(GridKey key, bool ctrl) {
  Cell target;
  if (!GridMoveTarget(key, ctrl, {Doc().CursorCol, Doc().CursorRow}, Doc().BytesPerRow, Doc().VisibleRows, target))
    return;
  if (target == Cell{Doc().CursorCol, Doc().CursorRow}) return;
  if (SelectCell(target.col, target.row)) SetCursorCell(target.col, target.row);
}

void TGridKeys::KeyUp(GridKey key, bool shift) {
  Entry entry(*this);
  if (!entry.Entered()) return;
  if (Doc().ViewReady && Doc().DocSize > 0 && shift && IsNavigationKey(key)) MarkBlock(true, MarksForward(key));
}

void TGridKeys::KeyPress(const std::string& text) {
  Entry entry(*this);
  if (!entry.Entered()) return;
  if (!Doc().ViewReady || Doc().DocBuffer == nullptr) return;
  for (const char c : Utf8ToBytes(text)) {
    // Each byte after the cursor has moved on from the one before.
    FlushPostedKeys();
    const auto b = static_cast<uint8_t>(c);
    if (Doc().TextMode) {
      if (!IsControlCode(b)) TypeByte(b);
    } else {
      HexDigit(static_cast<char>(b));
    }
  }
}

int TypedHexDigit(char c) {
  return std::isxdigit(static_cast<unsigned char>(c)) ? HexDigitValue(c) : -1;
}

void TGridKeys::HexDigit(char digit) {
  const int value = TypedHexDigit(digit);
  if (value < 0) return;
  if (digit >= 'a' && digit <= 'f') digit = static_cast<char>(digit - 'a' + 'A');
  if (UnfinishedByte()) {
    const std::string first = host_.HexCellText(Doc().CursorCol, Doc().CursorRow);
    const int high = TypedHexDigit(first[0]);
    TypeByte(static_cast<uint8_t>(high * 16 + value));
  } else {
    host_.SetHexCellText(Doc().CursorCol, Doc().CursorRow, std::string(1, digit));
  }
}

void TGridKeys::TypeByte(uint8_t b) {
  host_.ShowTypedByte(b);
  if (StoreTypedByte(CursorAddress(), b, Doc().OverwriteMode)) PostKeyToGrid(GridKey::Right);
}

void TGridKeys::ScrollRowDown() {
  Doc().TopAddress += Doc().BytesPerRow;
  GotoAddress(Doc().TopAddress, false, false);
  if (CursorAddress() > Doc().DocSize) SetCursorCol(AddressToCell(Doc().DocSize).col);
  UpdateStatus();
}

void TGridKeys::ScrollRowUp() {
  Doc().TopAddress -= Doc().BytesPerRow;
  GotoAddress(Doc().TopAddress, false, false);
  UpdateStatus();
}

void TGridKeys::SendKeyToGrid(GridKey key) {
  synthetic_ = true;
  HandleKey(key, false, false);
}

void TGridKeys::PostKeyToGrid(GridKey key) {
  posted_.push_back(key);
  host_.SchedulePostedKeys();
}

bool TGridKeys::SelectCell(int32_t col, int32_t row) {
  if (col < 0 || row < 0) return false;
  if (int64_t{row} * Doc().BytesPerRow + Doc().TopAddress + col > Doc().DocSize) return false;
  if (UnfinishedByte()) RestoreUnfinishedByte();
  Doc().CursorCol = col;
  Doc().CursorRow = row;
  UpdateStatus();
  return true;
}

void TGridKeys::ClickInactiveGrid(bool onCell, int32_t col, int32_t row) {
  Entry entry(*this);
  if (!entry.Entered()) return;
  host_.ToggleTextMode();
  if (onCell && SelectCell(col, row)) SetCursorCell(col, row);
}

void TGridKeys::Wheel(int32_t rows) {
  Entry entry(*this);
  if (!entry.Entered() || !Doc().ViewReady || Doc().DocSize == 0) return;
  for (int32_t i = 0; i < std::abs(rows); ++i) {
    if (rows > 0 && Doc().LastShownAddress < Doc().DocSize) {
      ScrollRowDown();
    } else if (rows < 0 && Doc().TopAddress - Doc().BytesPerRow > 0) {
      ScrollRowUp();
    }
  }
}

bool TGridKeys::UnfinishedByte() const { return host_.HexCellText(Doc().CursorCol, Doc().CursorRow).size() == 1; }

void TGridKeys::RestoreUnfinishedByte() {
  const int64_t p = CursorAddress();
  const bool shown = Doc().ViewReady && Doc().DocBuffer != nullptr && p >= 1 && p <= Doc().DocSize;
  host_.SetHexCellText(Doc().CursorCol, Doc().CursorRow, shown ? HexByteText(GetByte(p)) : "");
}

void TGridKeys::CursorToLastByte() {
  const Cell last = AddressToCell(Doc().DocSize);
  SetCursorCell(last.col, last.row);
}

bool TGridKeys::LastByteOnScreen() const {
  return Doc().TopAddress <= Doc().DocSize && Doc().LastShownAddress == Doc().DocSize;
}

}  // namespace quoxa
