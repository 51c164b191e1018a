#pragma once
// TFormChecksum, "Checksums": the ticked algorithms over the block or the whole document, with
// their values to copy and an expected value to compare them with.

#include <QDialog>
#include <map>
#include <string>
#include <vector>

#include "tools/Checksum.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace quoxa {

class TFormChecksum : public QDialog {
  Q_OBJECT

 public:
  // Ticks the remembered algorithms; the block is the scope when one is marked.
  explicit TFormChecksum(QWidget* parent = nullptr);

  QCheckBox* Box(ChecksumKind kind) const { return boxes_.at(kind); }
  std::vector<ChecksumKind> Ticked() const;
  // The row the expected value names, -1 for none.
  int MatchingRow() const { return match_; }
  QTableWidget* Table() const { return table_; }

  // Remembers the ticked algorithms.
  void done(int result) override;

 private:
  void Compute();
  void ShowResults(const std::string& scope, const std::vector<ChecksumKind>& kinds,
                   const std::vector<std::string>& values);
  void MarkExpected();
  void CopyValue();
  void CopyAll();

  std::map<ChecksumKind, QCheckBox*> boxes_;
  QRadioButton* block_;
  QRadioButton* file_;
  QLabel* scope_;
  QTableWidget* table_;
  QLineEdit* expected_;
  QLabel* matchLabel_;
  QPushButton* copy_;
  QPushButton* copyAll_;
  std::vector<ChecksumKind> kinds_;  // of the rows shown
  std::vector<std::string> values_;
  int match_ = -1;
};

}  // namespace quoxa
