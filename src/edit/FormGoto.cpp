#include "edit/FormGoto.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/DocState.h"
#include "core/Help.h"
#include "core/Messages.h"
#include "edit/GotoCommands.h"
#include "edit/GotoDialogs.h"
#include "edit/GotoNumberBox.h"
#include "settings/Options.h"
#include "ui/main/HelpTopics.h"
#include "widgets/DialogPlacement.h"
#include "widgets/QZNumEdit.h"

namespace quoxa {

TFormGoto::TFormGoto(QWidget* parent)
    : QDialog(parent),
      number_(new TGotoNumberBox(QStringLiteral("Go to"), QStringLiteral("QZHistoryBtnGoTo"),
                                 QStringLiteral("QZHistoryGoTo"), this)) {
  setObjectName("FormGoto");
  setWindowTitle(QStringLiteral("Go to address"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  InitAddressResources();

  auto* modeGroup = new QGroupBox(QStringLiteral("Go mode"), this);
  modeGroup->setObjectName("RadioGroupGoMode");
  auto* modeColumn = new QVBoxLayout(modeGroup);
  const char* captions[] = {"&absolute", "relative d&own", "relative &up"};
  for (size_t i = 0; i < modes_.size(); ++i) {
    modes_[i] = new QRadioButton(QString::fromLatin1(captions[i]), modeGroup);
    modes_[i]->setObjectName(QStringLiteral("RadioGoMode%1").arg(i));
    modeColumn->addWidget(modes_[i]);
  }
  const int32_t start = Options().GotoMode;
  modes_[start >= 0 && start < 3 ? static_cast<size_t>(start) : 0]->setChecked(true);

  auto* buttons = new QVBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName("ButtonOK");
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName("ButtonCancel");
  auto* help = new QPushButton(QStringLiteral("Help"), this);
  help->setObjectName("ButtonHelp");
  for (QPushButton* b : {cancel, help}) b->setProperty(TQZNumEdit::kIgnoresInput, true);
  for (QPushButton* b : {ok, cancel, help}) buttons->addWidget(b);
  buttons->addStretch(1);
  connect(ok, &QPushButton::clicked, this, &TFormGoto::ButtonOKClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(help::kGoto); });

  auto* left = new QVBoxLayout;
  left->addWidget(number_);
  left->addWidget(modeGroup);
  auto* row = new QHBoxLayout(this);
  row->addLayout(left);
  row->addLayout(buttons);
  row->setSizeConstraint(QLayout::SetFixedSize);
}

TFormGoto::~TFormGoto() { number_->SaveHistory(); }

int32_t TFormGoto::Mode() const {
  for (size_t i = 0; i < modes_.size(); ++i) {
    if (modes_[i]->isChecked()) return static_cast<int32_t>(i);
  }
  return kGotoAbsolute;
}

void TFormGoto::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  number_->FocusEdit();
  CenterOverActiveWindow(this);
}

void TFormGoto::ButtonOKClick() {
  const std::optional<int32_t> position = GotoTarget(number_->Text(), Mode(), CursorAddress(), DocSize, BaseAddress);
  if (!position) {
    ShowError(msg::kAddressInvalid);
    number_->FocusEdit();
    return;
  }
  position_ = *position;
  number_->RememberText();
  accept();
}

}  // namespace quoxa
