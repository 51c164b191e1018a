#pragma once
// The Execute and Syntax Check sequences of the script window and the end of a batch run,
// without the window.

#include <functional>
#include <string>
#include <vector>

namespace quoxa {

class TScriptInterpreter;

// Set once at start-up when the command line runs a script unattended; never cleared.
extern bool BatchMode;
// What the program exits with after a batch run: 1 when the run failed or a line of it had no
// effect, else 0.
extern int BatchExitStatus;

struct ScriptOutcome {
  bool ran = false;    // false for a script without lines: nothing happened
  bool ok = true;
  int errorLine = 0;   // 0-based index of the failing line
  std::string error;   // the text for the error box
  // Lines of the run pass that went on without effect (TScriptInterpreter::LinesWithoutEffect).
  std::vector<std::string> withoutEffect;
};

// A check pass that notes that nothing has changed yet, then the run pass as one undo step.
ScriptOutcome ExecuteScript(TScriptInterpreter& interpreter, const std::vector<std::string>& lines);

// The check pass alone.
ScriptOutcome SyntaxCheckScript(TScriptInterpreter& interpreter, const std::vector<std::string>& lines);

// A plain box with an OK button under the application's title (MSG, a passed syntax check).
void ShowPlainMessage(const std::string& text);

// Whether the script editor holds a line, for the menu's "Execute active"; the script window
// answers it while it exists.
void SetScriptLinesQuery(std::function<bool()> query);
bool ScriptEditorHasLines();

// A batch run's lines without effect on standard error, each as an error, so that whoever
// started the run learns which lines failed also when a user saw the boxes.
void ReportLinesWithoutEffect(const ScriptOutcome& outcome);

// After a successful batch run: the document is written back when modified. False when that
// failed (the error was shown and the document is still modified).
bool SaveAfterBatchRun();

}  // namespace quoxa
