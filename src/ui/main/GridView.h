#pragma once
// The grid area of the main window: address column, hex grid, text grid and the
// scroll bar, always showing the same page of the document.

#include <QFont>
#include <QWidget>

#include "ui/main/GridLayout.h"
#include "ui/main/ViewTexts.h"

namespace quoxa {

class TQZScrollBar;
class TQZStrGrid;

class TGridView : public QWidget {
  Q_OBJECT

 public:
  explicit TGridView(QWidget* parent = nullptr);

  TQZStrGrid* QZStrGridAddr() const { return addr_; }
  TQZStrGrid* QZStrGridHex() const { return hex_; }
  TQZStrGrid* QZStrGridText() const { return text_; }
  TQZScrollBar* ScrollBar() const { return scrollBar_; }
  // The grid with the keyboard cursor and the one following it.
  TQZStrGrid* ActiveGrid() const;
  TQZStrGrid* InactiveGrid() const;

  const TCellSizes& CellSizes() const { return cells_; }
  const TGridGeometry& Geometry() const { return geometry_; }
  bool AddressShown() const { return addressShown_; }
  bool TextGridLeft() const { return textGridLeft_; }
  QFont GridFont() const { return font_; }

  // Font of the three grids; a family the system lacks falls back to its fixed font.
  void ApplyFont(const QString& family);
  void ApplyFontSize(int pointSize);
  // Characters of the address column; true when they changed (the caller lays the grids out anew).
  bool SetAddressDigits(int digits);
  // Cell matrix, grid sizes and positions for cols x rows.
  void SetGridSize(int cols, int rows, const TWindowChrome& chrome);
  // While a dock floats, the grids give way to the gap it is dropped into (the window then
  // grows by the dock), else they keep their laid-out size as their least.
  void SetSqueezable(bool squeezable);
  void SetAddressColumnHidden(bool hide);
  // Places the chosen left data grid first.
  void PlaceGrids(bool textGridLeft);

  // Active grid colours, focus and slave links for text or hex mode.
  void SetTextMode(bool textMode);

  // Refills the cells from (col, row) to the end of the page.
  void RepaintFrom(int col, int row);
  void ShowAddressCell(int row);
  void ShowAllAddressCells();
  // Empties every cell (no document).
  void ClearAll();
  // The current cell of the active grid and its slave.
  void MoveGridCursor(int col, int row);
  // Redraws the data grids (block colour).
  void RepaintDataGrids();
  // Shows the cursor cells only while a document is open.
  void SetDocumentShown(bool shown);

  QSize sizeHint() const override;

 private:
  void ApplyGeometry();
  QColor BlockColor(int col, int row) const;

  TQZStrGrid* addr_;
  TQZStrGrid* hex_;
  TQZStrGrid* text_;
  TQZScrollBar* scrollBar_;
  QFont font_;
  TCellSizes cells_;
  TGridGeometry geometry_;
  TWindowChrome chrome_;
  bool addressShown_ = true;
  bool squeezable_ = false;
  bool textGridLeft_ = false;
  int addressDigits_ = kAddressDigits;
  bool textMode_ = true;
};

}  // namespace quoxa
