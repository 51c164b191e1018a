#include "tools/FormImport.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/Help.h"
#include "core/HelpTopics.h"
#include "core/Messages.h"
#include "core/TextFormat.h"
#include "tools/DataFormatTexts.h"
#include "widgets/DialogPlacement.h"

namespace quoxa {

namespace {

constexpr TDataFormat kImportFormats[] = {TDataFormat::IntelHex, TDataFormat::SRecord,
                                          TDataFormat::Base64, TDataFormat::HexLines};
constexpr const char* kCaptions[] = {"&Intel HEX", "&Motorola S-record", "Base&64", "He&x lines"};
constexpr const char* kNames[] = {"RadioIntelHex", "RadioSRecord", "RadioBase64", "RadioHexLines"};

QString ByteInput(uint8_t b) { return QString::asprintf("0x%02X", b); }

}  // namespace

TFormImport::TFormImport(const TImportChoices& choices, QWidget* parent)
    : QDialog(parent),
      fillLabel_(new QLabel(QStringLiteral("&Fill gaps with:"))),
      fill_(new QLineEdit) {
  result_ = choices;
  setObjectName("FormImport");
  setWindowTitle(QStringLiteral("Import"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* group = new QGroupBox(QStringLiteral("Format"), this);
  auto* column = new QVBoxLayout(group);
  for (size_t i = 0; i < formats_.size(); ++i) {
    formats_[i] = new QRadioButton(QString::fromLatin1(kCaptions[i]));
    formats_[i]->setObjectName(QString::fromLatin1(kNames[i]));
    formats_[i]->setChecked(kImportFormats[i] == choices.format);
    column->addWidget(formats_[i]);
    connect(formats_[i], &QRadioButton::toggled, this, [this] {
      const bool records = HasAddresses(Format());
      fillLabel_->setEnabled(records);
      fill_->setEnabled(records);
    });
  }
  if (!Importable(choices.format)) formats_[0]->setChecked(true);
  fill_->setObjectName("EditFill");
  fill_->setText(ByteInput(choices.fill));
  fillLabel_->setBuddy(fill_);
  const bool records = HasAddresses(Format());
  fillLabel_->setEnabled(records);
  fill_->setEnabled(records);
  auto* fillRow = new QHBoxLayout;
  fillRow->addWidget(fillLabel_);
  fillRow->addWidget(fill_);

  auto* ok = new QPushButton(QStringLiteral("OK"));
  ok->setObjectName("ButtonOK");
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"));
  cancel->setObjectName("ButtonCancel");
  auto* help = new QPushButton(QStringLiteral("Help"));
  help->setObjectName("ButtonHelp");
  connect(ok, &QPushButton::clicked, this, &TFormImport::ButtonOKClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(help::kImport); });
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {ok, cancel, help}) buttons->addWidget(button);
  buttons->addStretch(1);

  auto* left = new QVBoxLayout;
  left->addWidget(group);
  left->addLayout(fillRow);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  SetTabChain({formats_[0], formats_[1], formats_[2], formats_[3], fill_, ok, cancel, help});
}

void TFormImport::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  for (QRadioButton* radio : formats_) {
    if (radio->isChecked()) radio->setFocus(Qt::OtherFocusReason);
  }
  CenterOverActiveWindow(this);
}

TDataFormat TFormImport::Format() const {
  for (size_t i = 0; i < formats_.size(); ++i) {
    if (formats_[i]->isChecked()) return kImportFormats[i];
  }
  return TDataFormat::IntelHex;
}

void TFormImport::ButtonOKClick() {
  TImportChoices choices{Format(), 0xFF};
  if (HasAddresses(choices.format)) {
    const std::optional<int64_t> fill = ParseAddress(fill_->text().toStdString(), 0xFF);
    if (!fill) {
      ShowError(FormatMsgS(msg::kNotAByte, fill_->text().toStdString()));
      fill_->setFocus(Qt::OtherFocusReason);
      fill_->selectAll();
      return;
    }
    choices.fill = static_cast<uint8_t>(*fill);
  } else {
    choices.fill = result_.fill;
  }
  result_ = choices;
  accept();
}

}  // namespace quoxa
