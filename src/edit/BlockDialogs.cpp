#include "edit/BlockDialogs.h"

#include <QDialog>
#include <QPushButton>

#include "core/Block.h"
#include "core/FileQuestion.h"
#include "core/Messages.h"
#include "edit/BlockCommands.h"
#include "edit/FormBlockN.h"
#include "edit/FormIns.h"
#include "edit/InsertString.h"
#include "settings/Options.h"
#include "widgets/QZNumEdit.h"

// Outside the namespace: the resource's initialiser is a global function.
static void InitBlockHelp() { Q_INIT_RESOURCE(blockhelp); }

namespace quoxa {

namespace {

void BlockCharsCommand(QWidget* owner) {
  TFormBlockN form(owner);
  if (form.exec() == QDialog::Accepted) MarkBlockOfSize(form.N());
}

void StringCommand(QWidget* owner, bool overwrite) {
  TFormIns form(owner);
  if (overwrite) form.SetOverwriteMode();
  form.SetHexMode(Options().InsHex);
  if (form.exec() != QDialog::Accepted) return;
  if (overwrite) {
    OverwriteString(form.Result());
  } else {
    InsertString(form.Result());
  }
}

void WriteBlockCommand(IFileAsker& host) {
  if (!BlockMarked()) {
    ShowError(msg::kNoBlockMarked);
    return;
  }
  FileQuestion question;
  question.save = true;
  question.title = kSaveAsTitle;
  question.startDir = Options().CurrentDir;
  const FileAnswer answer = host.AskFileName(question);
  if (answer.ok) WriteBlockTo(answer.path);
}

}  // namespace

bool RunBlockCommand(QWidget* owner, IFileAsker& host, Cmd cmd) {
  switch (cmd) {
    case Cmd::BlockDelete:
    case Cmd::BtnDel:
      DeleteBlock();
      return true;
    case Cmd::BlockCopy:
    case Cmd::BlockCopyOverwrite:
    case Cmd::BlockMove:
      BlockCopyClick(cmd);
      return true;
    case Cmd::BlockChars:
      BlockCharsCommand(owner);
      return true;
    case Cmd::WriteBlock:
      WriteBlockCommand(host);
      return true;
    case Cmd::InsertString:
    case Cmd::OverwriteString:
      StringCommand(owner, cmd == Cmd::OverwriteString);
      return true;
    default:
      return false;
  }
}

void InitBlockResources() {
  static const bool done = (InitBlockHelp(), true);
  (void)done;
}

QVBoxLayout* DialogButtons(QDialog* dialog, const std::function<void()>& onOK, const std::function<void()>& onHelp) {
  auto* buttons = new QVBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
  ok->setObjectName("ButtonOK");
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
  cancel->setObjectName("ButtonCancel");
  // Leaving a numeric edit for Cancel or Help does not insist on its number.
  cancel->setProperty(TQZNumEdit::kIgnoresInput, true);
  for (QPushButton* b : {ok, cancel}) buttons->addWidget(b);
  QObject::connect(ok, &QPushButton::clicked, dialog, onOK);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  if (onHelp) {
    auto* help = new QPushButton(QStringLiteral("Help"), dialog);
    help->setObjectName("ButtonHelp");
    help->setProperty(TQZNumEdit::kIgnoresInput, true);
    buttons->addWidget(help);
    QObject::connect(help, &QPushButton::clicked, dialog, onHelp);
  }
  buttons->addStretch(1);
  return buttons;
}

}  // namespace quoxa
