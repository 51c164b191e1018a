#include "edit/FormBlockN.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Help.h"
#include "edit/BlockCommands.h"
#include "edit/BlockDialogs.h"
#include "edit/NumberChoice.h"
#include "widgets/DialogPlacement.h"
#include "widgets/QZNumEdit.h"

namespace quoxa {

namespace {
constexpr int kHelpBlockN = 56;
}

TFormBlockN::TFormBlockN(QWidget* parent)
    : QDialog(parent),
      number_(new TNumberChoice(QStringLiteral("Enter <n>"),
                                {"RadioButtonDec", "RadioButtonHex", "QZNumEdit1", "QZHistoryBtnBlockN",
                                 "QZHistoryBlockN"},
                                this)) {
  setObjectName("FormBlockN");
  setWindowTitle(QStringLiteral("Block with <n> chars"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  InitBlockResources();
  number_->setObjectName("GroupBox1");
  number_->TakePositions();
  number_->Edit()->setText(QStringLiteral("0"));

  QVBoxLayout* buttons = DialogButtons(this, [this] { ButtonOKClick(); }, [] { ShowHelpTopic(kHelpBlockN); });
  auto* row = new QHBoxLayout(this);
  row->addWidget(number_);
  row->addLayout(buttons);
  row->setSizeConstraint(QLayout::SetFixedSize);
  number_->LoadHistory();
}

TFormBlockN::~TFormBlockN() { number_->SaveHistory(); }

void TFormBlockN::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  number_->Edit()->setFocus(Qt::OtherFocusReason);
  number_->Edit()->selectAll();
  CenterOverActiveWindow(this);
}

void TFormBlockN::ButtonOKClick() {
  const std::optional<int64_t> n = CheckBlockSize(number_->Text().toStdString());
  if (!n) {
    number_->Edit()->setFocus(Qt::OtherFocusReason);
    number_->Edit()->selectAll();
    return;
  }
  n_ = *n;
  number_->RememberText();
  accept();
}

}  // namespace quoxa
