#include "widgets/ListChoiceForm.h"

#include <QListWidget>
#include <QPushButton>

#include "core/Help.h"
#include "widgets/DialogLayout.h"
#include "widgets/DialogPlacement.h"

namespace quoxa {

TListChoiceForm::TListChoiceForm(const ListRequest& request, int index, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromStdString(request.caption));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  const bool withHelp = request.helpTopic != 0;
  const ListBoxLayout layout = LayoutListBox(DialogUnitsFor(font()), request.withDelete, withHelp);
  setFixedSize(layout.clientW, layout.clientH);

  list_ = new QListWidget(this);
  list_->setObjectName("List");
  list_->setGeometry(ToRect(layout.list));
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  for (const std::string& item : request.items) list_->addItem(QString::fromStdString(item));
  if (index >= 0 && index < list_->count()) list_->setCurrentRow(index);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

  auto* ok = new QPushButton(tr("&OK"), this);
  ok->setObjectName("OK");
  ok->setGeometry(ToRect(layout.ok));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  if (request.withDelete) {
    delete_ = new QPushButton(tr("Delete"), this);
    delete_->setObjectName("Delete");
    delete_->setGeometry(ToRect(layout.del));
    connect(delete_, &QPushButton::clicked, this, &TListChoiceForm::DeleteSelected);
  }

  auto* cancel = new QPushButton(tr("Cancel"), this);
  cancel->setObjectName("Cancel");
  cancel->setGeometry(ToRect(layout.cancel));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  if (withHelp) {
    auto* help = new QPushButton(tr("Help"), this);
    help->setObjectName("Help");
    help->setGeometry(ToRect(layout.help));
    const int topic = request.helpTopic;
    connect(help, &QPushButton::clicked, this, [topic] { ShowHelpTopic(topic); });
  }
  list_->setFocus();
  CenterOverActiveWindow(this);
}

void TListChoiceForm::DeleteSelected() {
  const int row = list_->currentRow();
  if (row >= 0) delete list_->takeItem(row);
}

std::vector<std::string> TListChoiceForm::Items() const {
  std::vector<std::string> items;
  for (int i = 0; i < list_->count(); ++i) items.push_back(list_->item(i)->text().toStdString());
  return items;
}

int TListChoiceForm::Index() const { return list_->currentRow(); }

}  // namespace quoxa
