#include "edit/GotoNumberBox.h"

#include <QGridLayout>
#include <QRadioButton>

#include "settings/QZHistoryBtn.h"
#include "widgets/QZNumEdit.h"

namespace quoxa {

namespace {
constexpr int kEditWidth = 140;
}

TGotoNumberBox::TGotoNumberBox(const QString& title, const QString& historyName, const QString& section,
                               QWidget* parent)
    : QGroupBox(title, parent),
      dec_(new QRadioButton(QStringLiteral("&decimal"), this)),
      hex_(new QRadioButton(QStringLiteral("&hexadecimal"), this)),
      edit_(new TQZNumEdit(this)),
      history_(new TQZHistoryBtn(this)) {
  dec_->setObjectName("RadioButtonDec");
  hex_->setObjectName("RadioButtonHex");
  edit_->setObjectName("QZNumEdit1");
  edit_->setMinimumWidth(kEditWidth);
  edit_->SetMax(99999999.9L);
  edit_->setText(QStringLiteral("0"));
  history_->setObjectName(historyName);
  history_->IniSection = section;
  history_->SetEdit(edit_);
  dec_->setChecked(true);

  auto* grid = new QGridLayout(this);
  grid->addWidget(dec_, 0, 0);
  grid->addWidget(hex_, 1, 0);
  grid->addWidget(edit_, 0, 1, 2, 1, Qt::AlignVCenter);
  // The history button sits on the edit's right edge, in this column.
  grid->setColumnMinimumWidth(2, TQZHistoryBtn::kButtonWidth);
  grid->setColumnStretch(1, 1);

  connect(hex_, &QRadioButton::toggled, edit_, &TQZNumEdit::SetHex);
  // Choosing the number's form is followed by typing it.
  for (QRadioButton* radio : {dec_, hex_}) connect(radio, &QRadioButton::clicked, this, &TGotoNumberBox::FocusEdit);
  connect(edit_, &TQZNumEdit::HexChanged, this, [this](bool hex) { (hex ? hex_ : dec_)->setChecked(true); });
  history_->OnSelect = [this](TQZHistoryBtn*, QString& text, bool&) { FollowDollar(text); };

  history_->Load();
  FollowDollar(edit_->text());
  edit_->Validate();
}

void TGotoNumberBox::FollowDollar(const QString& text) { (text.contains('$') ? hex_ : dec_)->setChecked(true); }

std::string TGotoNumberBox::Text() const { return edit_->text().toLatin1().toStdString(); }

void TGotoNumberBox::RememberText() { history_->Add(edit_->text()); }

void TGotoNumberBox::SaveHistory() { history_->Save(); }

void TGotoNumberBox::FocusEdit() {
  edit_->setFocus(Qt::OtherFocusReason);
  edit_->selectAll();
}

}  // namespace quoxa
