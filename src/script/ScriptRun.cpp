#include "script/ScriptRun.h"

#include "core/DocState.h"
#include "core/FileIo.h"
#include "core/Journal.h"
#include "core/Messages.h"
#include "core/StopSignal.h"
#include "script/ScriptError.h"
#include "script/ScriptInterpreter.h"
#include "settings/Options.h"

namespace quoxa {

bool BatchMode = false;
int BatchExitStatus = 0;

namespace {

std::function<bool()> linesQuery;

ScriptOutcome Failed(const TScriptInterpreter& interpreter, const ScriptError& error) {
  return {true, false, interpreter.ErrorLine(), error.Text(), {}};
}

}  // namespace

ScriptOutcome ExecuteScript(TScriptInterpreter& interpreter, const std::vector<std::string>& lines) {
  if (lines.empty()) return {};
  try {
    interpreter.InterpretScript(lines, true, true);
  } catch (const ScriptError& error) {
    return Failed(interpreter, error);
  }
  // The whole run is one step of the undo journal, also when it stops at an error.
  JournalStep step;
  ScriptOutcome outcome{true, true, 0, {}, {}};
  try {
    interpreter.InterpretScript(lines, false, false);
  } catch (const ScriptError& error) {
    outcome = Failed(interpreter, error);
  }
  outcome.errorLine = interpreter.ErrorLine();
  outcome.withoutEffect = interpreter.LinesWithoutEffect();
  return outcome;
}

ScriptOutcome SyntaxCheckScript(TScriptInterpreter& interpreter, const std::vector<std::string>& lines) {
  if (lines.empty()) return {};
  try {
    interpreter.InterpretScript(lines, true, false);
  } catch (const ScriptError& error) {
    return Failed(interpreter, error);
  }
  return {true, true, interpreter.ErrorLine(), {}, {}};
}

void ShowPlainMessage(const std::string& text) {
  MessageRequest request;
  request.text = text;
  request.type = MsgType::Custom;
  request.buttons = mbOK;
  request.withIcon = false;
  MessageDialog(request);
}

void SetScriptLinesQuery(std::function<bool()> query) { linesQuery = std::move(query); }

bool ScriptEditorHasLines() { return linesQuery && linesQuery(); }

void ReportLinesWithoutEffect(const ScriptOutcome& outcome) {
  for (const std::string& text : outcome.withoutEffect)
    WriteMessageToStderr({text, MsgType::Error});
}

bool SaveAfterBatchRun() {
  // A run the user stopped never changes the file, even when its last line was done.
  if (StopSignal() != 0) return false;
  return !Doc().Modified || WriteFileRange(Doc().FileName, false, 0, 0, Options().OldFileTime);
}

}  // namespace quoxa
