#pragma once
// The "Data inspector" dock: the bytes at the cursor (or at the start of a marked block) as every
// common type, updated while the user works; numeric rows are edited in place.

#include <QDockWidget>
#include <QString>
#include <functional>

#include "tools/CursorValues.h"

class QCheckBox;
class QRadioButton;
class QTableWidget;

namespace quoxa {

class TDockInspector : public QDockWidget {
  Q_OBJECT

 public:
  explicit TDockInspector(QWidget* parent = nullptr);

  // The one hook to the document: the document, its cursor, its block or its bytes changed.
  // Cheap to call often; a hidden dock does nothing.
  void DocumentOrCursorChanged();
  // Decodes the bytes now (the benchmark and the tests call it directly).
  void Refresh();

  // Shows the dock with its first row focused.
  void ShowFocused();
  // Where Esc sends the keyboard focus.
  void SetFocusBack(std::function<void()> focusBack) { focusBack_ = std::move(focusBack); }
  // The widget to focus again after a message box the dock showed, else null.
  QWidget* FocusAfterMessage() const;

  // Placement (any side or floating, with the floating geometry and the height at the top or
  // bottom), visibility, byte order and the Hex check box in the settings file.
  void LoadSettings();
  void SaveSettings() const;

  QTableWidget* Table() const { return table_; }
  QRadioButton* BigEndianButton() const { return big_; }
  QCheckBox* HexBox() const { return hex_; }
  QString Value(InspectorRow row) const;

  // Opens the value of row for editing, or shows why it cannot be.
  void EditRow(int row);
  // Writes the typed text of row; on an error the editor opens again with the text.
  void CommitRow(int row, const QString& text);
  // Copies the shown value of row to the clipboard.
  void CopyRow(int row) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormatChanged();
  void ShowContextMenu(const QPoint& at);
  // Beside the grids the dock keeps the width of its columns, above or below them its height,
  // so that the window grows by it and the grids keep their cells; floating it is free.
  void FitToPlacement();
  Qt::DockWidgetArea DockedArea() const;

  QTableWidget* table_;
  QRadioButton* little_;
  QRadioButton* big_;
  QCheckBox* hex_;
  InspectorValues values_;
  std::function<void()> focusBack_;
  QString reopenText_;
  int reopenRow_ = -1;
  bool messageShown_ = false;
  bool pending_ = false;
  int sideWidth_ = 0;      // of the body, beside the grids
  int tableWidth_ = 0;     // the table's least there
  int stackedHeight_ = 0;  // of the body, above or below the grids
  int defaultStackedHeight_ = 0;
  int leastStackedHeight_ = 0;
  int mostStackedHeight_ = 0;
  Qt::DockWidgetArea area_ = Qt::RightDockWidgetArea;  // the last side docked at
};

}  // namespace quoxa
