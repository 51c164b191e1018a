#pragma once
// A grid of text cells with a current cell, drawn by itself. The current cell of a
// grid and of its slave grid move together.

#include <QColor>
#include <QString>
#include <QWidget>

class QTimer;
#include <functional>
#include <vector>

#include "ui/main/GlyphRuns.h"
#include "ui/main/GridKeys.h"

namespace quoxa {

class TQZStrGrid : public QWidget {
  Q_OBJECT

 public:
  explicit TQZStrGrid(QWidget* parent = nullptr);

  int ColCount() const { return cols_; }
  int RowCount() const { return rows_; }
  // Changes the cell matrix; the texts are cleared.
  void SetDimensions(int cols, int rows);

  int DefaultColWidth() const { return colWidth_; }
  int DefaultRowHeight() const { return rowHeight_; }
  int GridLineWidth() const { return gridLine_; }
  void SetCellSize(int colWidth, int rowHeight);

  int WidthForCols(int n) const;
  int HeightForRows(int n) const;

  const QString& Cell(int col, int row) const;
  void SetCell(int col, int row, const QString& text);
  void ClearCells();

  int Col() const { return col_; }
  int Row() const { return row_; }

  TQZStrGrid* SlaveGrid() const { return slave_; }
  // Setting the grid itself or the value it already has is ignored.
  void SetSlaveGrid(TQZStrGrid* slave);

  // Makes (col, row) the current cell of this grid and of its slave.
  void MoveTo(int col, int row);

  // The grid's own selection moving to (col, row): asks CanSelect, moves, and the
  // slave follows. Returns whether the cell was selected.
  bool SelectCell(int col, int row);

  // The grid's own keyboard movement (arrows, Home, End, PgUp, PgDn, with the
  // Left/Right wrap between rows).
  void MoveByKey(int key, Qt::KeyboardModifiers modifiers);

  // The cell under a point of this grid, or false when the point is outside the cells.
  bool CellAt(QPoint point, int& col, int& row) const;
  QRect CellRect(int col, int row) const;

  // The grid with the keyboard cursor (window colour) or the follower (button face).
  void SetActive(bool active);
  bool IsActive() const { return active_; }

  // Highlight the current cell (address column: the cursor's row).
  void SetShowCurrent(bool show);

  // Whether moving to a cell is allowed; unset allows every cell.
  std::function<bool(int col, int row)> CanSelect;
  // Text colour of a cell, invalid for the normal colour (the marked block).
  std::function<QColor(int col, int row)> CellColor;
  // Key handling by the owner before the grid's own movement; true consumes the key.
  std::function<bool(QKeyEvent* event)> KeyDown;
  // Characters typed, after the key-down handling.
  std::function<void(QKeyEvent* event)> KeyPress;
  std::function<void(QKeyEvent* event)> KeyUp;
  // A click while the grid is not active.
  std::function<void(TQZStrGrid* grid, QPoint point)> InactiveClick;
  // The left button went down on a cell of the active grid; when set, it selects the cell itself.
  std::function<void(int col, int row, bool shift)> CellPress;
  // With the left button held the mouse moved onto another cell, which is now selected.
  std::function<void()> CellDrag;
  // The cell a drag over (col, row) goes to instead; unset goes to that cell.
  std::function<void(int& col, int& row)> DragTarget;
  // With the left button held above (-1) or below (+1) the cells, repeatedly.
  std::function<void(int rows)> DragScroll;
  std::function<void()> DragEnd;
  // The mouse wheel turned by rows (positive: towards the end).
  std::function<void(int rows)> Wheel;

  // Repaints the rows from row on (their cells were refilled).
  void UpdateRowsFrom(int row);
  // Between these, changed cells are not repainted one by one; the end repaints
  // the rows from row on at once.
  void SuspendRepaint();
  void ResumeRepaint(int row);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void changeEvent(QEvent* event) override;

 private:
  int Index(int col, int row) const { return row * cols_ + col; }
  bool Valid(int col, int row) const { return col >= 0 && row >= 0 && col < cols_ && row < rows_; }
  void UpdateCell(int col, int row);
  TGlyphCache& GlyphSource();

  int cols_ = 0;
  int rows_ = 0;
  int colWidth_ = 12;
  int rowHeight_ = 12;
  int gridLine_ = 1;
  int col_ = 0;
  int row_ = 0;
  bool active_ = true;
  bool showCurrent_ = true;
  bool suspended_ = false;
  TQZStrGrid* slave_ = nullptr;
  std::vector<QString> cells_;
  TGlyphCache glyphs_;
  int wheelRemainder_ = 0;
  QTimer* dragTimer_ = nullptr;
  int dragRows_ = 0;
};

// The grid key of a Qt key code (Shift+Tab arrives as Backtab and is Tab).
GridKey GridKeyFor(int qtKey);

}  // namespace quoxa
