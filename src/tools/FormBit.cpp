#include "tools/FormBit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/DocState.h"
#include "core/Help.h"
#include "tools/BitManipulation.h"
#include "widgets/DialogPlacement.h"

namespace quoxa {

namespace {
constexpr int kHelpBits = 84;
constexpr int kGroupWidth = 330;
constexpr int kBoxTop = 22;
}  // namespace

TFormBit::TFormBit(QWidget* parent) : QDialog(parent), group_(new QGroupBox(QStringLiteral("Status of bits"), this)) {
  setObjectName("FormBit");
  setWindowTitle(QStringLiteral("Bit manipulation"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  group_->setObjectName("GroupBoxBits");
  group_->setFixedWidth(kGroupWidth);
  const int width = BitBoxWidth(kGroupWidth);
  int height = 0;
  // Created from bit 7 to bit 0, which is also the tab order.
  for (int n = 7; n >= 0; --n) {
    auto* box = new QCheckBox(QStringLiteral("&%1").arg(n), group_);
    box->setObjectName(QStringLiteral("CheckBox%1").arg(n));
    height = box->sizeHint().height();
    box->setGeometry(BitBoxLeft(kGroupWidth, n), kBoxTop, std::max(width, box->sizeHint().width()), height);
    connect(box, &QCheckBox::clicked, this, &TFormBit::UpdateLabel);
    bits_[static_cast<size_t>(n)] = box;
  }
  group_->setFixedHeight(kBoxTop + height + 12);

  label_ = new QLabel(this);
  label_->setObjectName("LabelValue");

  auto button = [this](const char* caption, const char* name) {
    auto* b = new QPushButton(QString::fromLatin1(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    return b;
  };
  QPushButton* checkAll = button("&Check all", "ButtonCheckAll");
  QPushButton* uncheckAll = button("&Uncheck all", "ButtonUncheckAll");
  QPushButton* toggleAll = button("&Toggle all", "ButtonToggleAll");
  QPushButton* reread = button("&Reread", "ButtonReread");
  QPushButton* set = button("Set", "ButtonSet");
  set->setDefault(true);
  QPushButton* cancel = button("Cancel", "ButtonCancel");
  QPushButton* help = button("Help", "ButtonHelp");
  connect(checkAll, &QPushButton::clicked, this, [this] { SetAll(true); });
  connect(uncheckAll, &QPushButton::clicked, this, [this] { SetAll(false); });
  connect(toggleAll, &QPushButton::clicked, this, &TFormBit::ToggleAll);
  connect(reread, &QPushButton::clicked, this, &TFormBit::Reread);
  connect(set, &QPushButton::clicked, this, &TFormBit::ButtonSetClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpBits); });

  auto* grid = new QGridLayout(this);
  grid->addWidget(group_, 0, 0, 1, 4);
  grid->addWidget(label_, 1, 0, 1, 4);
  grid->addWidget(checkAll, 2, 0);
  grid->addWidget(uncheckAll, 2, 1);
  grid->addWidget(toggleAll, 2, 2);
  grid->addWidget(reread, 2, 3);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  for (QPushButton* b : {set, cancel, help}) row->addWidget(b);
  grid->addLayout(row, 3, 0, 1, 4);
  grid->setSizeConstraint(QLayout::SetFixedSize);

  QWidget::setTabOrder(bits_[0], checkAll);
  QWidget::setTabOrder(checkAll, uncheckAll);
  QWidget::setTabOrder(uncheckAll, toggleAll);
  QWidget::setTabOrder(toggleAll, reread);
  QWidget::setTabOrder(reread, set);
  QWidget::setTabOrder(set, cancel);
  QWidget::setTabOrder(cancel, help);

  opening_ = Doc().DocSize > 0 ? GetByte(CursorAddress()) : 0;
  ShowValue(opening_);
}

uint8_t TFormBit::Value() const {
  unsigned value = 0;
  for (int n = 0; n < 8; ++n) {
    if (bits_[static_cast<size_t>(n)]->isChecked()) value |= 1u << n;
  }
  return static_cast<uint8_t>(value);
}

void TFormBit::ShowValue(uint8_t value) {
  for (int n = 0; n < 8; ++n) bits_[static_cast<size_t>(n)]->setChecked(((value >> n) & 1) != 0);
  UpdateLabel();
}

void TFormBit::UpdateLabel() { label_->setText(QString::fromStdString(BitLabel(Value()))); }

void TFormBit::SetAll(bool checked) { ShowValue(checked ? 0xFF : 0x00); }

void TFormBit::ToggleAll() { ShowValue(static_cast<uint8_t>(~Value())); }

void TFormBit::Reread() { ShowValue(Doc().DocSize > 0 ? GetByte(CursorAddress()) : 0); }

void TFormBit::ButtonSetClick() {
  UpdateLabel();
  StoreBitsByte(opening_, Value());
  accept();
}

}  // namespace quoxa
