#include "search/FormFind.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/Help.h"
#include "search/SearchDialogs.h"
#include "search/SearchOptionsBox.h"
#include "search/StringChoice.h"
#include "widgets/DialogPlacement.h"
#include "widgets/QZByteEdit.h"

namespace quoxa {

namespace {
constexpr int kHelpFind = 51;
constexpr int kHelpCount = 52;
}  // namespace

TFormFind::TFormFind(QWidget* parent)
    : QDialog(parent),
      find_(new TStringChoice({"RadioButtonText", "&Text string", "EditFindT", "BitBtnConvert", "RadioButtonHex",
                               "&Hex string", "QZByteEditFindH", "QZHistoryBtnFindT", "QZHistoryFindT", "QZHistoryBtnFindH",
                               "QZHistoryFindH"},
                              this)),
      options_(new TSearchOptionsBox(this)),
      down_(new QRadioButton(QStringLiteral("&Down"))),
      up_(new QRadioButton(QStringLiteral("&Up"))),
      cursor_(new QRadioButton(QStringLiteral("&Cursor"))),
      beginEnd_(new QRadioButton(QStringLiteral("&Begin"))) {
  setObjectName("FormFind");
  setWindowTitle(QStringLiteral("Find/Count"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  InitSearchResources();

  down_->setObjectName("rbtDown");
  up_->setObjectName("rbtUp");
  cursor_->setObjectName("rbtCursor");
  beginEnd_->setObjectName("rbtBeginEnd");
  down_->setChecked(true);
  cursor_->setChecked(true);
  connect(up_, &QRadioButton::toggled, this, &TFormFind::DirectionChanged);

  auto* buttons = new QVBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName("ButtonOK");
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName("ButtonCancel");
  auto* help = new QPushButton(QStringLiteral("Help"), this);
  help->setObjectName("ButtonHelp");
  for (QPushButton* b : {ok, cancel, help}) buttons->addWidget(b);
  buttons->addStretch(1);
  connect(ok, &QPushButton::clicked, this, &TFormFind::ButtonOKClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, &TFormFind::ButtonHelpClick);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(RadioGroup(QStringLiteral("Direction"), down_, up_, this));
  bottom->addWidget(RadioGroup(QStringLiteral("Scope from"), cursor_, beginEnd_, this));
  bottom->addStretch(1);
  bottom->addLayout(buttons);

  auto* column = new QVBoxLayout(this);
  column->addWidget(find_);
  column->addWidget(options_);
  column->addLayout(bottom);
  column->setSizeConstraint(QLayout::SetFixedSize);
  find_->LoadHistories();
}

TFormFind::~TFormFind() { find_->SaveHistories(); }

void TFormFind::SetValues(const SearchDialogValues& values) {
  options_->SetValues(values.caseSensitive, values.jokerEnabled, values.jokerByte, values.regexEnabled);
  find_->SetHexMode(values.findHexMode);
  (values.searchDown ? down_ : up_)->setChecked(true);
  (values.fromCursor ? cursor_ : beginEnd_)->setChecked(true);
}

SearchDialogValues TFormFind::Values() const {
  SearchDialogValues values = CurrentDialogValues();
  values.caseSensitive = options_->CaseSensitive();
  values.jokerEnabled = options_->JokerEnabled();
  values.jokerByte = options_->JokerByte();
  values.regexEnabled = options_->Regex();
  values.findHexMode = find_->HexMode();
  values.searchDown = down_->isChecked();
  values.fromCursor = cursor_->isChecked();
  values.findString = findString_;
  return values;
}

void TFormFind::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  find_->ActivateChecked();
  CenterOverActiveWindow(this);
}

void TFormFind::ButtonOKClick() {
  const FieldCheck check = CheckFindFields(FindFieldsOf(*find_, *options_));
  options_->CheckBoxCase()->setChecked(check.caseSensitive);
  if (!check.accepted) {
    FocusField(check.focus, find_, options_, nullptr);
    return;
  }
  findString_ = check.findString;
  find_->RememberActiveText();
  accept();
}

void TFormFind::ButtonHelpClick() { ShowHelpTopic(windowTitle() == QStringLiteral("Find") ? kHelpFind : kHelpCount); }

void TFormFind::DirectionChanged() {
  beginEnd_->setText(up_->isChecked() ? QStringLiteral("&End") : QStringLiteral("&Begin"));
}

}  // namespace quoxa
