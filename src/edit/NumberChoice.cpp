#include "edit/NumberChoice.h"

#include <QGridLayout>
#include <QRadioButton>

#include "settings/QZHistoryBtn.h"
#include "widgets/QZNumEdit.h"

namespace quoxa {

namespace {
constexpr int kEditWidth = 120;
}

TNumberChoice::TNumberChoice(const QString& title, const Names& names, QWidget* parent)
    : QGroupBox(title, parent),
      dec_(new QRadioButton(QStringLiteral("&decimal"), this)),
      hex_(new QRadioButton(QStringLiteral("&hexadecimal"), this)),
      edit_(new TQZNumEdit(this)),
      history_(new TQZHistoryBtn(this)) {
  dec_->setObjectName(names.decRadio);
  hex_->setObjectName(names.hexRadio);
  edit_->setObjectName(names.edit);
  edit_->setMinimumWidth(kEditWidth);
  history_->setObjectName(names.history);
  history_->IniSection = names.section;
  history_->SetEdit(edit_);
  dec_->setChecked(true);

  auto* grid = new QGridLayout(this);
  grid->addWidget(dec_, 0, 0);
  grid->addWidget(hex_, 1, 0);
  grid->addWidget(edit_, 0, 1, 2, 1, Qt::AlignVCenter);
  // The history button sits on the edit's right edge, in this column.
  grid->setColumnMinimumWidth(2, TQZHistoryBtn::kButtonWidth);
  grid->setColumnStretch(3, 1);

  connect(hex_, &QRadioButton::toggled, edit_, [this](bool on) { edit_->SetHex(on); });
  // A "$" typed or pasted switches the edit; the radios show it.
  connect(edit_, &TQZNumEdit::HexChanged, this, [this](bool on) { (on ? hex_ : dec_)->setChecked(true); });
  history_->OnSelect = [this](TQZHistoryBtn*, QString& text, bool&) { FollowText(text); };
  // Choosing the number's form is followed by typing the number.
  for (QRadioButton* radio : {dec_, hex_}) {
    connect(radio, &QRadioButton::clicked, this, [this] {
      edit_->setFocus(Qt::OtherFocusReason);
      edit_->selectAll();
    });
  }
}

void TNumberChoice::FollowText(const QString& text) {
  (text.contains(QLatin1Char('$')) ? hex_ : dec_)->setChecked(true);
}

QString TNumberChoice::Text() const {
  const QString text = edit_->text().trimmed();
  return edit_->Hex() && !text.isEmpty() && !text.contains(QLatin1Char('$')) ? QLatin1Char('$') + text : text;
}

void TNumberChoice::LoadHistory() {
  history_->Load();
  FollowText(edit_->text());
  // The edit's number is the entry it shows, also for what Escape and a failed check restore.
  edit_->Validate();
}

void TNumberChoice::SaveHistory() { history_->Save(); }

void TNumberChoice::TakePositions() {
  edit_->SetDigitsInt(18);
  edit_->SetMax(999999999999999999.0L);
  // A pasted "-5" or "1.5" reaches the dialog's check as it is, never rounded or clamped.
  edit_->SetStrict(true);
}

void TNumberChoice::RememberText() { history_->Add(Text()); }

}  // namespace quoxa
