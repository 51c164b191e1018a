#pragma once
// Scripted stand-ins for the user interface: they log what the core shows and
// answer from queues, so tests assert exact texts and choose the user's answers.

#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/Busy.h"
#include "core/Messages.h"
#include "core/Progress.h"
#include "core/View.h"

namespace quoxa::test {

struct RecordedMessage {
  MsgType type;
  std::string text;
  unsigned buttons;
  unsigned defaultButton;
};

class RecordingMessages final : public IMessages {
 public:
  int Message(const MessageRequest& request) override;
  bool Input(const InputRequest& request, std::string& value) override;
  bool List(ListRequest& request, int& index) override;

  // Texts of every message box shown, in order.
  std::vector<std::string> Texts() const;

  std::vector<RecordedMessage> shown;
  std::deque<int> answers;  // result codes; when empty, the default button answers
  std::deque<std::pair<bool, std::string>> inputAnswers;
  std::deque<std::pair<bool, int>> listAnswers;
  std::vector<InputRequest> inputs;
  std::vector<ListRequest> lists;
};

struct RecordedProgress {
  ProgressSpec setup;
  std::vector<int> gauge;
  std::vector<std::string> texts;
  bool cancelEnabled = true;  // the Cancel button's last state
  bool closed = false;
};

class RecordingProgress final : public IProgressFactory {
 public:
  std::unique_ptr<IProgressView> Open(const ProgressSpec& setup) override;

  // Cancel is pressed once this many gauge updates were shown (-1 = never).
  int abortAfterUpdates = -1;
  std::vector<std::shared_ptr<RecordedProgress>> boxes;
};

class RecordingBusy final : public IBusy {
 public:
  void Begin(const std::string& text) override;
  void End() override;

  std::vector<std::string> texts;
  int depth = 0;
  int maxDepth = 0;
};

class RecordingView final : public IView {
 public:
  void RepaintFrom(int32_t col, int32_t row) override;
  void UpdateStatus() override { ++statusUpdates; }
  void MoveGridCursor(int32_t col, int32_t row) override;
  void RepaintGrids() override { ++gridRepaints; }
  void Notify(const std::string& text) override { notes.push_back(text); }

  int repaints = 0;
  int statusUpdates = 0;
  int gridRepaints = 0;
  int32_t lastRepaintCol = -1;
  int32_t lastRepaintRow = -1;
  int32_t gridCol = 0;
  int32_t gridRow = 0;
  std::vector<std::string> notes;
};

// Installs all four recorders for its lifetime and starts from a clean state.
class RecorderScope {
 public:
  RecorderScope();
  ~RecorderScope();
  RecorderScope(const RecorderScope&) = delete;
  RecorderScope& operator=(const RecorderScope&) = delete;

  RecordingMessages messages;
  RecordingProgress progress;
  RecordingBusy busy;
  RecordingView view;
};

}  // namespace quoxa::test
