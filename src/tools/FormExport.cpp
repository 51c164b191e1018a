#include "tools/FormExport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/CodePage.h"
#include "core/Help.h"
#include "core/HelpTopics.h"
#include "core/Messages.h"
#include "core/TextFormat.h"
#include "tools/DataFormatTexts.h"
#include "widgets/DialogPlacement.h"

namespace quoxa {

namespace {

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

constexpr const char* kFormatCaptions[] = {
    "&Intel HEX", "&Motorola S-record", "&C array", "&Python bytes", "Base&64", "He&x lines"};
constexpr const char* kFormatNames[] = {"RadioIntelHex", "RadioSRecord", "RadioCArray",
                                        "RadioPython",   "RadioBase64",  "RadioHexLines"};

QLabel* BuddyLabel(const char* caption, QWidget* buddy) {
  auto* label = new QLabel(QString::fromLatin1(caption));
  label->setBuddy(buddy);
  return label;
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TFormExport::TFormExport(const TExportSetup& setup, const TExportChoices& choices, QWidget* parent)
    : QDialog(parent),
      setup_(setup),
      whole_(Named(new QRadioButton(QStringLiteral("&Whole file")), "RadioWholeFile")),
      block_(Named(new QRadioButton(QStringLiteral("&Block")), "RadioBlock")),
      base_(Named(new QLineEdit, "EditBaseAddress")),
      recordBytes_(Named(new QComboBox, "ComboBoxRecordBytes")),
      startBox_(Named(new QCheckBox(QStringLiteral("&Start address:")), "CheckBoxStart")),
      start_(Named(new QLineEdit, "EditStartAddress")),
      header_(Named(new QLineEdit, "EditHeader")),
      name_(Named(new QLineEdit, "EditName")),
      lineBytes_(Named(new QComboBox, "ComboBoxLineBytes")) {
  setObjectName("FormExport");
  setWindowTitle(QString::fromLatin1(msg::kExportTitle));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* formatGroup = new QGroupBox(QStringLiteral("Format"), this);
  auto* formatColumn = new QVBoxLayout(formatGroup);
  for (size_t i = 0; i < formats_.size(); ++i) {
    formats_[i] = Named(new QRadioButton(QString::fromLatin1(kFormatCaptions[i])), kFormatNames[i]);
    formatColumn->addWidget(formats_[i]);
  }
  formats_[static_cast<size_t>(choices.format)]->setChecked(true);

  auto* rangeGroup = new QGroupBox(QStringLiteral("Range"), this);
  auto* rangeColumn = new QVBoxLayout(rangeGroup);
  rangeColumn->addWidget(whole_);
  rangeColumn->addWidget(block_);
  rangeColumn->addStretch(1);
  block_->setEnabled(setup.blockMarked);
  (setup.blockMarked ? block_ : whole_)->setChecked(true);

  records_ = new QGroupBox(QStringLiteral("Intel HEX and S-record"), this);
  auto* recordGrid = new QGridLayout(records_);
  recordBytes_->addItems({QStringLiteral("16"), QStringLiteral("32")});
  recordBytes_->setCurrentIndex(choices.recordBytes == 32 ? 1 : 0);
  header_->setText(Text(setup.fileName).left(kMaxHeaderLength));
  header_->setMaxLength(kMaxHeaderLength);
  startBox_->setChecked(choices.startRecord);
  recordGrid->addWidget(BuddyLabel("Base &address:", base_), 0, 0);
  recordGrid->addWidget(base_, 0, 1);
  recordGrid->addWidget(BuddyLabel("Bytes per &record:", recordBytes_), 1, 0);
  recordGrid->addWidget(recordBytes_, 1, 1);
  recordGrid->addWidget(startBox_, 2, 0);
  recordGrid->addWidget(start_, 2, 1);
  recordGrid->addWidget(BuddyLabel("&Header (S-record):", header_), 3, 0);
  recordGrid->addWidget(header_, 3, 1);
  connect(base_, &QLineEdit::textEdited, this, [this] { baseTyped_ = true; });
  connect(start_, &QLineEdit::textEdited, this, [this] { startTyped_ = true; });

  source_ = new QGroupBox(QStringLiteral("C array and Python bytes"), this);
  auto* sourceGrid = new QGridLayout(source_);
  name_->setText(Text(ArrayNameFor(setup.fileName)));
  lineBytes_->addItems({QStringLiteral("12"), QStringLiteral("16")});
  lineBytes_->setCurrentIndex(choices.bytesPerLine == 12 ? 0 : 1);
  sourceGrid->addWidget(BuddyLabel("&Name:", name_), 0, 0);
  sourceGrid->addWidget(name_, 0, 1);
  sourceGrid->addWidget(BuddyLabel("Bytes per &line:", lineBytes_), 1, 0);
  sourceGrid->addWidget(lineBytes_, 1, 1);

  auto* ok = Named(new QPushButton(QStringLiteral("OK")), "ButtonOK");
  auto* cancel = Named(new QPushButton(QStringLiteral("Cancel")), "ButtonCancel");
  auto* help = Named(new QPushButton(QStringLiteral("Help")), "ButtonHelp");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &TFormExport::ButtonOKClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(help::kExport); });
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {ok, cancel, help}) buttons->addWidget(button);
  buttons->addStretch(1);

  auto* top = new QHBoxLayout;
  top->addWidget(formatGroup);
  top->addWidget(rangeGroup);
  auto* left = new QVBoxLayout;
  left->addLayout(top);
  left->addWidget(records_);
  left->addWidget(source_);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  SetTabChain({formats_[0], formats_[1], formats_[2], formats_[3], formats_[4], formats_[5], whole_,
               block_, base_, recordBytes_, startBox_, start_, header_, name_, lineBytes_, ok,
               cancel, help});
  // Connected last: a toggle must find every control it enables made.
  for (QRadioButton* radio : formats_)
    connect(radio, &QRadioButton::toggled, this, [this] { FollowChoices(); });
  connect(block_, &QRadioButton::toggled, this, [this] { FollowChoices(); });
  connect(startBox_, &QCheckBox::toggled, this, [this] { FollowChoices(); });
  FollowChoices();
}

void TFormExport::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormatRadio(Format())->setFocus(Qt::OtherFocusReason);
  CenterOverActiveWindow(this);
}

TDataFormat TFormExport::Format() const {
  for (const TDataFormat format : kAllDataFormats) {
    if (FormatRadio(format)->isChecked()) return format;
  }
  return TDataFormat::IntelHex;
}

bool TFormExport::BlockChosen() const { return block_->isChecked(); }

TExportChoices TFormExport::Choices() const {
  return {Format(), recordBytes_->currentIndex() == 1 ? 32 : 16, startBox_->isChecked(),
          lineBytes_->currentIndex() == 0 ? 12 : 16};
}

void TFormExport::FollowChoices() {
  const TDataFormat format = Format();
  records_->setEnabled(HasAddresses(format));
  source_->setEnabled(format == TDataFormat::CArray || format == TDataFormat::PythonBytes);
  header_->setEnabled(format == TDataFormat::SRecord);
  start_->setEnabled(startBox_->isChecked());
  const int64_t address = BlockChosen() ? setup_.blockAddress : setup_.fileAddress;
  if (!baseTyped_) base_->setText(Text(AddressInput(address)));
  if (!startTyped_) start_->setText(Text(AddressInput(address)));
}

void TFormExport::Refuse(const std::string& text, QLineEdit* field) {
  ShowError(text);
  field->setFocus(Qt::OtherFocusReason);
  field->selectAll();
}

void TFormExport::ButtonOKClick() {
  TExportOptions o;
  o.format = Format();
  const TExportChoices choices = Choices();
  o.recordBytes = choices.recordBytes;
  o.bytesPerLine = choices.bytesPerLine;
  o.header = Utf8ToBytes(header_->text().toStdString());
  o.name = name_->text().toStdString();
  const int64_t size = BlockChosen() ? setup_.blockLength : setup_.fileSize;
  if (HasAddresses(o.format)) {
    const std::optional<int64_t> base =
        ParseAddress(base_->text().toStdString(), kMaxRecordAddress);
    if (!base) return Refuse(FormatMsgS(msg::kNotAnAddress, base_->text().toStdString()), base_);
    o.baseAddress = *base;
    if (startBox_->isChecked()) {
      o.startAddress = ParseAddress(start_->text().toStdString(), kMaxRecordAddress);
      if (!o.startAddress)
        return Refuse(FormatMsgS(msg::kNotAnAddress, start_->text().toStdString()), start_);
    }
    // The header, a line of at most 252 characters of the code page, always fits: what is
    // refused is the range.
    const std::string problem = ExportProblem(o, size);
    if (!problem.empty()) return Refuse(problem, base_);
  } else {
    const std::string problem = ExportProblem(o, size);
    if (!problem.empty()) return Refuse(problem, name_);
  }
  result_ = o;
  accept();
}

}  // namespace quoxa
