#include "Recorders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "core/Commands.h"
#include "core/DocState.h"
#include "core/Journal.h"
#include "core/StopSignal.h"
#include "search/SearchState.h"
#include "settings/Options.h"

namespace quoxa::test {

namespace {

// Tests never touch the user's own state and cache folders: the backups of saves and their
// records go to folders of the test run, removed at its end.
class PrivateUserFolders {
 public:
  PrivateUserFolders() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quoxa-xdg-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    path_ = pattern;
    ::setenv("XDG_STATE_HOME", (path_ + "/state").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (path_ + "/cache").c_str(), 1);
  }
  ~PrivateUserFolders() {
    // A child process of a test (fork) leaves the folders to its parent.
    if (path_.empty() || getpid() != owner_) return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  PrivateUserFolders(const PrivateUserFolders&) = delete;
  PrivateUserFolders& operator=(const PrivateUserFolders&) = delete;

 private:
  std::string path_;
  pid_t owner_ = getpid();
};

const PrivateUserFolders privateUserFolders;

class RecordedProgressView final : public IProgressView {
 public:
  RecordedProgressView(std::shared_ptr<RecordedProgress> record, int abortAfter)
      : record_(std::move(record)), abortAfter_(abortAfter) {}
  ~RecordedProgressView() override { record_->closed = true; }

  void ShowGauge(int value) override { record_->gauge.push_back(value); }
  void ShowText(const std::string& text) override { record_->texts.push_back(text); }
  void SetCancelEnabled(bool enabled) override { record_->cancelEnabled = enabled; }
  void ProcessEvents() override {}
  bool CancelPressed() const override {
    return abortAfter_ >= 0 && static_cast<int>(record_->gauge.size()) >= abortAfter_;
  }

 private:
  std::shared_ptr<RecordedProgress> record_;
  int abortAfter_;
};

}  // namespace

int RecordingMessages::Message(const MessageRequest& request) {
  const unsigned def = request.defaultButton != 0 ? request.defaultButton : FirstButton(request.buttons);
  shown.push_back({request.type, request.text, request.buttons, def});
  if (answers.empty()) return ResultForButton(def);
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

bool RecordingMessages::Input(const InputRequest& request, std::string& value) {
  inputs.push_back(request);
  if (inputAnswers.empty()) return false;
  auto [ok, text] = inputAnswers.front();
  inputAnswers.pop_front();
  if (ok) value = text;
  return ok;
}

bool RecordingMessages::List(ListRequest& request, int& index) {
  lists.push_back(request);
  if (listAnswers.empty()) return false;
  auto [ok, chosen] = listAnswers.front();
  listAnswers.pop_front();
  if (ok) index = chosen;
  return ok;
}

std::vector<std::string> RecordingMessages::Texts() const {
  std::vector<std::string> texts;
  for (const auto& m : shown) texts.push_back(m.text);
  return texts;
}

std::unique_ptr<IProgressView> RecordingProgress::Open(const ProgressSpec& setup) {
  auto record = std::make_shared<RecordedProgress>();
  record->setup = setup;
  record->cancelEnabled = setup.withCancel;
  boxes.push_back(record);
  return std::make_unique<RecordedProgressView>(record, abortAfterUpdates);
}

void RecordingBusy::Begin(const std::string& text) {
  texts.push_back(text);
  ++depth;
  if (depth > maxDepth) maxDepth = depth;
}

void RecordingBusy::End() { --depth; }

void RecordingView::RepaintFrom(int32_t col, int32_t row) {
  ++repaints;
  lastRepaintCol = col;
  lastRepaintRow = row;
}

void RecordingView::MoveGridCursor(int32_t col, int32_t row) {
  gridCol = col;
  gridRow = row;
}

RecorderScope::RecorderScope() {
  ResetDocumentState();
  ClearStopSignal();
  Commands().Reset();
  Search() = SearchState{};
  Options() = TOptions{};
  Doc().Journal.Reset();
  Doc().Journal.SetBudget(int64_t{Options().UndoLimitMB} << 20);
  InstallMessages(&messages);
  InstallProgressFactory(&progress);
  InstallBusy(&busy);
  InstallView(&view);
}

RecorderScope::~RecorderScope() {
  InstallMessages(nullptr);
  InstallProgressFactory(nullptr);
  InstallBusy(nullptr);
  InstallView(nullptr);
  ResetDocumentState();
  ClearStopSignal();
  Commands().SetListener(nullptr);
  Commands().Reset();
}

}  // namespace quoxa::test
