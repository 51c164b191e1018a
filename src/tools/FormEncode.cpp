#include "tools/FormEncode.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/Help.h"
#include "core/Messages.h"
#include "settings/Options.h"
#include "settings/QZHistoryBtn.h"
#include "widgets/DialogPlacement.h"
#include "widgets/HexString.h"
#include "widgets/QZNumEdit.h"

namespace quoxa {

namespace {

constexpr int kHelpEncode = 83;
constexpr int kNumberWidth = 160;

constexpr const char* kTypeCaptions[kNumberTypeCount] = {
    "&shortint (1 byte)", "&byte (1 byte)",      "&word (2 bytes)",     "&integer (2 bytes)",
    "&longint (4 bytes)", "&32 bit IEEE single", "&64 bit IEEE double",
};
constexpr const char* kOutputCaptions[3] = {"Ins&ert before current adress", "&Overwrite at current adress",
                                            "&Here"};
constexpr const char* kOutputNames[3] = {"RadioButtonInsert", "RadioButtonOverwrite", "RadioButtonHere"};

}  // namespace

TFormEncode::TFormEncode(QWidget* parent)
    : QDialog(parent), number_(new QLineEdit), history_(new TQZHistoryBtn), here_(new QLineEdit) {
  setObjectName("FormEncode");
  setWindowTitle(QStringLiteral("Encode integer"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* encode = new QGroupBox(QStringLiteral("Encode"), this);
  auto* encodeGrid = new QGridLayout(encode);
  auto* numberLabel = new QLabel(QStringLiteral("&Number:"), encode);
  number_->setParent(encode);
  number_->setObjectName("EditNumber");
  number_->setMinimumWidth(kNumberWidth);
  numberLabel->setBuddy(number_);
  encodeGrid->addWidget(numberLabel, 0, 0);
  encodeGrid->addWidget(number_, 0, 1);
  // The history button sits on the edit's right edge, in this column.
  encodeGrid->setColumnMinimumWidth(2, TQZHistoryBtn::kButtonWidth);
  encodeGrid->setColumnStretch(1, 1);
  history_->setParent(encode);
  history_->setObjectName("QZHistoryBtnEnc");
  history_->IniSection = QStringLiteral("QZHistoryEnc");
  history_->SetEdit(number_);

  auto* as = new QGroupBox(QStringLiteral("as"), encode);
  as->setObjectName("RadioGroupAs");
  auto* asColumn = new QVBoxLayout(as);
  for (int i = 0; i < kNumberTypeCount; ++i) {
    types_[i] = new QRadioButton(QString::fromLatin1(kTypeCaptions[i]), as);
    types_[i]->setObjectName(QStringLiteral("RadioButtonAs%1").arg(i));
    asColumn->addWidget(types_[i]);
  }
  encodeGrid->addWidget(as, 1, 0, 1, 3);

  auto* output = new QGroupBox(QStringLiteral("Output"), this);
  auto* outputColumn = new QVBoxLayout(output);
  for (int i = 0; i < 3; ++i) {
    outputs_[i] = new QRadioButton(QString::fromLatin1(kOutputCaptions[i]), output);
    outputs_[i]->setObjectName(kOutputNames[i]);
    outputColumn->addWidget(outputs_[i]);
    connect(outputs_[i], &QRadioButton::toggled, this, &TFormEncode::OutputChanged);
  }
  here_->setParent(output);
  here_->setObjectName("EditHere");
  here_->setReadOnly(true);
  outputColumn->addWidget(here_);
  auto* order = new QLabel(QString::fromLatin1(ByteOrderText(Options().ByteOrder == 1)), output);
  order->setObjectName("LabelByteOrder");
  outputColumn->addWidget(order);
  outputColumn->addStretch(1);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName("ButtonOK");
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName("ButtonCancel");
  auto* help = new QPushButton(QStringLiteral("Help"), this);
  help->setObjectName("ButtonHelp");
  connect(ok, &QPushButton::clicked, this, &TFormEncode::ButtonOKClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpEncode); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* b : {ok, cancel, help}) buttons->addWidget(b);

  auto* groups = new QHBoxLayout;
  groups->addWidget(encode);
  groups->addWidget(output);
  auto* column = new QVBoxLayout(this);
  column->addLayout(groups);
  column->addLayout(buttons);
  column->setSizeConstraint(QLayout::SetFixedSize);

  history_->Load();
  types_[static_cast<size_t>(std::clamp(Options().EncodeAs, 0, kNumberTypeCount - 1))]->setChecked(true);
  outputs_[static_cast<size_t>(std::clamp(Options().EncodeWhere, 0, 2))]->setChecked(true);
  OutputChanged();
}

TFormEncode::~TFormEncode() { history_->Save(); }

NumberType TFormEncode::Type() const {
  for (int i = 0; i < kNumberTypeCount; ++i) {
    if (types_[static_cast<size_t>(i)]->isChecked()) return static_cast<NumberType>(i);
  }
  return NumberType::ShortInt;
}

EncodeOutput TFormEncode::Output() const {
  for (int i = 0; i < 3; ++i) {
    if (outputs_[static_cast<size_t>(i)]->isChecked()) return static_cast<EncodeOutput>(i);
  }
  return EncodeOutput::Insert;
}

void TFormEncode::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CenterOverActiveWindow(this);
  number_->setFocus(Qt::OtherFocusReason);
  number_->selectAll();
}

void TFormEncode::OutputChanged() { here_->setEnabled(Output() == EncodeOutput::Here); }

void TFormEncode::ButtonOKClick() {
  const EncodeResult result =
      EncodeNumber(number_->text().toStdString(), Type(), Options().ByteOrder == 1, LocaleDecimalSeparator());
  if (!result.Ok()) {
    ShowError(result.error);
    number_->setFocus(Qt::OtherFocusReason);
    return;
  }
  history_->Add(number_->text());
  bytes_ = result.bytes;
  if (Output() == EncodeOutput::Here) {
    here_->setText(QString::fromStdString(BytesToHexString(bytes_, true)));
    return;
  }
  accept();
}

}  // namespace quoxa
