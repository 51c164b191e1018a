#include "tools/EntropyPlot.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

#include "tools/PlotAxis.h"

namespace quoxa {

namespace {

constexpr double kMaxBits = 8;

PlotSpan SpanOf(const EntropyMap& map, const QRect& area) { return PlotSpan{map.length, area.width()}; }

}  // namespace

TEntropyPlot::TEntropyPlot(QWidget* parent) : QWidget(parent) {
  setObjectName("EntropyPlot");
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  setMouseTracking(true);
  setCursor(Qt::PointingHandCursor);
}

void TEntropyPlot::SetMap(const EntropyMap& map, int64_t baseAddress) {
  map_ = map;
  base_ = baseAddress;
  update();
}

void TEntropyPlot::SetViewMark(int64_t first, int64_t last) {
  if (first == markFirst_ && last == markLast_) return;
  markFirst_ = first;
  markLast_ = last;
  update();
}

int TEntropyPlot::LabelWidth() const {
  const int64_t last = map_.length > 0 ? map_.first - 1 + base_ + map_.length - 1 : 0;
  return fontMetrics().horizontalAdvance(QString::fromStdString(HexLabel(last)) + QStringLiteral("0"));
}

QRect TEntropyPlot::PlotArea() const {
  const QFontMetrics fm = fontMetrics();
  const int left = fm.horizontalAdvance(QStringLiteral("bits 8")) + 12;
  // Room on the right for half of the last address label.
  const int right = LabelWidth() / 2 + 8;
  const int top = fm.height() + 6;
  const int bottom = 2 * fm.height() + 10;
  return QRect(left, top, std::max(1, width() - left - right), std::max(1, height() - top - bottom));
}

int64_t TEntropyPlot::PositionAt(int x) const {
  if (map_.length <= 0) return 0;
  const QRect area = PlotArea();
  return map_.first + SpanOf(map_, area).OffsetAt(x - area.left());
}

void TEntropyPlot::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QFontMetrics fm = p.fontMetrics();
  const QRect area = PlotArea();
  const QColor text = palette().color(QPalette::Text);
  const QColor grid = palette().color(QPalette::Mid);
  auto yOf = [&](double bits) { return area.bottom() - static_cast<int>(bits / kMaxBits * (area.height() - 1)); };

  // Bits per byte, 0 to 8, with grid lines.
  p.setPen(text);
  p.drawText(QRect(0, 0, area.left() + 40, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("bits per byte"));
  for (int bits = 0; bits <= 8; bits += 2) {
    const int y = yOf(bits);
    p.setPen(grid);
    p.drawLine(area.left(), y, area.right(), y);
    p.setPen(text);
    p.drawText(QRect(0, y - fm.height() / 2, area.left() - 6, fm.height()), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(bits));
  }

  const PlotSpan span = SpanOf(map_, area);
  // The main window's page, behind the curve.
  if (map_.length > 0 && markLast_ >= markFirst_ && markFirst_ > 0) {
    const int x0 = area.left() + span.XOf(markFirst_ - map_.first);
    const int x1 = area.left() + span.XOf(markLast_ - map_.first);
    QColor band = palette().color(QPalette::Highlight);
    band.setAlpha(70);
    p.fillRect(QRect(QPoint(x0, area.top()), QPoint(std::max(x1, x0 + 2), area.bottom())), band);
  }

  // The curve: per pixel column the highest and lowest window it covers, so that a narrow
  // spike in a long file still shows.
  if (!map_.values.empty() && map_.window > 0) {
    const QColor curve = palette().color(QPalette::Highlight).darker(130);
    p.setPen(QPen(curve, 1));
    const int64_t count = static_cast<int64_t>(map_.values.size());
    auto windowAt = [&](int x) {
      const auto offset = static_cast<int64_t>(static_cast<long double>(x) / area.width() * map_.length);
      return std::min(count - 1, offset / map_.window);
    };
    for (int x = 0; x < area.width(); ++x) {
      const int64_t firstOfColumn = windowAt(x);
      const int64_t lastOfColumn = std::max(firstOfColumn, windowAt(x + 1) - 1);
      float lo = map_.values[static_cast<size_t>(firstOfColumn)];
      float hi = lo;
      for (int64_t i = firstOfColumn; i <= lastOfColumn; ++i) {
        lo = std::min(lo, map_.values[static_cast<size_t>(i)]);
        hi = std::max(hi, map_.values[static_cast<size_t>(i)]);
      }
      p.drawLine(area.left() + x, yOf(lo), area.left() + x, yOf(hi));
    }
  }

  // The address axis, labelled in hex.
  p.setPen(text);
  p.drawRect(area.adjusted(0, 0, -1, 0));
  if (map_.length > 0) {
    const int64_t firstAddress = map_.first - 1 + base_;
    const int maxTicks = std::max(2, area.width() / (LabelWidth() + 24));
    for (int64_t address : HexTicks(firstAddress, firstAddress + map_.length - 1, maxTicks)) {
      const int x = area.left() + span.XOf(address - firstAddress);
      p.drawLine(x, area.bottom() + 1, x, area.bottom() + 5);
      const QString label = QString::fromStdString(HexLabel(address));
      const int w = fm.horizontalAdvance(label);
      p.drawText(std::clamp(x - w / 2, 0, width() - w), area.bottom() + 6 + fm.ascent(), label);
    }
  }
  p.drawText(QRect(area.left(), height() - fm.height() - 2, area.width(), fm.height()), Qt::AlignHCenter,
             QStringLiteral("address (hex)"));
}

void TEntropyPlot::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || map_.length <= 0) return;
  const QPoint at = event->position().toPoint();
  if (!PlotArea().adjusted(-2, -2, 2, 2).contains(at)) return;
  emit PositionClicked(PositionAt(at.x()));
}

void TEntropyPlot::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (map_.length <= 0 || !PlotArea().contains(at)) return;
  const int64_t pos = PositionAt(at.x());
  const size_t index = static_cast<size_t>((pos - map_.first) / map_.window);
  if (index >= map_.values.size()) return;
  QToolTip::showText(event->globalPosition().toPoint(),
                     QStringLiteral("%1: %2 bits per byte")
                         .arg(QString::fromStdString(HexLabel(pos - 1 + base_)))
                         .arg(static_cast<double>(map_.values[index]), 0, 'f', 2),
                     this);
}

}  // namespace quoxa
