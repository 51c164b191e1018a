#include "edit/FormIns.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Help.h"
#include "edit/BlockDialogs.h"
#include "edit/NumberChoice.h"
#include "search/StringChoice.h"
#include "widgets/DialogPlacement.h"
#include "widgets/QZByteEdit.h"
#include "widgets/QZNumEdit.h"

namespace quoxa {

namespace {
constexpr int kHelpInsert = 50;
constexpr int kHelpOverwrite = 72;
}  // namespace

TFormIns::TFormIns(QWidget* parent)
    : QDialog(parent),
      group1_(new QGroupBox(QStringLiteral("Insert"), this)),
      string_(new TStringChoice({"RadioButtonText", "&Text string", "EditInsT", "BitBtnConvert", "RadioButtonHex",
                                 "&Hex string", "QZByteEditInsH", "QZHistoryBtnInsT", "QZHistoryInsT",
                                 "QZHistoryBtnInsH", "QZHistoryInsH"},
                                group1_)),
      count_(new TNumberChoice(QStringLiteral("Insert <n> times"),
                               {"RadioButtonDecN", "RadioButtonHexN", "QZNumEdit1", "QZHistoryBtnInsN",
                                "QZHistoryInsN"},
                               this)),
      helpTopic_(kHelpInsert) {
  setObjectName("FormIns");
  setWindowTitle(QStringLiteral("Insert"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  InitBlockResources();
  group1_->setObjectName("GroupBox1");
  count_->setObjectName("GroupBox2");
  string_->ConvertButton()->setText(QStringLiteral("Te&xt -> Hex"));
  count_->Edit()->SetMax(99999999.9L);
  count_->Edit()->SetValue(1);

  auto* inner = new QVBoxLayout(group1_);
  inner->addWidget(string_);
  QVBoxLayout* buttons = DialogButtons(this, [this] { ButtonOKClick(); }, [this] { ShowHelpTopic(helpTopic_); });
  auto* left = new QVBoxLayout;
  left->addWidget(group1_);
  left->addWidget(count_);
  left->addStretch(1);
  auto* row = new QHBoxLayout(this);
  row->addLayout(left);
  row->addLayout(buttons);
  row->setSizeConstraint(QLayout::SetFixedSize);
  string_->LoadHistories();
  count_->LoadHistory();
}

TFormIns::~TFormIns() {
  string_->SaveHistories();
  count_->SaveHistory();
}

void TFormIns::SetOverwriteMode() {
  setWindowTitle(QStringLiteral("Overwrite"));
  group1_->setTitle(QStringLiteral("Overwrite"));
  count_->hide();
  helpTopic_ = kHelpOverwrite;
}

void TFormIns::SetHexMode(bool hex) { string_->SetHexMode(hex); }

void TFormIns::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  string_->ActivateChecked();
  CenterOverActiveWindow(this);
}

void TFormIns::ButtonOKClick() {
  InsFields fields;
  fields.hexMode = string_->HexMode();
  fields.text = string_->TextEdit()->text().toStdString();
  fields.hexText = string_->HexEdit()->text().toLatin1().toStdString();
  fields.countShown = !count_->isHidden();
  fields.countText = count_->Text().toLatin1().toStdString();
  const InsCheck check = CheckInsFields(fields);
  if (!check.accepted) {
    QLineEdit* target = nullptr;
    switch (check.focus) {
      case InsField::Text: target = string_->TextEdit(); break;
      case InsField::Hex: target = string_->HexEdit(); break;
      case InsField::Count: target = count_->Edit(); break;
      case InsField::None: break;
    }
    if (target != nullptr) {
      target->setFocus(Qt::OtherFocusReason);
      target->selectAll();
    }
    return;
  }
  result_ = check;
  string_->RememberActiveText();
  if (fields.countShown) count_->RememberText();
  accept();
}

}  // namespace quoxa
