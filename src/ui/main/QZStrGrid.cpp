#include "ui/main/QZStrGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

namespace quoxa {

namespace {

const QString kEmpty;

// Width of the sunken frame around the cells, in grid lines.
constexpr int kFrameLines = 2;
// Pace of the scrolling while a drag is held beyond the top or bottom row.
constexpr int kDragScrollMs = 60;

}  // namespace

TQZStrGrid::TQZStrGrid(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_KeyCompression, false);
  dragTimer_ = new QTimer(this);
  dragTimer_->setInterval(kDragScrollMs);
  connect(dragTimer_, &QTimer::timeout, this, [this] {
    if (DragScroll) DragScroll(dragRows_);
  });
}

void TQZStrGrid::SetDimensions(int cols, int rows) {
  cols_ = std::max(0, cols);
  rows_ = std::max(0, rows);
  cells_.assign(static_cast<size_t>(cols_) * static_cast<size_t>(rows_), QString());
  col_ = std::clamp(col_, 0, std::max(0, cols_ - 1));
  row_ = std::clamp(row_, 0, std::max(0, rows_ - 1));
  updateGeometry();
  update();
}

void TQZStrGrid::SetCellSize(int colWidth, int rowHeight) {
  colWidth_ = colWidth;
  rowHeight_ = rowHeight;
  updateGeometry();
  update();
}

int TQZStrGrid::WidthForCols(int n) const { return n * colWidth_ + (n + 4) * gridLine_; }

int TQZStrGrid::HeightForRows(int n) const { return n * rowHeight_ + (n + 4) * gridLine_; }

const QString& TQZStrGrid::Cell(int col, int row) const {
  return Valid(col, row) ? cells_[static_cast<size_t>(Index(col, row))] : kEmpty;
}

void TQZStrGrid::SetCell(int col, int row, const QString& text) {
  if (!Valid(col, row)) return;
  QString& cell = cells_[static_cast<size_t>(Index(col, row))];
  if (cell.isSharedWith(text) || cell == text) return;
  cell = text;
  if (!suspended_) UpdateCell(col, row);
}

void TQZStrGrid::SuspendRepaint() { suspended_ = true; }

void TQZStrGrid::ResumeRepaint(int row) {
  suspended_ = false;
  UpdateRowsFrom(row);
}

void TQZStrGrid::ClearCells() {
  for (QString& cell : cells_) cell.clear();
  update();
}

void TQZStrGrid::SetSlaveGrid(TQZStrGrid* slave) {
  if (slave == this || slave == slave_) return;
  slave_ = slave;
}

void TQZStrGrid::MoveTo(int col, int row) {
  if (!Valid(col, row)) return;
  if (col != col_ || row != row_) {
    UpdateCell(col_, row_);
    col_ = col;
    row_ = row;
    UpdateCell(col_, row_);
  }
  if (slave_ != nullptr && slave_ != this) slave_->MoveTo(col, row);
}

bool TQZStrGrid::SelectCell(int col, int row) {
  if (!Valid(col, row)) return false;
  if (CanSelect && !CanSelect(col, row)) return false;
  if (col != col_ || row != row_) {
    UpdateCell(col_, row_);
    col_ = col;
    row_ = row;
    UpdateCell(col_, row_);
  }
  if (slave_ != nullptr && slave_ != this && slave_->SlaveGrid() != this) slave_->MoveTo(col, row);
  return true;
}

void TQZStrGrid::MoveByKey(int key, Qt::KeyboardModifiers modifiers) {
  quoxa::Cell target;
  if (GridMoveTarget(GridKeyFor(key), modifiers & Qt::ControlModifier, {col_, row_}, cols_, rows_, target)) {
    SelectCell(target.col, target.row);
  }
}

GridKey GridKeyFor(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Left: return GridKey::Left;
    case Qt::Key_Up: return GridKey::Up;
    case Qt::Key_Right: return GridKey::Right;
    case Qt::Key_Down: return GridKey::Down;
    case Qt::Key_PageUp: return GridKey::PageUp;
    case Qt::Key_PageDown: return GridKey::PageDown;
    case Qt::Key_Home: return GridKey::Home;
    case Qt::Key_End: return GridKey::End;
    case Qt::Key_Insert: return GridKey::Insert;
    case Qt::Key_Delete: return GridKey::Delete;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return GridKey::Tab;
    case Qt::Key_Escape: return GridKey::Escape;
    case Qt::Key_Backspace: return GridKey::Backspace;
    case Qt::Key_Shift: return GridKey::Shift;
    default: return GridKey::Other;
  }
}

QRect TQZStrGrid::CellRect(int col, int row) const {
  const int frame = kFrameLines * gridLine_;
  return {frame + col * (colWidth_ + gridLine_), frame + row * (rowHeight_ + gridLine_), colWidth_, rowHeight_};
}

bool TQZStrGrid::CellAt(QPoint point, int& col, int& row) const {
  const int frame = kFrameLines * gridLine_;
  const int x = point.x() - frame;
  const int y = point.y() - frame;
  if (x < 0 || y < 0) return false;
  col = x / (colWidth_ + gridLine_);
  row = y / (rowHeight_ + gridLine_);
  return Valid(col, row);
}

void TQZStrGrid::SetActive(bool active) {
  active_ = active;
  setFocusPolicy(active ? Qt::StrongFocus : Qt::NoFocus);
  update();
}

void TQZStrGrid::SetShowCurrent(bool show) {
  showCurrent_ = show;
  update();
}

void TQZStrGrid::UpdateCell(int col, int row) {
  if (Valid(col, row)) update(CellRect(col, row));
}

void TQZStrGrid::UpdateRowsFrom(int row) {
  const QRect first = CellRect(0, std::max(0, row));
  update(QRect(0, first.top(), width(), height() - first.top()));
}

QSize TQZStrGrid::sizeHint() const { return {WidthForCols(cols_), HeightForRows(rows_)}; }

void TQZStrGrid::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QPalette& pal = palette();
  const QColor background = active_ ? pal.color(QPalette::Base) : pal.color(QPalette::Button);
  const QColor lines = pal.color(QPalette::Midlight).darker(112);
  const QRect exposed = event->rect();

  painter.fillRect(exposed, lines);
  // Sunken frame around the cell area.
  painter.setPen(pal.color(QPalette::Mid));
  painter.drawLine(0, 0, width() - 1, 0);
  painter.drawLine(0, 0, 0, height() - 1);
  painter.setPen(pal.color(QPalette::Light));
  painter.drawLine(0, height() - 1, width() - 1, height() - 1);
  painter.drawLine(width() - 1, 0, width() - 1, height() - 1);

  if (cols_ == 0 || rows_ == 0) return;
  const int frame = kFrameLines * gridLine_;
  const int pitchX = colWidth_ + gridLine_;
  const int pitchY = rowHeight_ + gridLine_;
  const int firstCol = std::clamp((exposed.left() - frame) / pitchX, 0, cols_ - 1);
  const int lastCol = std::clamp((exposed.right() - frame) / pitchX, 0, cols_ - 1);
  const int firstRow = std::clamp((exposed.top() - frame) / pitchY, 0, rows_ - 1);
  const int lastRow = std::clamp((exposed.bottom() - frame) / pitchY, 0, rows_ - 1);

  // Cell backgrounds in one go, then the lines between them.
  const QRect area(CellRect(firstCol, firstRow).topLeft(), CellRect(lastCol, lastRow).bottomRight());
  painter.fillRect(area, background);
  for (int col = firstCol; col < lastCol; ++col) {
    painter.fillRect(QRect(CellRect(col, 0).right() + 1, area.top(), gridLine_, area.height()), lines);
  }
  for (int row = firstRow; row < lastRow; ++row) {
    painter.fillRect(QRect(area.left(), CellRect(0, row).bottom() + 1, area.width(), gridLine_), lines);
  }

  const QColor text = pal.color(QPalette::Text);
  QColor current = pal.color(QPalette::Highlight);
  QColor currentText = pal.color(QPalette::HighlightedText);
  if (!active_) {
    // The follower shows the same byte, in a lighter shade than the grid with the cursor.
    current.setAlpha(90);
    currentText = text;
  }
  const bool currentShown = showCurrent_ && Valid(col_, row_) && col_ >= firstCol && col_ <= lastCol &&
                            row_ >= firstRow && row_ <= lastRow;
  if (currentShown) painter.fillRect(CellRect(col_, row_), current);

  // Texts are drawn as one glyph run per colour; cells with characters the font
  // lacks go through the slower text drawing, which finds a fallback font.
  TTextRuns runs(GlyphSource());
  const int baseline = 2 + QFontMetrics(font()).ascent();
  for (int row = firstRow; row <= lastRow; ++row) {
    for (int col = firstCol; col <= lastCol; ++col) {
      const QString& cell = cells_[static_cast<size_t>(Index(col, row))];
      if (cell.isEmpty()) continue;
      QColor color = currentShown && col == col_ && row == row_ ? currentText : text;
      if (CellColor) {
        const QColor special = CellColor(col, row);
        if (special.isValid()) color = special;
      }
      const QRect rect = CellRect(col, row);
      const QPointF origin(rect.left() + 2, rect.top() + baseline);
      if (!runs.Add(cell, origin, color)) {
        painter.setPen(color);
        painter.drawText(origin, cell);
      }
    }
  }
  runs.Draw(painter);

  if (hasFocus() && currentShown) {
    painter.setPen(QPen(pal.color(QPalette::HighlightedText), 1, Qt::DotLine));
    painter.drawRect(CellRect(col_, row_).adjusted(0, 0, -1, -1));
  }
}

TGlyphCache& TQZStrGrid::GlyphSource() {
  if (!glyphs_.Matches(font())) glyphs_.Reset(font());
  return glyphs_;
}

void TQZStrGrid::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) glyphs_.Reset(font());
  QWidget::changeEvent(event);
}

void TQZStrGrid::keyPressEvent(QKeyEvent* event) {
  const bool consumed = KeyDown && KeyDown(event);
  if (!consumed) MoveByKey(event->key(), event->modifiers());
  if (KeyPress && !event->text().isEmpty()) KeyPress(event);
  event->accept();
}

void TQZStrGrid::keyReleaseEvent(QKeyEvent* event) {
  if (KeyUp) KeyUp(event);
  event->accept();
}

void TQZStrGrid::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (!active_) {
    if (InactiveClick) InactiveClick(this, event->position().toPoint());
    return;
  }
  setFocus(Qt::MouseFocusReason);
  int col = 0;
  int row = 0;
  if (!CellAt(event->position().toPoint(), col, row)) return;
  if (CellPress) {
    CellPress(col, row, event->modifiers() & Qt::ShiftModifier);
  } else {
    SelectCell(col, row);
  }
}

void TQZStrGrid::mouseMoveEvent(QMouseEvent* event) {
  if (!active_ || !(event->buttons() & Qt::LeftButton)) return;
  if (cols_ == 0 || rows_ == 0) return;
  const QPoint point = event->position().toPoint();
  const QRect cells = CellRect(0, 0).united(CellRect(cols_ - 1, rows_ - 1));
  dragRows_ = point.y() < cells.top() ? -1 : point.y() > cells.bottom() ? 1 : 0;
  if (dragRows_ == 0) {
    dragTimer_->stop();
  } else if (!dragTimer_->isActive()) {
    dragTimer_->start();
  }
  // Beyond the cells the drag follows the nearest cell, so the block reaches the edge row.
  const QPoint inside(std::clamp(point.x(), cells.left(), cells.right()),
                      std::clamp(point.y(), cells.top(), cells.bottom()));
  int col = 0;
  int row = 0;
  if (!CellAt(inside, col, row)) return;
  if (DragTarget) DragTarget(col, row);
  if ((col != col_ || row != row_) && SelectCell(col, row) && CellDrag) CellDrag();
}

void TQZStrGrid::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragTimer_->stop();
  if (DragEnd) DragEnd();
}

void TQZStrGrid::wheelEvent(QWheelEvent* event) {
  if (!Wheel) {
    event->ignore();
    return;
  }
  // Three rows per notch; fine-grained wheels add up to whole notches.
  wheelRemainder_ += event->angleDelta().y();
  const int notches = wheelRemainder_ / 120;
  wheelRemainder_ -= notches * 120;
  if (notches != 0) Wheel(-3 * notches);
  event->accept();
}

bool TQZStrGrid::focusNextPrevChild(bool) { return false; }

}  // namespace quoxa
