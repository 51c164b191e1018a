#include "core/Messages.h"

#include <bit>
#include <cstdio>

#include "core/View.h"

namespace quoxa {

namespace {

class StderrMessages final : public IMessages {
 public:
  int Message(const MessageRequest& request) override {
    WriteMessageToStderr(request);
    return ResultForButton(request.defaultButton != 0 ? request.defaultButton : FirstButton(request.buttons));
  }
  bool Input(const InputRequest&, std::string&) override { return false; }
  bool List(ListRequest&, int&) override { return false; }
};

StderrMessages fallbackMessages;
IMessages* installedMessages = &fallbackMessages;

}  // namespace

void InstallMessages(IMessages* messages) { installedMessages = messages != nullptr ? messages : &fallbackMessages; }

int ResultForButton(unsigned button) {
  switch (button) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOK;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
    case mbAll: return mrAll;
    default: return mrNone;
  }
}

unsigned FirstButton(unsigned buttons) {
  const unsigned shown = buttons & ~unsigned{mbHelp};
  return shown == 0 ? 0 : (1u << std::countr_zero(shown));
}

std::string CaptionFor(MsgType type, const std::string& appTitle) {
  switch (type) {
    case MsgType::Warning: return "Warning";
    case MsgType::Error: return "Error";
    case MsgType::Information: return "Information";
    case MsgType::Confirmation: return "Confirmation";
    case MsgType::Custom: return appTitle;
  }
  return appTitle;
}

std::string VisibleText(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if ((byte < 0x20 && ch != '\t' && ch != '\n' && ch != '\r') || byte == 0x7F) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      shown += escape;
    } else {
      shown += ch;
    }
  }
  return shown;
}

void WriteMessageToStderr(const MessageRequest& request) {
  const std::string line =
      CaptionFor(request.type, "QUOXA") + ": " + VisibleText(request.text) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

int MessageDialog(const MessageRequest& request) {
  // The user sees the window behind the box as it now is.
  FlushHeldView();
  return installedMessages->Message(request);
}

int ShowInfo(const std::string& text) { return MessageDialog({text, MsgType::Information, mbOK, 0, 0, true, mbOK}); }

int ShowError(const std::string& text) { return MessageDialog({text, MsgType::Error, mbOK, 0, 0, true, mbOK}); }

int AskYesNo(const std::string& text) {
  return MessageDialog({text, MsgType::Confirmation, mbYes | mbNo, 0, 0, true, mbNo});
}

int AskYesNoCancel(const std::string& text) {
  return MessageDialog({text, MsgType::Confirmation, mbYes | mbNo | mbCancel, 0, 0, true, mbCancel});
}

bool InputBox(const std::string& caption, const std::string& prompt, std::string& value, int helpTopic) {
  std::string edited = value;
  FlushHeldView();
  if (!installedMessages->Input({caption, prompt, helpTopic}, edited)) return false;
  if (edited.size() > kInputBoxMaxLength) edited.resize(kInputBoxMaxLength);
  value = edited;
  return true;
}

bool ListChoice(const std::string& caption, std::vector<std::string>& items, bool withDelete, int helpTopic,
                int& index) {
  ListRequest request{caption, items, withDelete, helpTopic};
  int chosen = index;
  FlushHeldView();
  if (!installedMessages->List(request, chosen)) return false;
  // Deletions made in the box are carried back, so the index always refers to the caller's list.
  items = request.items;
  if (chosen < 0 || chosen >= static_cast<int>(items.size())) return false;
  index = chosen;
  return true;
}

}  // namespace quoxa
