#pragma once
// Message boxes, input box and list box, behind one seam: the Qt dialogs in the
// program, a recorder in tests.

#include <string>
#include <string_view>
#include <vector>

namespace quoxa {

enum class MsgType { Warning, Error, Information, Confirmation, Custom };

// Buttons in their fixed display order.
enum MsgButton : unsigned {
  mbYes = 1u << 0,
  mbNo = 1u << 1,
  mbOK = 1u << 2,
  mbCancel = 1u << 3,
  mbAbort = 1u << 4,
  mbRetry = 1u << 5,
  mbIgnore = 1u << 6,
  mbAll = 1u << 7,
  mbHelp = 1u << 8,
};

// Result codes.
constexpr int mrNone = 0;
constexpr int mrOK = 1;
constexpr int mrCancel = 2;
constexpr int mrAbort = 3;
constexpr int mrRetry = 4;
constexpr int mrIgnore = 5;
constexpr int mrYes = 6;
constexpr int mrNo = 7;
constexpr int mrAll = 8;

struct MessageRequest {
  std::string text;
  MsgType type = MsgType::Information;
  unsigned buttons = mbOK;
  int helpTopic = 0;
  int fontHeight = 0;  // 0 = the dialog font's own height
  bool withIcon = true;
  unsigned defaultButton = 0;  // 0 = the first button shown
};

struct InputRequest {
  std::string caption;
  std::string prompt;
  int helpTopic = 0;
};

struct ListRequest {
  std::string caption;
  std::vector<std::string> items;
  bool withDelete = false;
  int helpTopic = 0;
};

class IMessages {
 public:
  virtual ~IMessages() = default;
  virtual int Message(const MessageRequest& request) = 0;
  // value in and out; true on OK.
  virtual bool Input(const InputRequest& request, std::string& value) = 0;
  // index in and out; items may lose entries the user deleted; true on OK.
  virtual bool List(ListRequest& request, int& index) = 0;
};

// Installs the process-wide implementation; nullptr restores the default, which
// writes to standard error and answers with the default button.
void InstallMessages(IMessages* messages);

// Result code of the button for a single-button flag (mbYes -> mrYes ...).
int ResultForButton(unsigned button);
// Default button of a set when none is named: the first one shown.
unsigned FirstButton(unsigned buttons);
// The caption of a message type ("Warning", "Error", ...).
std::string CaptionFor(MsgType type, const std::string& appTitle);

int MessageDialog(const MessageRequest& request);
int ShowInfo(const std::string& text);
int ShowError(const std::string& text);
int AskYesNo(const std::string& text);
int AskYesNoCancel(const std::string& text);
bool InputBox(const std::string& caption, const std::string& prompt, std::string& value, int helpTopic = 0);
bool ListChoice(const std::string& caption, std::vector<std::string>& items, bool withDelete, int helpTopic, int& index);

// The text with each control character but tab, line feed and carriage return written as a
// visible escape ("\x00"), so that a terminal shows all of it and obeys none of it.
std::string VisibleText(std::string_view text);
// "Caption: text" and a line break on standard error, the text made visible; how messages
// reach a user who has no window.
void WriteMessageToStderr(const MessageRequest& request);

// The longest text an input box returns.
constexpr size_t kInputBoxMaxLength = 255;

}  // namespace quoxa
