#include "search/StringChoice.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include "core/CodePage.h"
#include "search/PickUpNextByte.h"
#include "search/SearchOptionsBox.h"
#include "settings/QZHistoryBtn.h"
#include "widgets/QZByteEdit.h"
#include "widgets/QZRadioBtn.h"

namespace quoxa {

namespace {
constexpr int kEditWidth = 260;
}

TStringChoice::TStringChoice(const Names& names, QWidget* parent)
    : QWidget(parent),
      textRadio_(new TQZRadioBtn(names.textCaption, this)),
      textEdit_(new QLineEdit(this)),
      convert_(new QPushButton(QStringLiteral("Text -> Hex"), this)),
      hexRadio_(new TQZRadioBtn(names.hexCaption, this)),
      hexEdit_(new TQZByteEdit(this)),
      textHistory_(new TQZHistoryBtn(this)),
      hexHistory_(new TQZHistoryBtn(this)) {
  textRadio_->setObjectName(names.textRadio);
  textEdit_->setObjectName(names.textEdit);
  convert_->setObjectName(names.convert);
  hexRadio_->setObjectName(names.hexRadio);
  hexEdit_->setObjectName(names.hexEdit);
  textEdit_->setMinimumWidth(kEditWidth);
  hexEdit_->setMinimumWidth(kEditWidth);
  InstallPickUpNextByte(hexEdit_);
  textHistory_->setObjectName(names.textHistory);
  textHistory_->IniSection = names.textSection;
  textHistory_->SetEdit(textEdit_);
  hexHistory_->setObjectName(names.hexHistory);
  hexHistory_->IniSection = names.hexSection;
  hexHistory_->SetEdit(hexEdit_);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(textRadio_, 0, 0);
  grid->addWidget(textEdit_, 0, 1);
  grid->addWidget(convert_, 0, 3);
  grid->addWidget(hexRadio_, 1, 0);
  grid->addWidget(hexEdit_, 1, 1);
  grid->setColumnStretch(1, 1);
  // The history buttons sit on the edits' right edges, in this column.
  grid->setColumnMinimumWidth(2, TQZHistoryBtn::kButtonWidth);

  textRadio_->setChecked(true);
  textRadio_->SetControl(textEdit_);
  hexRadio_->SetControl(hexEdit_);
  connect(convert_, &QPushButton::clicked, this, &TStringChoice::ConvertTextToHex);
}

bool TStringChoice::HexMode() const { return hexRadio_->isChecked(); }

void TStringChoice::SetHexMode(bool hex) { (hex ? hexRadio_ : textRadio_)->setChecked(true); }

void TStringChoice::ActivateChecked() {
  // The unchecked one first, so that the checked one's edit keeps the focus.
  TQZRadioBtn* checked = HexMode() ? hexRadio_ : textRadio_;
  TQZRadioBtn* other = HexMode() ? textRadio_ : hexRadio_;
  other->SetControl(other->Control());
  checked->SetControl(checked->Control());
  // Like an edit entered with Tab: typing replaces the history entry it shows.
  if (auto* edit = qobject_cast<QLineEdit*>(checked->Control())) edit->selectAll();
}

void TStringChoice::ConvertTextToHex() {
  hexEdit_->SetASCII(Utf8ToBytes(textEdit_->text().toStdString()));
  hexRadio_->setChecked(true);
  hexEdit_->setFocus(Qt::OtherFocusReason);
}

QWidget* TStringChoice::ActiveEdit() const {
  return HexMode() ? static_cast<QWidget*>(hexEdit_) : static_cast<QWidget*>(textEdit_);
}

void TStringChoice::LoadHistories() {
  textHistory_->Load();
  hexHistory_->Load();
}

void TStringChoice::SaveHistories() {
  textHistory_->Save();
  hexHistory_->Save();
}

void TStringChoice::RememberActiveText() {
  if (HexMode()) {
    hexHistory_->Add(hexEdit_->text());
  } else {
    textHistory_->Add(textEdit_->text());
  }
}

FindFields FindFieldsOf(const TStringChoice& find, const TSearchOptionsBox& options) {
  FindFields fields;
  fields.jokerText = options.JokerText();
  fields.hexMode = find.HexMode();
  fields.findText = find.TextEdit()->text().toStdString();
  fields.findHexText = find.HexEdit()->text().toLatin1().toStdString();
  fields.caseSensitive = options.CaseSensitive();
  fields.regex = options.Regex();
  return fields;
}

}  // namespace quoxa
