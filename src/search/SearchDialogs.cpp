#include "search/SearchDialogs.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "search/FormFind.h"
#include "search/FormReplace.h"
#include "search/FormStrings.h"
#include "search/SearchCommands.h"
#include "search/SearchOptionsBox.h"
#include "search/StringChoice.h"
#include "widgets/QZByteEdit.h"

// Outside the namespace: the resource's initialiser is a global function.
static void InitSearchHelp() { Q_INIT_RESOURCE(searchhelp); }

namespace quoxa {

namespace {

// Opens the Find/Count dialog under caption; true on OK, after copying its values back.
bool AskFind(QWidget* owner, const QString& caption) {
  TFormFind form(owner);
  form.setWindowTitle(caption);
  form.SetValues(CurrentDialogValues());
  if (form.exec() != QDialog::Accepted) return false;
  ApplyFindValues(form.Values());
  return true;
}

ReplaceChoice AskReplace(QWidget* owner) {
  TFormReplace form(owner);
  form.SetValues(CurrentDialogValues());
  if (form.exec() != QDialog::Accepted) return ReplaceChoice::Cancel;
  ApplyReplaceValues(form.Values());
  return form.Choice();
}

}  // namespace

bool RunSearchCommand(QWidget* owner, Cmd cmd) {
  switch (cmd) {
    case Cmd::Find:
    case Cmd::BtnFind:
      AfterFindDialog(AskFind(owner, QStringLiteral("Find")));
      return true;
    case Cmd::FindDown:
      FindAgainDown(true);
      return true;
    case Cmd::FindUp:
      FindAgainUp(true);
      return true;
    case Cmd::Count:
      if (AskFind(owner, QStringLiteral("Count"))) CountCommand();
      return true;
    case Cmd::Replace:
    case Cmd::BtnReplace:
      AfterReplaceDialog(AskReplace(owner));
      return true;
    case Cmd::ReplaceAgain:
      ReplaceAgainDown(true);
      return true;
    case Cmd::ReplaceUndo:
      ReplaceUndoCommand();
      return true;
    case Cmd::Strings:
      RunStringsDialog(owner);
      return true;
    default:
      return false;
  }
}

void InitSearchResources() {
  static const bool done = (InitSearchHelp(), true);
  (void)done;
}

QGroupBox* RadioGroup(const QString& title, QRadioButton* first, QRadioButton* second, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(first);
  layout->addWidget(second);
  return box;
}

void FocusField(DialogField field, TStringChoice* find, TSearchOptionsBox* options, TStringChoice* replace) {
  QWidget* target = nullptr;
  switch (field) {
    case DialogField::Joker: target = options->QZByteEditJoker(); break;
    case DialogField::FindText: target = find->TextEdit(); break;
    case DialogField::FindHex: target = find->HexEdit(); break;
    case DialogField::ReplaceText: target = replace != nullptr ? replace->TextEdit() : nullptr; break;
    case DialogField::ReplaceHex: target = replace != nullptr ? replace->HexEdit() : nullptr; break;
    case DialogField::None: break;
  }
  if (target != nullptr) target->setFocus(Qt::OtherFocusReason);
}

}  // namespace quoxa
