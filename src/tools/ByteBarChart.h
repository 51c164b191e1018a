#pragma once
// The counts of the 256 byte values as bars, on a linear or a logarithmic axis.

#include <QWidget>

#include "tools/ByteStatistics.h"

namespace quoxa {

class TByteBarChart : public QWidget {
  Q_OBJECT

 public:
  explicit TByteBarChart(QWidget* parent = nullptr);

  void SetCounts(const ByteCounts& counts);
  void SetLogarithmic(bool on);
  bool Logarithmic() const { return logarithmic_; }

  QSize sizeHint() const override { return {560, 200}; }
  QSize minimumSizeHint() const override { return {300, 140}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ByteCounts counts_{};
  uint64_t max_ = 0;
  bool logarithmic_ = false;
};

}  // namespace quoxa
