#include "edit/FormGoto.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/DocState.h"
#include "core/Help.h"
#include "core/HelpTopics.h"
#include "core/Messages.h"
#include "edit/BlockDialogs.h"
#include "edit/GotoCommands.h"
#include "edit/GotoDialogs.h"
#include "edit/NumberChoice.h"
#include "settings/Options.h"
#include "widgets/DialogPlacement.h"
#include "widgets/QZNumEdit.h"

namespace quoxa {

namespace {

void FocusNumber(TNumberChoice* number) {
  number->Edit()->setFocus(Qt::OtherFocusReason);
  number->Edit()->selectAll();
}

}  // namespace

TFormGoto::TFormGoto(QWidget* parent)
    : QDialog(parent),
      number_(new TNumberChoice(QStringLiteral("Go to"),
                                {"RadioButtonDec", "RadioButtonHex", "QZNumEdit1", "QZHistoryBtnGoTo", "QZHistoryGoTo"},
                                this)) {
  setObjectName("FormGoto");
  setWindowTitle(QStringLiteral("Go to address"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  InitAddressResources();
  number_->TakePositions();
  number_->Edit()->setText(QStringLiteral("0"));

  auto* modeGroup = new QGroupBox(QStringLiteral("Go mode"), this);
  modeGroup->setObjectName("RadioGroupGoMode");
  auto* modeColumn = new QVBoxLayout(modeGroup);
  const char* captions[] = {"&absolute", "relative d&own", "relative &up"};
  for (size_t i = 0; i < modes_.size(); ++i) {
    modes_[i] = new QRadioButton(QString::fromLatin1(captions[i]), modeGroup);
    modes_[i]->setObjectName(QStringLiteral("RadioGoMode%1").arg(i));
    modeColumn->addWidget(modes_[i]);
  }
  const int64_t start = Options().GotoMode;
  modes_[start >= 0 && start < 3 ? static_cast<size_t>(start) : 0]->setChecked(true);

  auto* left = new QVBoxLayout;
  left->addWidget(number_);
  left->addWidget(modeGroup);
  auto* row = new QHBoxLayout(this);
  row->addLayout(left);
  row->addLayout(DialogButtons(this, [this] { ButtonOKClick(); }, [] { ShowHelpTopic(help::kGoto); }));
  row->setSizeConstraint(QLayout::SetFixedSize);
  number_->LoadHistory();
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
  FocusNumber(number_);
  CenterOverActiveWindow(this);
}

void TFormGoto::ButtonOKClick() {
  const std::optional<int64_t> position =
      GotoTarget(number_->Text().toStdString(), Mode(), CursorAddress(), Doc().DocSize, DisplayAddress(1));
  if (!position) {
    ShowError(msg::kAddressInvalid);
    FocusNumber(number_);
    return;
  }
  position_ = *position;
  number_->RememberText();
  accept();
}

}  // namespace quoxa
