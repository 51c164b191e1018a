#include "ui/main/GridView.h"

#include <QFontMetrics>
#include <array>

#include "core/DocState.h"
#include "settings/ColorCombo.h"
#include "settings/Options.h"
#include "ui/main/QZScrollBar.h"
#include "ui/main/QZStrGrid.h"
#include "ui/main/ViewTexts.h"
#include "widgets/FixedFont.h"

namespace quoxa {

namespace {

// Cell texts of every byte value, built once so that refilling a page only copies
// shared strings.
struct CellTables {
  std::array<QString, 256> hex;
  std::array<QString, 256> chars;
  CellTables() {
    for (int b = 0; b < 256; ++b) {
      const auto byte = static_cast<uint8_t>(b);
      hex[static_cast<size_t>(b)] = QString::fromStdString(HexByteText(byte));
      const char32_t code = DisplayChar(byte);
      chars[static_cast<size_t>(b)] = QString::fromUcs4(&code, 1);
    }
  }
};

const CellTables& Tables() {
  static const CellTables tables;
  return tables;
}

constexpr const char* kCellSampleChars = "0123456789ABCDEF";

}  // namespace

TGridView::TGridView(QWidget* parent)
    : QWidget(parent),
      addr_(new TQZStrGrid(this)),
      hex_(new TQZStrGrid(this)),
      text_(new TQZStrGrid(this)),
      scrollBar_(new TQZScrollBar(Qt::Vertical, this)) {
  addr_->setObjectName("QZStrGridAddr");
  hex_->setObjectName("QZStrGridHex");
  text_->setObjectName("QZStrGridText");
  addr_->SetActive(false);
  addr_->SetDimensions(1, kDefaultRows);
  hex_->CellColor = [this](int col, int row) { return BlockColor(col, row); };
  text_->CellColor = [this](int col, int row) { return BlockColor(col, row); };
  text_->SetSlaveGrid(hex_);
  scrollBar_->setEnabled(false);
  font_ = FixedFontFor(QString::fromStdString(Options().Font), Options().FontSize);
}

TQZStrGrid* TGridView::ActiveGrid() const { return textMode_ ? text_ : hex_; }

TQZStrGrid* TGridView::InactiveGrid() const { return textMode_ ? hex_ : text_; }

void TGridView::ApplyFont(const QString& family) {
  font_ = FixedFontFor(family, font_.pointSize());
  ApplyFontSize(font_.pointSize());
}

void TGridView::ApplyFontSize(int pointSize) {
  font_.setPointSize(std::max(1, pointSize));
  for (TQZStrGrid* grid : {addr_, hex_, text_}) grid->setFont(font_);
  const QFontMetrics metrics(font_, text_);
  int widest = 0;
  int tallest = 0;
  for (const char* c = kCellSampleChars; *c != '\0'; ++c) {
    widest = std::max(widest, metrics.horizontalAdvance(QChar(*c)));
    tallest = std::max(tallest, metrics.height());
  }
  cells_ = CellSizesFor(widest, tallest, text_->GridLineWidth(), addressDigits_);
  text_->SetCellSize(cells_.textColWidth, cells_.rowHeight);
  hex_->SetCellSize(cells_.hexColWidth, cells_.rowHeight);
  addr_->SetCellSize(cells_.addrColWidth, cells_.rowHeight);
}

bool TGridView::SetAddressDigits(int digits) {
  if (digits == addressDigits_) return false;
  addressDigits_ = digits;
  ApplyFontSize(font_.pointSize());
  return true;
}

void TGridView::SetGridSize(int cols, int rows, const TWindowChrome& chrome) {
  chrome_ = chrome;
  if (hex_->ColCount() != cols || hex_->RowCount() != rows) {
    hex_->SetDimensions(cols, rows);
    text_->SetDimensions(cols, rows);
  }
  if (addr_->RowCount() != rows) addr_->SetDimensions(1, rows);
  geometry_ = LayoutGrids(cols, rows, cells_, chrome_, addressShown_, textGridLeft_);
  ApplyGeometry();
}

void TGridView::SetAddressColumnHidden(bool hide) {
  addressShown_ = !hide;
  geometry_ = LayoutGrids(hex_->ColCount(), hex_->RowCount(), cells_, chrome_, addressShown_, textGridLeft_);
  ApplyGeometry();
}

void TGridView::PlaceGrids(bool textGridLeft) {
  textGridLeft_ = textGridLeft;
  geometry_ = LayoutGrids(hex_->ColCount(), hex_->RowCount(), cells_, chrome_, addressShown_, textGridLeft_);
  ApplyGeometry();
}

void TGridView::ApplyGeometry() {
  const int top = chrome_.borderHeight;
  addr_->setVisible(addressShown_);
  addr_->setGeometry(geometry_.addrX, top, geometry_.addrWidth, geometry_.gridHeight);
  hex_->setGeometry(geometry_.hexX, top, geometry_.hexWidth, geometry_.gridHeight);
  text_->setGeometry(geometry_.textX, top, geometry_.textWidth, geometry_.gridHeight);
  scrollBar_->setGeometry(geometry_.scrollX, top + 1, chrome_.scrollBarWidth, geometry_.scrollHeight);
  setMinimumSize(squeezable_ ? QSize(0, 0) : sizeHint());
  updateGeometry();
}

void TGridView::SetSqueezable(bool squeezable) {
  squeezable_ = squeezable;
  setMinimumSize(squeezable_ ? QSize(0, 0) : sizeHint());
}

QSize TGridView::sizeHint() const {
  return {geometry_.windowWidth - 2 * chrome_.frameWidth, geometry_.gridHeight + 2 * chrome_.borderHeight};
}

void TGridView::SetTextMode(bool textMode) {
  textMode_ = textMode;
  hex_->SetSlaveGrid(nullptr);
  text_->SetSlaveGrid(nullptr);
  TQZStrGrid* active = ActiveGrid();
  TQZStrGrid* follower = InactiveGrid();
  follower->SetActive(false);
  active->SetActive(true);
  active->SetSlaveGrid(follower);
  follower->MoveTo(active->Col(), active->Row());
  active->setFocus(Qt::OtherFocusReason);
}

void TGridView::RepaintFrom(int col, int row) {
  if (!Doc().ViewReady || Doc().DocBuffer == nullptr) return;
  const int cols = hex_->ColCount();
  const int rows = hex_->RowCount();
  if (cols != Doc().BytesPerRow || rows != Doc().VisibleRows) return;
  const CellTables& tables = Tables();
  for (TQZStrGrid* grid : {addr_, hex_, text_}) grid->SuspendRepaint();
  int64_t pos = int64_t{row} * Doc().BytesPerRow + Doc().TopAddress + col;
  for (int r = row; r < rows; ++r) {
    for (int c = (r == row ? col : 0); c < cols; ++c, ++pos) {
      if (pos > Doc().LastShownAddress) {
        hex_->SetCell(c, r, QString());
        text_->SetCell(c, r, QString());
      } else {
        const uint8_t b = GetByte(pos);
        hex_->SetCell(c, r, tables.hex[b]);
        text_->SetCell(c, r, tables.chars[b]);
      }
    }
    if (addressShown_) ShowAddressCell(r);
  }
  for (TQZStrGrid* grid : {addr_, hex_, text_}) grid->ResumeRepaint(row);
}

void TGridView::ShowAddressCell(int row) {
  if (hex_->Cell(0, row).isEmpty()) {
    addr_->SetCell(0, row, QString());
    return;
  }
  const int64_t address = DisplayAddress(Doc().TopAddress + int64_t{row} * Doc().BytesPerRow);
  addr_->SetCell(0, row, QString::fromStdString(AddressCellText(address, addressDigits_)));
}

void TGridView::ShowAllAddressCells() {
  for (int row = 0; row < addr_->RowCount(); ++row) ShowAddressCell(row);
}

void TGridView::ClearAll() {
  for (TQZStrGrid* grid : {addr_, hex_, text_}) grid->ClearCells();
}

void TGridView::MoveGridCursor(int col, int row) { ActiveGrid()->MoveTo(col, row); }

void TGridView::RepaintDataGrids() {
  hex_->update();
  text_->update();
}

void TGridView::SetDocumentShown(bool shown) {
  for (TQZStrGrid* grid : {addr_, hex_, text_}) grid->SetShowCurrent(shown);
}

QColor TGridView::BlockColor(int col, int row) const {
  if (!Doc().ViewReady || Doc().BlockBegin == 0 || Doc().BlockEnd == 0) return {};
  const int64_t pos = int64_t{row} * Doc().BytesPerRow + Doc().TopAddress + col;
  if (pos < Doc().BlockBegin || pos > Doc().BlockEnd) return {};
  return ColorFromValue(Options().ColorBlock, palette());
}

}  // namespace quoxa
