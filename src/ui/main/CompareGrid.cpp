#include "ui/main/CompareGrid.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "core/Document.h"
#include "settings/ColorCombo.h"
#include "settings/Options.h"
#include "ui/main/ViewTexts.h"
#include "widgets/FixedFont.h"

namespace quoxa {

namespace {

constexpr int kMargin = 4;
// Characters between the two sides.
constexpr int kSideGap = 2;

}  // namespace

TCompareGrid::TCompareGrid(QWidget* parent) : QWidget(parent) {
  setObjectName("CompareGrid");
  setFocusPolicy(Qt::StrongFocus);
  setFont(FixedFontFor(QString::fromStdString(Options().Font), Options().FontSize));
  const QFontMetrics metrics(font());
  charWidth_ = std::max(1, metrics.horizontalAdvance(QChar('0')));
  rowHeight_ = metrics.height() + 2;
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TCompareGrid::SetSides(const TDocument* left, const TDocument* right, const TAlignment* line) {
  docs_[0] = left;
  docs_[1] = right;
  line_ = line;
  FitCols();
  SetCursor(std::clamp<int64_t>(cursor_, 0, std::max<int64_t>(0, line_->Size() - 1)));
}

int TCompareGrid::VisibleRows() const { return std::max(1, (height() - 2 * kMargin) / rowHeight_); }

int64_t TCompareGrid::RowCount() const {
  return line_ == nullptr ? 0 : (line_->Size() + cols_ - 1) / cols_;
}

void TCompareGrid::SetTopRow(int64_t row) {
  top_ = std::clamp<int64_t>(row, 0, std::max<int64_t>(0, RowCount() - VisibleRows()));
  update();
  if (Moved) Moved();
}

void TCompareGrid::SetCursor(int64_t v) {
  cursor_ =
      std::clamp<int64_t>(v, 0, std::max<int64_t>(0, line_ == nullptr ? 0 : line_->Size() - 1));
  pending_ = -1;
  const int64_t row = cursor_ / cols_;
  int64_t top = top_;
  if (row < top) top = row;
  if (row >= top + VisibleRows()) top = row - VisibleRows() + 1;
  SetTopRow(top);
}

void TCompareGrid::SetTextColumn(bool text) {
  if (text == textColumn_) return;
  textColumn_ = text;
  pending_ = -1;
  update();
}

void TCompareGrid::SetPendingDigit(int digit) {
  pending_ = digit;
  update();
}

void TCompareGrid::SetSide(int side) {
  pending_ = -1;
  side_ = side;
  update();
  if (Moved) Moved();
}

int TCompareGrid::AddressDigits() const {
  int64_t last = 0;
  for (const TDocument* doc : docs_) {
    if (doc != nullptr) last = std::max(last, doc->DocSize);
  }
  int digits = 6;
  while (digits < 16 && (last >> (4 * digits)) != 0) ++digits;
  return digits;
}

TCompareGrid::Layout TCompareGrid::SideLayout(int side) const {
  const int sideWidth = (AddressDigits() + 1 + cols_ * 4) * charWidth_;
  const int x = kMargin + side * (sideWidth + kSideGap * charWidth_);
  const int hexX = x + (AddressDigits() + 1) * charWidth_;
  return {x, hexX, hexX + cols_ * 3 * charWidth_};
}

QRect TCompareGrid::CellRect(int side, int64_t v, bool text) const {
  const Layout layout = SideLayout(side);
  const int y = kMargin + static_cast<int>(v / cols_ - top_) * rowHeight_;
  const int c = static_cast<int>(v % cols_);
  return text ? QRect(layout.textX + c * charWidth_, y, charWidth_, rowHeight_)
              : QRect(layout.hexX + c * 3 * charWidth_, y, 2 * charWidth_, rowHeight_);
}

void TCompareGrid::FitCols() {
  // The widest power of two from 4 to 32 bytes that shows both sides whole.
  const int chars = (width() - 2 * kMargin) / charWidth_;
  int cols = 32;
  while (cols > 4 && 2 * (AddressDigits() + 1 + cols * 4) + kSideGap > chars) cols /= 2;
  if (cols != cols_) {
    cols_ = cols;
    SetCursor(cursor_);
  }
}

void TCompareGrid::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitCols();
  SetTopRow(top_);
}

void TCompareGrid::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& pal = palette();
  painter.fillRect(rect(), pal.base());
  if (line_ == nullptr || docs_[0] == nullptr || docs_[1] == nullptr) return;
  const QColor diffColor = ColorFromValue(Options().ColorDifference, pal);
  QColor diffBack = diffColor;
  diffBack.setAlpha(60);
  const QColor gapBack = pal.color(QPalette::Button);
  const QColor blockBack = ColorFromValue(Options().ColorBlock, pal);
  const int ascent = QFontMetrics(font()).ascent() + 1;
  const int digits = AddressDigits();
  for (int side = 0; side < 2; ++side) {
    const TDocument& doc = *docs_[side];
    const Layout layout = SideLayout(side);
    for (int r = 0; r < VisibleRows(); ++r) {
      const int64_t v0 = (top_ + r) * cols_;
      if (v0 >= line_->Size()) break;
      const int y = kMargin + r * rowHeight_;
      int64_t first = -1;
      for (int c = 0; c < cols_; ++c) {
        const int64_t v = v0 + c;
        if (v >= line_->Size()) break;
        const int64_t offset = side == 0 ? line_->OffsetA(v) : line_->OffsetB(v);
        const QRect hexCell(layout.hexX + c * 3 * charWidth_, y, 3 * charWidth_, rowHeight_);
        const QRect textCell(layout.textX + c * charWidth_, y, charWidth_, rowHeight_);
        const bool isDiff = line_->DifferenceAt(v) >= 0;
        if (offset < 0 || offset >= doc.DocSize || doc.DocBuffer == nullptr) {
          painter.fillRect(hexCell.adjusted(0, 0, -charWidth_ / 2, 0), gapBack);
          painter.fillRect(textCell, gapBack);
        } else {
          if (first < 0) first = offset;
          const uint8_t b = doc.DocBuffer[offset];
          // A side's marked block shows as in the grid, so that the block commands show where
          // they act.
          const bool inBlock = doc.BlockBegin > 0 && doc.BlockEnd > 0 &&
                               doc.BlockBegin <= offset + 1 && offset + 1 <= doc.BlockEnd;
          if (inBlock || isDiff) {
            painter.fillRect(hexCell.adjusted(0, 0, -charWidth_ / 2, 0),
                             inBlock ? blockBack : diffBack);
            painter.fillRect(textCell, inBlock ? blockBack : diffBack);
          }
          painter.setPen(isDiff ? diffColor : pal.color(QPalette::Text));
          const bool pending = pending_ >= 0 && v == cursor_ && side == side_;
          painter.drawText(hexCell.x() + charWidth_ / 4, y + ascent,
                           pending ? QString::number(pending_, 16).toUpper()
                                   : QString::fromStdString(HexByteText(b)));
          const char32_t code = DisplayChar(b);
          painter.drawText(textCell.x(), y + ascent, QString::fromUcs4(&code, 1));
        }
        if (v == cursor_) {
          // The column that takes typing has the heavy frame on the side with the cursor.
          const int heavy = side == side_ && hasFocus() ? 2 : 1;
          const QColor frame = pal.color(QPalette::Highlight);
          painter.setPen(QPen(frame, textColumn_ ? 1 : heavy));
          painter.drawRect(hexCell.adjusted(0, 0, -charWidth_ / 2 - 1, -1));
          painter.setPen(QPen(frame, textColumn_ ? heavy : 1));
          painter.drawRect(textCell.adjusted(0, 0, -1, -1));
        }
      }
      if (first >= 0) {
        painter.setPen(pal.color(QPalette::PlaceholderText));
        painter.drawText(layout.addrX, y + ascent,
                         QString::fromStdString(AddressCellText(first, digits)));
      }
    }
  }
}

void TCompareGrid::keyPressEvent(QKeyEvent* event) {
  const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
  const int64_t page = int64_t{VisibleRows()} * cols_;
  int64_t v = cursor_;
  switch (event->key()) {
    case Qt::Key_Left:
      v -= 1;
      break;
    case Qt::Key_Right:
      v += 1;
      break;
    case Qt::Key_Up:
      v -= cols_;
      break;
    case Qt::Key_Down:
      v += cols_;
      break;
    case Qt::Key_PageUp:
      v -= page;
      break;
    case Qt::Key_PageDown:
      v += page;
      break;
    case Qt::Key_Home:
      v = ctrl ? 0 : v - v % cols_;
      break;
    case Qt::Key_End:
      v = ctrl ? INT64_MAX / 2 : v - v % cols_ + cols_ - 1;
      break;
    default:
      if (!EditKey || !EditKey(event)) QWidget::keyPressEvent(event);
      return;
  }
  if (event->modifiers().testAnyFlags(Qt::AltModifier | Qt::ShiftModifier)) {
    QWidget::keyPressEvent(event);
    return;
  }
  SetCursor(std::max<int64_t>(0, v));
}

void TCompareGrid::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  const QPoint p = event->position().toPoint();
  for (int side = 0; side < 2; ++side) {
    const Layout layout = SideLayout(side);
    const int row = (p.y() - kMargin) / rowHeight_;
    int col = -1;
    if (p.x() >= layout.hexX && p.x() < layout.textX - charWidth_)
      col = (p.x() - layout.hexX) / (3 * charWidth_);
    if (p.x() >= layout.textX && p.x() < layout.textX + cols_ * charWidth_)
      col = (p.x() - layout.textX) / charWidth_;
    if (col < 0 || col >= cols_ || row < 0 || p.y() < kMargin) continue;
    side_ = side;
    SetCursor((top_ + row) * cols_ + col);
    if (ColumnClicked) ColumnClicked(p.x() >= layout.textX);
    return;
  }
}

void TCompareGrid::wheelEvent(QWheelEvent* event) {
  SetTopRow(top_ - event->angleDelta().y() / 40);
  event->accept();
}

bool TCompareGrid::focusNextPrevChild(bool next) {
  // Tab goes from the left side to the right one, then on to the list; Shift+Tab back.
  if (next && side_ == 0) {
    SetSide(1);
    return true;
  }
  if (!next && side_ == 1) {
    SetSide(0);
    return true;
  }
  return QWidget::focusNextPrevChild(next);
}

}  // namespace quoxa
