#pragma once
// The character conversion table dialog: the table as a grid, its files, and the Convert
// command that applies it.

#include <QDialog>
#include <QTableWidget>
#include <QTimer>

class QRadioButton;

namespace quoxa {

// The grid: rows drag from their first three columns onto another row's "Convert to" cell.
class TCharTableGrid : public QTableWidget {
  Q_OBJECT

 public:
  explicit TCharTableGrid(QWidget* parent);

 signals:
  void RowDropped(int source, int target, int column);
  // A "Convert to" cell emptied by Delete or Backspace outside its editor.
  void CellCleared();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ScrollTick();

  QTimer scrollTimer_;
  int scrollStep_ = 0;
};

class TFormCharTable : public QDialog {
  Q_OBJECT

 public:
  // exec() result of a close by "&Convert".
  static constexpr int kConvert = 2;

  explicit TFormCharTable(QWidget* parent = nullptr);

  bool FromBegin() const;
  bool TableModified() const { return modified_; }
  TCharTableGrid* Grid() const { return grid_; }
  // The drop of row source onto (target, column): only another row's "Convert to" cell takes it.
  bool DropRow(int source, int target, int column);

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FillGrid();
  void TakeGrid();
  void UpdateCaption();
  void SetTableFile(const std::string& path);
  // True when the caller may go on (saved, or not wanted).
  bool SaveQuestion();
  void ClearTableClick();
  void SaveTableClick();
  void LoadTableClick();
  void ConvertClick();
  void CellEdited();

  TCharTableGrid* grid_;
  QRadioButton* cursor_;
  QRadioButton* begin_;
  QWidget* help_;
  bool modified_ = false;
  bool filling_ = false;
  bool shown_ = false;
};

// The "Character conversion" command: the dialog, then the conversion and its count.
void RunCharConversion(QWidget* parent);

}  // namespace quoxa
