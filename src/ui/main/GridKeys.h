#pragma once
// Keys and clicks in the hex and text grids turned into cursor moves and byte
// edits: the key-down rules in their order, typed characters and hex digits,
// Shift-marking on key up, and the grids' own movement.

#include <cstdint>
#include <deque>
#include <string>

#include "core/Navigation.h"

namespace quoxa {

enum class GridKey { Left, Up, Right, Down, PageUp, PageDown, Home, End, Insert, Delete, Tab, Escape, Backspace,
                     Shift, Other };

// PgUp, PgDn, End, Home and the four arrows.
bool IsNavigationKey(GridKey key);
// The direction a Shift+navigation key marks in: PgDn, End, Right and Down go forward.
bool MarksForward(GridKey key);

// The cell a grid's own movement goes to from (col, row) in a cols x rows grid;
// false when the key does not move. Left and Right wrap between rows.
bool GridMoveTarget(GridKey key, bool ctrl, Cell from, int32_t cols, int32_t rows, Cell& target);

// The value of a hexadecimal digit typed in the hex grid (either case), -1 for another character.
int TypedHexDigit(char c);

// What the key handling needs from the grids.
class IGridKeysHost {
 public:
  virtual ~IGridKeysHost() = default;
  // Text of the hex grid's cell (an unfinished byte is one digit).
  virtual std::string HexCellText(int32_t col, int32_t row) const = 0;
  virtual void SetHexCellText(int32_t col, int32_t row, const std::string& text) = 0;
  // Shows a byte in the current cells of both grids at once, before it is stored.
  virtual void ShowTypedByte(uint8_t b) = 0;
  virtual void ToggleTextMode() = 0;
  virtual void ToggleOverwriteMode() = 0;
  // Asks for RunPostedKeys once the current event has been handled completely.
  virtual void SchedulePostedKeys() = 0;
};

class TGridKeys {
 public:
  explicit TGridKeys(IGridKeysHost& host) : host_(host) {}

  // A key went down in the active grid (shift and ctrl: the modifier states). The
  // rules and then, unless a rule consumed the key, the grid's own movement.
  void KeyDown(GridKey key, bool shift, bool ctrl);
  // Characters typed in the active grid (UTF-8).
  void KeyPress(const std::string& text);
  void KeyUp(GridKey key, bool shift);
  // Delivers the keys posted with PostKeyToGrid.
  void RunPostedKeys();

  // The cell selection rule of both data grids: false for a cell outside the
  // document; otherwise an unfinished byte gets its digits back and the cursor moves.
  bool SelectCell(int32_t col, int32_t row);
  // A click on the grid without the cursor: it becomes the active one, and the
  // cursor goes to the cell clicked when the cell may be selected.
  void ClickInactiveGrid(bool onCell, int32_t col, int32_t row);
  // Mouse wheel: rows > 0 scrolls down, < 0 up, one row per step while possible.
  void Wheel(int32_t rows);

  // Enters one byte at the cursor as if typed.
  void TypeByte(uint8_t b);
  void ScrollRowDown();
  void ScrollRowUp();
  // Delivers a key to the active grid now / after the current event, as synthetic.
  void SendKeyToGrid(GridKey key);
  void PostKeyToGrid(GridKey key);

  // Set while a key the program sent itself is handled.
  bool Synthetic() const { return synthetic_; }
  // A key is being handled (keys arriving meanwhile are dropped).
  bool Handling() const { return handling_; }

 private:
  // Runs one key-down through the rules; true when a rule consumed it.
  bool ApplyKeyRules(GridKey key, bool shift, bool ctrl);
  bool EmptyDocumentRule(GridKey key);
  void HandleKey(GridKey key, bool shift, bool ctrl);
  void FlushPostedKeys();
  void GridMove(GridKey key, bool ctrl);
  bool UnfinishedByte() const;
  void RestoreUnfinishedByte();
  void HexDigit(char digit);
  void CursorToLastByte();
  bool LastByteOnScreen() const;

  // Guards an entry from the window: a key arriving while another is handled is dropped.
  class Entry;

  IGridKeysHost& host_;
  std::deque<GridKey> posted_;
  bool synthetic_ = false;
  bool handling_ = false;
};

}  // namespace quoxa
