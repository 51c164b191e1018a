#include "search/FormReplace.h"

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

constexpr int kHelpReplace = 53;

QGroupBox* Framed(const QString& title, QWidget* content, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(content);
  return box;
}

}  // namespace

TFormReplace::TFormReplace(QWidget* parent)
    : QDialog(parent),
      find_(new TStringChoice({"RadioButtonFindT", "&Text string", "EditFindT", "BitBtnConvFind", "RadioButtonFindH",
                               "&Hex string", "QZByteEditFindH", "QZHistoryBtnFindT", "QZHistoryFindT", "QZHistoryBtnFindH",
                               "QZHistoryFindH"})),
      replace_(new TStringChoice({"RadioButtonReplT", "T&ext string", "EditReplT", "BitBtnConvertRepl",
                                  "RadioButtonReplH", "He&x string", "QZByteEditReplH", "QZHistoryBtnReplT", "QZHistoryReplT",
                                  "QZHistoryBtnReplH", "QZHistoryReplH"})),
      options_(new TSearchOptionsBox(this)),
      cursor_(new QRadioButton(QStringLiteral("&Cursor"))),
      begin_(new QRadioButton(QStringLiteral("&Begin"))) {
  setObjectName("FormReplace");
  setWindowTitle(QStringLiteral("Replace"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  InitSearchResources();
  cursor_->setObjectName("rbtCursor");
  begin_->setObjectName("rbtBeginEnd");
  cursor_->setChecked(true);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName("ButtonOK");
  ok->setDefault(true);
  auto* all = new QPushButton(QStringLiteral("Replace &all"), this);
  all->setObjectName("ButtonReplAll");
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName("ButtonCancel");
  auto* help = new QPushButton(QStringLiteral("Help"), this);
  help->setObjectName("ButtonHelp");
  connect(ok, &QPushButton::clicked, this, [this] { Confirm(ReplaceChoice::ReplaceOne); });
  connect(all, &QPushButton::clicked, this, [this] { Confirm(ReplaceChoice::ReplaceAll); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpReplace); });

  auto* middle = new QHBoxLayout;
  middle->addWidget(options_, 1);
  middle->addWidget(RadioGroup(QStringLiteral("Scope from"), cursor_, begin_, this));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* b : {ok, all, cancel, help}) buttons->addWidget(b);

  auto* column = new QVBoxLayout(this);
  column->addWidget(Framed(QStringLiteral("Find"), find_, this));
  column->addWidget(Framed(QStringLiteral("Replace with"), replace_, this));
  column->addLayout(middle);
  column->addLayout(buttons);
  column->setSizeConstraint(QLayout::SetFixedSize);
  // The controls are made before their group boxes: Tab follows the layout instead.
  SetTabChain({find_, replace_, options_, cursor_, begin_, ok, all, cancel, help});
  find_->LoadHistories();
  replace_->LoadHistories();
}

TFormReplace::~TFormReplace() {
  find_->SaveHistories();
  replace_->SaveHistories();
}

void TFormReplace::SetValues(const SearchDialogValues& values) {
  options_->SetValues(values.caseSensitive, values.jokerEnabled, values.jokerByte, values.regexEnabled);
  find_->SetHexMode(values.findHexMode);
  replace_->SetHexMode(values.replaceHexMode);
  (values.fromCursor ? cursor_ : begin_)->setChecked(true);
}

SearchDialogValues TFormReplace::Values() const {
  SearchDialogValues values = CurrentDialogValues();
  values.caseSensitive = options_->CaseSensitive();
  values.jokerEnabled = options_->JokerEnabled();
  values.jokerByte = options_->JokerByte();
  values.regexEnabled = options_->Regex();
  values.findHexMode = find_->HexMode();
  values.replaceHexMode = replace_->HexMode();
  values.fromCursor = cursor_->isChecked();
  values.findString = findString_;
  values.replaceString = replaceString_;
  return values;
}

void TFormReplace::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  replace_->ActivateChecked();
  find_->ActivateChecked();
  CenterOverActiveWindow(this);
}

void TFormReplace::Confirm(ReplaceChoice choice) {
  ReplaceFields replacement;
  replacement.hexMode = replace_->HexMode();
  replacement.replaceText = replace_->TextEdit()->text().toStdString();
  replacement.replaceHexText = replace_->HexEdit()->text().toLatin1().toStdString();
  const FieldCheck check = CheckReplaceFields(FindFieldsOf(*find_, *options_), replacement);
  options_->CheckBoxCase()->setChecked(check.caseSensitive);
  if (!check.accepted) {
    FocusField(check.focus, find_, options_, replace_);
    return;
  }
  findString_ = check.findString;
  replaceString_ = check.replaceString;
  choice_ = choice;
  find_->RememberActiveText();
  replace_->RememberActiveText();
  accept();
}

}  // namespace quoxa
