#include "search/SearchOptionsBox.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "search/SearchInput.h"
#include "widgets/QZByteEdit.h"

namespace quoxa {

TSearchOptionsBox::TSearchOptionsBox(QWidget* parent)
    : QGroupBox(QStringLiteral("Options"), parent),
      case_(new QCheckBox(QStringLiteral("Case &sensitive"), this)),
      joker_(new QCheckBox(QStringLiteral("&Joker char hex:"), this)),
      jokerEdit_(new TQZByteEdit(this)),
      jokerLabel_(new QLabel(this)),
      regex_(new QCheckBox(QStringLiteral("Re&gular expression"), this)) {
  regex_->setObjectName("CheckBoxRegex");
  case_->setObjectName("CheckBoxCase");
  joker_->setObjectName("CheckBoxJokerFind");
  jokerEdit_->setObjectName("QZByteEditJoker");
  jokerEdit_->SetMaxBytes(1);
  jokerEdit_->setText(QStringLiteral("2E"));
  jokerEdit_->setFixedWidth(jokerEdit_->fontMetrics().horizontalAdvance(QStringLiteral("WWW")) + 12);
  jokerEdit_->installEventFilter(this);
  jokerLabel_->setObjectName("LabelJoker");
  jokerLabel_->setTextFormat(Qt::PlainText);
  jokerLabel_->setMinimumWidth(jokerLabel_->fontMetrics().horizontalAdvance(QStringLiteral("WW")));

  auto* jokerRow = new QHBoxLayout;
  jokerRow->addWidget(joker_);
  jokerRow->addWidget(jokerEdit_);
  jokerRow->addWidget(jokerLabel_);
  jokerRow->addStretch(1);
  auto* column = new QVBoxLayout(this);
  column->addWidget(case_);
  column->addLayout(jokerRow);
  column->addWidget(regex_);
  ShowJokerChar();
}

void TSearchOptionsBox::SetValues(bool caseSensitive, bool jokerEnabled, uint8_t jokerByte, bool regex) {
  case_->setChecked(caseSensitive);
  regex_->setChecked(regex);
  joker_->setChecked(jokerEnabled);
  jokerEdit_->SetASCII(std::string(1, static_cast<char>(jokerByte)));
  ShowJokerChar();
}

bool TSearchOptionsBox::CaseSensitive() const { return case_->isChecked(); }
bool TSearchOptionsBox::JokerEnabled() const { return joker_->isChecked(); }
bool TSearchOptionsBox::Regex() const { return regex_->isChecked(); }
std::string TSearchOptionsBox::JokerText() const { return jokerEdit_->text().toLatin1().toStdString(); }

uint8_t TSearchOptionsBox::JokerByte() const {
  const std::string bytes = jokerEdit_->ASCII();
  return bytes.size() == 1 ? static_cast<uint8_t>(bytes[0]) : 0;
}

void TSearchOptionsBox::ShowJokerChar() {
  const std::string bytes = jokerEdit_->ASCII();
  jokerLabel_->setText(bytes.size() == 1 ? QString::fromStdString(JokerCharText(static_cast<uint8_t>(bytes[0])))
                                         : QString());
}

bool TSearchOptionsBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == jokerEdit_ && event->type() == QEvent::FocusOut) ShowJokerChar();
  return QGroupBox::eventFilter(watched, event);
}

}  // namespace quoxa
