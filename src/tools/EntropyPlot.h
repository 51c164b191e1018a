#pragma once
// The entropy map drawn as a plot: bits per byte (0 to 8) over the addresses of the file, the
// part the main window shows marked; a click asks to go to the address under the mouse.

#include <QWidget>

#include "tools/ByteStatistics.h"

namespace quoxa {

class TEntropyPlot : public QWidget {
  Q_OBJECT

 public:
  explicit TEntropyPlot(QWidget* parent = nullptr);

  // baseAddress: the address shown for position 1.
  void SetMap(const EntropyMap& map, int64_t baseAddress);
  // Positions first..last are on the main window's page.
  void SetViewMark(int64_t first, int64_t last);

  // The area of the plot inside the axes, in widget coordinates.
  QRect PlotArea() const;
  // The position under x (a widget coordinate), 0 without a map.
  int64_t PositionAt(int x) const;

  QSize sizeHint() const override { return {760, 300}; }
  QSize minimumSizeHint() const override { return {360, 180}; }

 signals:
  void PositionClicked(int64_t position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  int LabelWidth() const;

  EntropyMap map_;
  int64_t base_ = 0;
  int64_t markFirst_ = 0;
  int64_t markLast_ = 0;
};

}  // namespace quoxa
