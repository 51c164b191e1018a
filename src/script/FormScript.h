#pragma once
// The script window: the editor of a QUOXAscript, its file, Syntax Check and Execute. Created
// once with the main window, it keeps its text, file and state between openings.

#include <QDialog>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "script/ScriptInterpreter.h"
#include "widgets/FileDialogs.h"

class QAction;
class QPlainTextEdit;
class QPushButton;

namespace quoxa {

class TFormScript : public QDialog {
  Q_OBJECT

 public:
  // Saved: every line had its effect; SavedIncomplete: saved, but a line had none.
  enum class BatchResult { None, Saved, SavedIncomplete, Failed };

  // Laying out a line takes time in proportion to its length (half a minute for 10 MB): the
  // editor holds lines of at most this many characters.
  static constexpr int64_t kMaxEditorLine = 100000;

  explicit TFormScript(QWidget* parent = nullptr);
  ~TFormScript() override;

  QPlainTextEdit* MemoScript() const { return memo_; }
  // The script: the lines of its file while the editor holds them unchanged, else the editor's
  // lines (a line break at the end starts no further line).
  std::vector<std::string> Lines() const;
  bool HasLines() const;

  // Opened to execute at once ("Execute active", batch mode): no save question on closing.
  void SetAutoRun(bool on) { autoRun_ = on; }
  bool AutoRun() const { return autoRun_; }
  void SetExecuteEnabled(bool on);
  // Nobody to answer: a batch run that fails closes the window instead of waiting.
  void SetUnattended(bool on) { unattended_ = on; }
  BatchResult LastBatchResult() const { return batchResult_; }
  TScriptInterpreter& Interpreter() { return interpreter_; }

  const std::string& ScriptFileName() const { return scriptFileName_; }
  // Replaces the text by the file's lines; false after showing the read error, also for a line
  // longer than kMaxEditorLine.
  bool LoadScript(const std::string& path);
  // The script of a batch run: read as it is, whatever its lines' length, and kept out of the
  // editor, which stays empty and read-only; a failed run shows it to a user there. False after
  // showing the read error.
  bool LoadBatchScript(const std::string& path);

  // The handlers of the buttons and menu items.
  void ExecuteClick();
  void SyntaxCheckClick();
  void OpenClick();
  bool SaveClick();
  bool SaveAsClick();
  void InsertCommand(const QString& caption);
  // Caret to the start of the line, the whole line selected, the editor focused.
  void SelectErrorLine(int line);
  // The question before Open and closing; true when it may go on.
  bool SaveQuestion();

  // Replaces the file dialog (tests answer it themselves).
  void SetFileQuestionHandler(std::function<FileDialogResult(const FileDialogRequest&)> handler) {
    fileQuestion_ = std::move(handler);
  }

  // The captions of the "Insert command" menu, in menu order.
  static const std::vector<const char*>& CommandCaptions();

 public slots:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildMenus(QWidget* menuBar);
  void SetSaveEnabled(bool on);
  void UpdateCaption();
  void CloseNow();
  // Reads path into lines; on failure the window has no file and the error is shown.
  bool ReadLines(const std::string& path, std::vector<std::string>& lines);
  // Puts the lines into the editor (or only keeps them), attached to path.
  void TakeScript(const std::string& path, std::vector<std::string> lines, bool inEditor);
  // The kept lines into the empty editor, when they fit; else it says why it stays empty.
  void ShowFileLines();
  FileDialogResult AskFile(const FileDialogRequest& request);

  QPlainTextEdit* memo_;
  QPushButton* execute_ = nullptr;
  QAction* openButton_ = nullptr;
  QAction* saveButton_ = nullptr;
  QAction* saveItem_ = nullptr;
  TScriptInterpreter interpreter_;
  std::string scriptFileName_;
  // The file's lines while the editor has not been edited since they were loaded: a run takes
  // them as read, without going through the editor's text.
  std::optional<std::vector<std::string>> fileLines_;
  bool takingText_ = false;
  bool autoRun_ = false;
  bool unattended_ = false;
  bool shown_ = false;
  BatchResult batchResult_ = BatchResult::None;
  std::function<FileDialogResult(const FileDialogRequest&)> fileQuestion_;
};

}  // namespace quoxa
