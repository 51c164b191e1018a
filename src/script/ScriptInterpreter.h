#pragma once
// The QUOXAscript interpreter: a check pass that validates every line and changes nothing,
// and a run pass that performs the commands on the document.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "search/SearchState.h"

namespace quoxa {

class TScriptInterpreter {
 public:
  // The program's command line, argument 0 being the program: %d stands for argument d + 2.
  void SetArguments(std::vector<std::string> arguments) { arguments_ = std::move(arguments); }
  const std::vector<std::string>& Arguments() const { return arguments_; }

  // Walks the lines; gives back the 0-based index of the line where the pass ended (the
  // number of lines, or the EXIT line). A script error is thrown as ScriptError after the
  // index was stored (ErrorLine). The run pass leaves the editor cursor on ScriptPosition.
  int InterpretScript(const std::vector<std::string>& lines, bool checkOnly, bool preRunCheck);

  int ErrorLine() const { return errorLine_; }
  // The lines of the last run pass that had no effect because of an error shown or a question
  // answered No (a replacement without memory): each as a line error, for a batch run's report.
  const std::vector<std::string>& LinesWithoutEffect() const { return withoutEffect_; }
  int64_t ScriptPosition() const { return position_; }

  // Keeps the six search settings a script search changes, then sets them for exact bytes from
  // the position with the script's joker; RestoreSearchSettings puts them back.
  void SaveSearchSettings(const std::string& find, const std::string& replace);
  void RestoreSearchSettings();

 private:
  using Handler = void (TScriptInterpreter::*)(const std::string& param);
  struct Command {
    const char* word;
    Handler handler;
  };
  static const Command kCommands[];

  // The line's error: the header with the line, CR LF CR LF and the message (the header alone
  // when message is empty); in the check before a run, the note that nothing changed yet.
  [[noreturn]] void RaiseScriptError(const std::string& message) const;
  // The line goes on without effect: the reason was shown; it is kept for the report.
  void NoteWithoutEffect(const std::string& shown);
  void CheckScriptPosition(int64_t position);
  std::string HexParam(const std::string& text) const;
  int64_t NumberParam(const std::string& text, const char* error) const;

  void CmdExit(const std::string& param);
  void CmdMsg(const std::string& param);
  void CmdCharCon(const std::string& param);
  void CmdJokerOff(const std::string& param);
  void CmdJokerOn(const std::string& param);
  void CmdAdr(const std::string& param);
  void CmdAdrEof(const std::string& param);
  void CmdAdrPlus(const std::string& param);
  void CmdAdrMinus(const std::string& param);
  void CmdDel(const std::string& param);
  void CmdOverwrite(const std::string& param);
  void CmdInsert(const std::string& param);
  void CmdVerify(const std::string& param);
  void CmdFind(const std::string& param);
  void CmdReplace(const std::string& param);
  void CmdReplaceAll(const std::string& param);

  std::pair<std::string, std::string> ReplaceParams(const std::string& param) const;
  void RunLine(const std::string& line);

  std::vector<std::string> arguments_;
  int64_t position_ = 1;
  bool checkOnly_ = false;
  bool preRunCheck_ = false;
  bool exit_ = false;
  int errorLine_ = 0;
  std::string currentLine_;
  bool jokerOn_ = false;
  uint8_t jokerByte_ = 0;
  std::vector<std::string> verifyAlternatives_;
  std::vector<std::string> withoutEffect_;
  SearchState saved_;
};

}  // namespace quoxa
