#include "edit/FormJump.h"

#include <QHBoxLayout>

#include "core/DocState.h"
#include "core/Messages.h"
#include "edit/BlockDialogs.h"
#include "edit/JumpCommands.h"
#include "edit/NumberChoice.h"
#include "widgets/DialogPlacement.h"
#include "widgets/QZNumEdit.h"

namespace quoxa {

TFormJump::TFormJump(QWidget* parent)
    : QDialog(parent),
      number_(new TNumberChoice(QStringLiteral("Jump width"),
                                {"RadioButtonDec", "RadioButtonHex", "QZNumEdit1", "QZHistoryBtnJump", "QZHistoryJump"},
                                this)) {
  setObjectName("FormJump");
  setWindowTitle(QStringLiteral("Enter jump width"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  number_->TakePositions();
  number_->Edit()->setText(QStringLiteral("0"));

  auto* row = new QHBoxLayout(this);
  row->addWidget(number_);
  row->addLayout(DialogButtons(this, [this] { ButtonOKClick(); }, nullptr));
  row->setSizeConstraint(QLayout::SetFixedSize);
  number_->LoadHistory();
}

TFormJump::~TFormJump() { number_->SaveHistory(); }

void TFormJump::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  number_->Edit()->setFocus(Qt::OtherFocusReason);
  number_->Edit()->selectAll();
  CenterOverActiveWindow(this);
}

void TFormJump::ButtonOKClick() {
  const std::optional<int64_t> width = CheckJumpWidth(number_->Text().toStdString(), Doc().DocSize);
  if (!width) {
    ShowError(msg::kJumpWidthInvalid);
    number_->Edit()->setFocus(Qt::OtherFocusReason);
    number_->Edit()->selectAll();
    return;
  }
  width_ = *width;
  number_->RememberText();
  accept();
}

}  // namespace quoxa
