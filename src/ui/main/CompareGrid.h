#pragma once
// The two sides of a compare, drawn row by row on one line of aligned bytes: each side has its
// address column, hex cells and characters; differences are coloured on both, a stretch only
// one side has faces a gap on the other. The cursor is a place on the line; Tab moves it to the
// other side.

#include <QRect>
#include <QWidget>
#include <functional>

#include "tools/ByteCompare.h"

namespace quoxa {

class TDocument;

class TCompareGrid : public QWidget {
  Q_OBJECT

 public:
  explicit TCompareGrid(QWidget* parent = nullptr);

  // The documents and their alignment; the grid reads the bytes as it paints.
  void SetSides(const TDocument* left, const TDocument* right, const TAlignment* line);

  int Cols() const { return cols_; }
  int VisibleRows() const;
  int64_t RowCount() const;
  int64_t TopRow() const { return top_; }
  void SetTopRow(int64_t row);
  int64_t Cursor() const { return cursor_; }
  // Moves the cursor to v and scrolls it into view.
  void SetCursor(int64_t v);
  // 0 left, 1 right: the side the cursor is on.
  int Side() const { return side_; }
  void SetSide(int side);

  // Where the hex cell (or the character) of place v is drawn on a side, while it is shown.
  QRect CellRect(int side, int64_t v, bool text) const;
  // The cursor's column: the characters (true) or the hex cells.
  bool TextColumn() const { return textColumn_; }
  void SetTextColumn(bool text);
  // The first digit of a byte typed in the hex column, shown in the cursor's cell until the
  // second comes; -1 for none. Moving the cursor drops it.
  int PendingDigit() const { return pending_; }
  void SetPendingDigit(int digit);

  // The cursor or the page moved, or the side changed.
  std::function<void()> Moved;
  // A key the grid does not move by (typing, Del, Ins...); true when it was taken.
  std::function<bool(QKeyEvent*)> EditKey;
  // A click put the cursor in the text (true) or the hex column.
  std::function<void(bool text)> ColumnClicked;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  struct Layout {
    int addrX, hexX, textX;
  };
  Layout SideLayout(int side) const;
  void FitCols();
  int AddressDigits() const;

  const TDocument* docs_[2] = {nullptr, nullptr};
  const TAlignment* line_ = nullptr;
  int cols_ = 16;
  int charWidth_ = 8;
  int rowHeight_ = 14;
  int64_t top_ = 0;
  int64_t cursor_ = 0;
  int side_ = 0;
  bool textColumn_ = false;
  int pending_ = -1;
};

}  // namespace quoxa
