#include "tools/ByteBarChart.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "core/TextFormat.h"
#include "tools/PlotAxis.h"

namespace quoxa {

namespace {

// Height share of a count: linear, or log10(count + 1) of log10(max + 1).
double Share(uint64_t count, uint64_t max, bool logarithmic) {
  if (max == 0) return 0;
  if (!logarithmic) return static_cast<double>(count) / static_cast<double>(max);
  return std::log10(static_cast<double>(count) + 1) / std::log10(static_cast<double>(max) + 1);
}

}  // namespace

TByteBarChart::TByteBarChart(QWidget* parent) : QWidget(parent) {
  setObjectName("ByteBarChart");
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
}

void TByteBarChart::SetCounts(const ByteCounts& counts) {
  counts_ = counts;
  max_ = *std::max_element(counts_.begin(), counts_.end());
  update();
}

void TByteBarChart::SetLogarithmic(bool on) {
  logarithmic_ = on;
  update();
}

void TByteBarChart::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QFontMetrics fm = p.fontMetrics();
  const std::vector<uint64_t> ticks = CountTicks(max_, logarithmic_);
  int labelWidth = fm.horizontalAdvance(QStringLiteral("0"));
  for (uint64_t t : ticks) {
    labelWidth = std::max(labelWidth, fm.horizontalAdvance(QString::fromStdString(FormatThousands(static_cast<int64_t>(t)))));
  }
  const QRect plot(labelWidth + 10, fm.height() / 2 + 4, std::max(1, width() - labelWidth - 20),
                   std::max(1, height() - 2 * fm.height() - 12));
  const QColor text = palette().color(QPalette::Text);
  const QColor grid = palette().color(QPalette::Mid);

  // The count axis with its grid lines.
  for (uint64_t t : ticks) {
    const int y = plot.bottom() - static_cast<int>(std::lround(Share(t, max_, logarithmic_) * plot.height()));
    p.setPen(grid);
    p.drawLine(plot.left(), y, plot.right(), y);
    p.setPen(text);
    const QString label = QString::fromStdString(FormatThousands(static_cast<int64_t>(t)));
    p.drawText(QRect(0, y - fm.height() / 2, labelWidth + 4, fm.height()), Qt::AlignRight | Qt::AlignVCenter, label);
  }

  // One bar per value.
  const QColor bar = palette().color(QPalette::Highlight);
  for (int v = 0; v < 256; ++v) {
    const int x0 = plot.left() + v * plot.width() / 256;
    const int x1 = plot.left() + (v + 1) * plot.width() / 256;
    const int h = static_cast<int>(std::lround(Share(counts_[v], max_, logarithmic_) * plot.height()));
    if (h > 0) p.fillRect(x0, plot.bottom() - h + 1, std::max(1, x1 - x0 - (plot.width() >= 512 ? 1 : 0)), h, bar);
  }

  // The value axis, labelled in hex.
  p.setPen(text);
  p.drawLine(plot.left(), plot.bottom() + 1, plot.right(), plot.bottom() + 1);
  for (int v : {0x00, 0x20, 0x40, 0x60, 0x80, 0xA0, 0xC0, 0xE0, 0xFF}) {
    const int x = plot.left() + (2 * v + 1) * plot.width() / 512;
    p.drawLine(x, plot.bottom() + 1, x, plot.bottom() + 4);
    const QString label = QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper();
    const int w = fm.horizontalAdvance(label);
    p.drawText(std::clamp(x - w / 2, 0, width() - w), plot.bottom() + 5 + fm.ascent(), label);
  }
}

}  // namespace quoxa
