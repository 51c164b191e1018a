#pragma once
// The list-selection box, optionally with a Delete button.

#include <QDialog>

#include "core/Messages.h"

class QListWidget;
class QPushButton;

namespace quoxa {

class TListChoiceForm : public QDialog {
  Q_OBJECT

 public:
  TListChoiceForm(const ListRequest& request, int index, QWidget* parent = nullptr);

  // The entries still shown (Delete removes from this copy) and the selected one.
  std::vector<std::string> Items() const;
  int Index() const;

  QListWidget* List() const { return list_; }
  QPushButton* DeleteButton() const { return delete_; }

 private:
  void DeleteSelected();

  QListWidget* list_ = nullptr;
  QPushButton* delete_ = nullptr;
};

}  // namespace quoxa
