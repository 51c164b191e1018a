#pragma once
// The Strings dialog: the printable runs of the block or file with their address, length,
// encoding and text, a filter, the minimum length, and Go to, Copy and Save as text.

#include <QDialog>
#include <vector>

#include "search/StringScan.h"

class QLineEdit;
class QSpinBox;
class QStandardItemModel;
class QTableView;

namespace quoxa {

class TFormStrings : public QDialog {
  Q_OBJECT

 public:
  explicit TFormStrings(QWidget* parent = nullptr);

  // Scans with the length shown; false when the user cancelled.
  bool Scan();
  // The run chosen with Go to, Enter or a double click.
  const FoundString* Chosen() const { return chosen_ >= 0 ? &found_[static_cast<size_t>(chosen_)] : nullptr; }
  QTableView* List() const { return list_; }

 protected:
  // Keeps the minimum length in the settings file.
  void done(int result) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Fill();
  void GoToCurrent();
  void CopySelected();
  void SaveAsText();
  std::vector<std::string> Lines(bool selectedOnly) const;

  QSpinBox* length_;
  QLineEdit* filter_;
  QTableView* list_;
  QStandardItemModel* model_;
  std::vector<FoundString> found_;
  std::vector<int> shown_;  // indexes into found_ of the rows
  int chosen_ = -1;
  int scannedLength_ = 0;  // the length of the list shown
};

// Search > Strings...: the dialog; the cursor goes to the chosen run, marked as the block.
void RunStringsDialog(QWidget* owner);

}  // namespace quoxa
