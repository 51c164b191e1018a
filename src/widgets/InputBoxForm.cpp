#include "widgets/InputBoxForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/Help.h"
#include "widgets/DialogLayout.h"
#include "widgets/DialogPlacement.h"

namespace quoxa {

TInputBoxForm::TInputBoxForm(const InputRequest& request, const QString& value, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromStdString(request.caption));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  const bool withHelp = request.helpTopic != 0;
  const InputBoxLayout layout = LayoutInputBox(DialogUnitsFor(font()), withHelp);
  setFixedSize(layout.clientW, layout.clientH);

  auto* prompt = new QLabel(this);
  prompt->setTextFormat(Qt::PlainText);
  prompt->setText(QString::fromStdString(request.prompt));
  prompt->move(layout.prompt.x, layout.prompt.y);
  prompt->adjustSize();

  edit_ = new QLineEdit(this);
  edit_->setObjectName("Edit");
  edit_->setMaxLength(static_cast<int>(kInputBoxMaxLength));
  edit_->setText(value);
  edit_->selectAll();
  edit_->setGeometry(ToRect(layout.edit));
  prompt->setBuddy(edit_);

  auto* ok = new QPushButton(tr("&OK"), this);
  ok->setObjectName("OK");
  ok->setGeometry(ToRect(layout.ok));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* cancel = new QPushButton(tr("Cancel"), this);
  cancel->setObjectName("Cancel");
  cancel->setGeometry(ToRect(layout.cancel));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  if (withHelp) {
    help_ = new QPushButton(tr("Help"), this);
    help_->setObjectName("Help");
    help_->setGeometry(ToRect(layout.help));
    const int topic = request.helpTopic;
    connect(help_, &QPushButton::clicked, this, [topic] { ShowHelpTopic(topic); });
  }
  edit_->setFocus();
  CenterOverActiveWindow(this);
}

QString TInputBoxForm::Value() const { return edit_->text(); }

}  // namespace quoxa
