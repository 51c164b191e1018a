#include "edit/FormJump.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/DocState.h"
#include "core/Messages.h"
#include "edit/GotoNumberBox.h"
#include "edit/JumpCommands.h"
#include "widgets/DialogPlacement.h"
#include "widgets/QZNumEdit.h"

namespace quoxa {

TFormJump::TFormJump(QWidget* parent)
    : QDialog(parent),
      number_(new TGotoNumberBox(QStringLiteral("Jump width"), QStringLiteral("QZHistoryBtnJump"),
                                 QStringLiteral("QZHistoryJump"), this)) {
  setObjectName("FormJump");
  setWindowTitle(QStringLiteral("Enter jump width"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* buttons = new QVBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName("ButtonOK");
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName("ButtonCancel");
  cancel->setProperty(TQZNumEdit::kIgnoresInput, true);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch(1);
  connect(ok, &QPushButton::clicked, this, &TFormJump::ButtonOKClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* row = new QHBoxLayout(this);
  row->addWidget(number_);
  row->addLayout(buttons);
  row->setSizeConstraint(QLayout::SetFixedSize);
}

TFormJump::~TFormJump() { number_->SaveHistory(); }

void TFormJump::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  number_->FocusEdit();
  CenterOverActiveWindow(this);
}

void TFormJump::ButtonOKClick() {
  const std::optional<int32_t> width = CheckJumpWidth(number_->Text(), DocSize);
  if (!width) {
    ShowError(msg::kJumpWidthInvalid);
    number_->FocusEdit();
    return;
  }
  width_ = *width;
  number_->RememberText();
  accept();
}

}  // namespace quoxa
