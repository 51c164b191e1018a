#pragma once
// The Options dialog's list of named block colours, each drawn as a swatch and
// its name.

#include <QComboBox>
#include <QStyledItemDelegate>

#include <cstdint>

namespace quoxa {

// A Windows colour value (0x00BBGGRR or a system colour) as a Qt colour.
QColor ColorFromValue(uint32_t value, const QPalette& palette);

// Draws one colour entry: background, a square swatch outlined with the pen,
// the name vertically centred to its right.
void PaintColorEntry(QPainter* painter, const QRect& rect, const QColor& color, const QString& name,
                     const QColor& background, const QColor& text);

class TColorCombo : public QComboBox {
  Q_OBJECT
 public:
  explicit TColorCombo(QWidget* parent = nullptr);

  // The colour value of the selected entry; false when none is selected.
  bool SelectedValue(uint32_t& value) const;
  // Selects the entry of a colour value, or none when it has no name in the list.
  void SelectValue(uint32_t value);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class TColorEntryDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace quoxa
