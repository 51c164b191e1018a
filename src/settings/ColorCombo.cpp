#include "settings/ColorCombo.h"

#include <QPainter>
#include <QStylePainter>

#include "settings/BlockColors.h"

namespace quoxa {

namespace {

constexpr int kValueRole = Qt::UserRole + 1;

}  // namespace

QColor ColorFromValue(uint32_t value, const QPalette& palette) {
  if ((value & kSystemColorFlag) != 0) {
    switch (value & 0xFFu) {
      case 5: return palette.color(QPalette::Base);
      case 8: return palette.color(QPalette::Text);
      case 13: return palette.color(QPalette::Highlight);
      case 14: return palette.color(QPalette::HighlightedText);
      case 15: return palette.color(QPalette::Button);
      case 18: return palette.color(QPalette::ButtonText);
      case 23: return palette.color(QPalette::ToolTipText);
      case 24: return palette.color(QPalette::ToolTipBase);
      default: return palette.color(QPalette::WindowText);
    }
  }
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

void PaintColorEntry(QPainter* painter, const QRect& rect, const QColor& color, const QString& name,
                     const QColor& background, const QColor& text) {
  painter->save();
  painter->fillRect(rect, background);
  const int h = rect.height();
  const QRect swatch(QPoint(rect.left() + 1, rect.top() + 1), QPoint(rect.left() + h - 2, rect.top() + h - 2));
  painter->setPen(text);
  painter->setBrush(color);
  painter->drawRect(swatch);
  const QRect textRect(QPoint(rect.left() + h + 3, rect.top()), rect.bottomRight());
  painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, name);
  painter->restore();
}

TColorCombo::TColorCombo(QWidget* parent) : QComboBox(parent) {
  setItemDelegate(new TColorEntryDelegate(this));
  for (const NamedColor& entry : BlockColors()) {
    addItem(QString::fromLatin1(entry.name));
    setItemData(count() - 1, QVariant::fromValue(static_cast<uint>(entry.value)), kValueRole);
  }
}

bool TColorCombo::SelectedValue(uint32_t& value) const {
  if (currentIndex() < 0) return false;
  value = itemData(currentIndex(), kValueRole).toUInt();
  return true;
}

void TColorCombo::SelectValue(uint32_t value) { setCurrentIndex(BlockColorIndex(value)); }

void TColorCombo::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText.clear();
  option.currentIcon = QIcon();
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  if (currentIndex() < 0) return;
  const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  uint32_t value = 0;
  SelectedValue(value);
  PaintColorEntry(&painter, field.adjusted(1, 1, -1, -1), ColorFromValue(value, palette()), currentText(),
                  palette().color(QPalette::Base), palette().color(QPalette::Text));
}

void TColorEntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  const bool selected = (option.state & QStyle::State_Selected) != 0;
  const QPalette& pal = option.palette;
  const uint32_t value = index.data(kValueRole).toUInt();
  PaintColorEntry(painter, option.rect, ColorFromValue(value, pal), index.data(Qt::DisplayRole).toString(),
                  pal.color(selected ? QPalette::Highlight : QPalette::Base),
                  pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
}

QSize TColorEntryDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QSize base = QStyledItemDelegate::sizeHint(option, index);
  const int h = std::max(base.height(), option.fontMetrics.height() + 4);
  return {base.width() + h + 3, h};
}

}  // namespace quoxa
