#include "widgets/QtMessages.h"

#include <QApplication>

#include "widgets/InputBoxForm.h"
#include "widgets/ListChoiceForm.h"
#include "widgets/MessageForm.h"

namespace quoxa {

bool PlatformHasUser() {
  const QString platform = QGuiApplication::platformName();
  return platform != "offscreen" && platform != "minimal";
}

int TQtMessages::Message(const MessageRequest& request) {
  if (!interactive_) {
    WriteMessageToStderr(request);
    return ResultForButton(request.defaultButton != 0 ? request.defaultButton : FirstButton(request.buttons));
  }
  TMessageForm form(request, QApplication::activeWindow());
  return form.exec();
}

bool TQtMessages::Input(const InputRequest& request, std::string& value) {
  if (!interactive_) return false;
  TInputBoxForm form(request, QString::fromStdString(value), QApplication::activeWindow());
  if (form.exec() != QDialog::Accepted) return false;
  value = form.Value().toStdString();
  return true;
}

bool TQtMessages::List(ListRequest& request, int& index) {
  if (!interactive_) return false;
  TListChoiceForm form(request, index, QApplication::activeWindow());
  const bool ok = form.exec() == QDialog::Accepted;
  request.items = form.Items();
  if (ok) index = form.Index();
  return ok;
}

}  // namespace quoxa
