#pragma once
// TFormStatistics, "Statistics": how often each byte value occurs in the block or the whole
// file, as a sortable table and a bar chart, with the entropy and the extremes. It stays open
// beside the editor; Refresh counts again after edits.

#include <QDialog>

#include "tools/ByteStatistics.h"

class QCheckBox;
class QLabel;
class QRadioButton;
class QTableWidget;

namespace quoxa {

class TByteBarChart;

class TFormStatistics : public QDialog {
  Q_OBJECT

 public:
  explicit TFormStatistics(QWidget* parent = nullptr);

  // Counts the chosen range of the document again; false when the count was cancelled.
  bool Refresh();

  QTableWidget* Table() const { return table_; }
  TByteBarChart* Chart() const { return chart_; }
  QString SummaryText() const;

 private:
  void ShowCounts(const ByteCounts& counts, const QString& range);

  QRadioButton* wholeFile_;
  QRadioButton* block_;
  QCheckBox* logarithmic_;
  QTableWidget* table_;
  TByteBarChart* chart_;
  QLabel* range_;
  QLabel* entropy_;
  QLabel* distinct_;
  QLabel* most_;
  QLabel* least_;
  bool sorted_ = false;
};

}  // namespace quoxa
