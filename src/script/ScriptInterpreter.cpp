#include "script/ScriptInterpreter.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "core/Block.h"
#include "core/Busy.h"
#include "core/DocState.h"
#include "core/Navigation.h"
#include "core/Primitives.h"
#include "core/Progress.h"
#include "core/StopSignal.h"
#include "core/TextFormat.h"
#include "core/View.h"
#include "edit/BlockCommands.h"
#include "script/ScriptError.h"
#include "script/ScriptParse.h"
#include "script/ScriptRun.h"
#include "script/ScriptTexts.h"
#include "search/Replace.h"
#include "search/SearchEngine.h"
#include "search/SearchTexts.h"
#include "tools/ConversionTable.h"

namespace quoxa {

namespace {

// The search settings, the progress box and (when replacing) the busy state of one script
// search; whatever happens, the settings are put back and the box is closed.
class ScriptSearch {
 public:
  ScriptSearch(TScriptInterpreter& interpreter, const std::string& find, const std::string& replace, bool replacing)
      : interpreter_(interpreter), replacing_(replacing) {
    interpreter_.SaveSearchSettings(find, replace);
    box_.emplace(replacing ? ProgressSpec{true, true, msg::kSearchingLabel, msg::kReplacingCaption}
                           : ProgressSpec{true, true, msg::kCurrentFilePosition, msg::kSearchingCaption});
    if (replacing_) BeginBusy("");
  }
  ~ScriptSearch() {
    if (replacing_) EndBusy();
    box_.reset();
    interpreter_.RestoreSearchSettings();
  }
  ScriptSearch(const ScriptSearch&) = delete;
  ScriptSearch& operator=(const ScriptSearch&) = delete;

 private:
  TScriptInterpreter& interpreter_;
  bool replacing_;
  std::optional<TProgressBox> box_;
};

// A position moved by a number of the script, in 64-bit two's complement: a move past either
// end is reported with the address it leads to, never undefined.
int64_t Moved(int64_t position, int64_t by) {
  return static_cast<int64_t>(static_cast<uint64_t>(position) + static_cast<uint64_t>(by));
}

// Keeps a position on an existing byte (or on 1 in an empty document).
int64_t OnDocument(int64_t position) { return std::clamp<int64_t>(position, 1, std::max<int64_t>(Doc().DocSize, 1)); }

}  // namespace

const TScriptInterpreter::Command TScriptInterpreter::kCommands[] = {
    {"EXIT", &TScriptInterpreter::CmdExit},
    {"MSG", &TScriptInterpreter::CmdMsg},
    {"CHARCON", &TScriptInterpreter::CmdCharCon},
    {"JOKEROFF", &TScriptInterpreter::CmdJokerOff},
    {"JOKERON", &TScriptInterpreter::CmdJokerOn},
    {"ADR", &TScriptInterpreter::CmdAdr},
    {"ADREOF", &TScriptInterpreter::CmdAdrEof},
    {"ADR+", &TScriptInterpreter::CmdAdrPlus},
    {"ADR-", &TScriptInterpreter::CmdAdrMinus},
    {"DEL", &TScriptInterpreter::CmdDel},
    {"OVERWRITE", &TScriptInterpreter::CmdOverwrite},
    {"INSERT", &TScriptInterpreter::CmdInsert},
    {"VERIFY", &TScriptInterpreter::CmdVerify},
    {"FIND", &TScriptInterpreter::CmdFind},
    {"REPLACE", &TScriptInterpreter::CmdReplace},
    {"REPLACEALL", &TScriptInterpreter::CmdReplaceAll},
};

int TScriptInterpreter::InterpretScript(const std::vector<std::string>& lines, bool checkOnly, bool preRunCheck) {
  checkOnly_ = checkOnly;
  preRunCheck_ = preRunCheck;
  position_ = 1;
  exit_ = false;
  jokerOn_ = false;
  jokerByte_ = 0;
  verifyAlternatives_.clear();
  withoutEffect_.clear();
  currentLine_.clear();
  BusyScope busy("");
  // The window is drawn once, when the pass ends, not for every line.
  ViewHold hold;
  // The editor cursor follows the run to wherever it ended, also at an error.
  struct CursorFollows {
    const TScriptInterpreter& self;
    ~CursorFollows() {
      if (!self.checkOnly_) GotoAddress(self.position_, true, true);
    }
  } follows{*this};
  size_t i = 0;
  for (; i < lines.size(); ++i) {
    errorLine_ = static_cast<int>(i);
    // Asked to end: the run stops between lines, as a Cancel stops its long commands.
    if (StopCancelsCommands()) throw ScriptError(msg::kScriptUserAbort);
    RunLine(lines[i]);
    if (exit_) break;
  }
  errorLine_ = static_cast<int>(i);
  return errorLine_;
}

void TScriptInterpreter::RunLine(const std::string& line) {
  currentLine_ = StripScript(line);
  if (currentLine_.empty()) return;
  ScriptCommandLine command = SplitCommand(currentLine_);
  if (!checkOnly_) command.param = SubstituteParameters(std::move(command.param), arguments_);
  if (command.word[0] == ';') return;
  const std::string word = UpperAscii(command.word);
  if (word == "REM") return;
  const auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                  [&](const Command& c) { return word == c.word; });
  if (found == std::end(kCommands)) RaiseScriptError(FillPlaceholders(msg::kScriptInvalidCommand, {command.word}));
  // Known only at run time, such a parameter cannot be checked before.
  if (checkOnly_ && command.param.find('%') != std::string::npos) return;
  (this->*found->handler)(command.param);
}

void TScriptInterpreter::RaiseScriptError(const std::string& message) const {
  std::string text = FillPlaceholders(msg::kScriptLineHeader, {std::to_string(errorLine_ + 1), currentLine_});
  if (!message.empty()) text += msg::kScriptBreak + message;
  if (checkOnly_ && preRunCheck_) text += std::string(msg::kScriptBreak) + msg::kScriptNotChanged;
  throw ScriptError(text);
}

void TScriptInterpreter::NoteWithoutEffect(const std::string& shown) {
  withoutEffect_.push_back(
      FillPlaceholders(msg::kScriptLineHeader, {std::to_string(errorLine_ + 1), currentLine_}) +
      msg::kScriptBreak + shown + msg::kScriptBreak + msg::kScriptWithoutEffect);
}

void TScriptInterpreter::CheckScriptPosition(int64_t position) {
  position_ = position;
  if (position < 1 || position > Doc().DocSize) {
    RaiseScriptError(FillPlaceholders(msg::kScriptCantGoTo, {FormatHex(Moved(position, -1))}));
  }
}

std::string TScriptInterpreter::HexParam(const std::string& text) const {
  const std::optional<std::string> bytes = ParseScriptHex(text);
  if (!bytes) RaiseScriptError(FillPlaceholders(msg::kScriptInvalidHex, {text}));
  return *bytes;
}

int64_t TScriptInterpreter::NumberParam(const std::string& text, const char* error) const {
  const std::optional<int64_t> number = ParseScriptNumber(UpperAscii(text));
  if (!number) RaiseScriptError(FillPlaceholders(error, {text}));
  return *number;
}

std::pair<std::string, std::string> TScriptInterpreter::ReplaceParams(const std::string& param) const {
  const auto parts = SplitReplace(param);
  if (!parts) RaiseScriptError(msg::kScriptInvalidReplace);
  return {HexParam(parts->first), HexParam(parts->second)};
}

void TScriptInterpreter::SaveSearchSettings(const std::string& find, const std::string& replace) {
  SearchState& s = Search();
  saved_.CaseSensitive = s.CaseSensitive;
  saved_.FromCursor = s.FromCursor;
  saved_.JokerEnabled = s.JokerEnabled;
  saved_.JokerByte = s.JokerByte;
  saved_.FindString = s.FindString;
  saved_.ReplaceString = s.ReplaceString;
  s.CaseSensitive = true;
  s.FromCursor = true;
  s.JokerEnabled = jokerOn_;
  s.JokerByte = jokerByte_;
  s.FindString = find;
  s.ReplaceString = replace;
}

void TScriptInterpreter::RestoreSearchSettings() {
  SearchState& s = Search();
  s.CaseSensitive = saved_.CaseSensitive;
  s.FromCursor = saved_.FromCursor;
  s.JokerEnabled = saved_.JokerEnabled;
  s.JokerByte = saved_.JokerByte;
  s.FindString = saved_.FindString;
  s.ReplaceString = saved_.ReplaceString;
}

// ---- the commands: each checks its parameter in both passes and acts in the run pass

void TScriptInterpreter::CmdExit(const std::string&) {
  if (!checkOnly_) exit_ = true;
}

void TScriptInterpreter::CmdMsg(const std::string& param) {
  if (!checkOnly_ && !BatchMode) ShowPlainMessage(param);
}

void TScriptInterpreter::CmdCharCon(const std::string& param) {
  if (checkOnly_) return;
  // The table stays the program's current one; the remembered table file is not changed.
  ResetConversionTable();
  if (!LoadConversionTable(param)) throw ScriptError(FillPlaceholders(msg::kScriptTableError, {param}));
  // Its count and a cancel do not concern the script.
  ApplyConversion(position_);
}

void TScriptInterpreter::CmdJokerOff(const std::string&) { jokerOn_ = false; }

void TScriptInterpreter::CmdJokerOn(const std::string& param) {
  const std::string bytes = HexParam(param);
  if (bytes.size() != 1) RaiseScriptError(msg::kScriptInvalidJoker);
  if (checkOnly_) return;
  jokerOn_ = true;
  jokerByte_ = static_cast<uint8_t>(bytes[0]);
}

void TScriptInterpreter::CmdAdr(const std::string& param) {
  const int64_t n = NumberParam(param, msg::kScriptInvalidAddress);
  if (!checkOnly_) CheckScriptPosition(Moved(n, 1));
}

void TScriptInterpreter::CmdAdrEof(const std::string&) {
  if (!checkOnly_) CheckScriptPosition(Doc().DocSize);
}

void TScriptInterpreter::CmdAdrPlus(const std::string& param) {
  const int64_t n = NumberParam(param, msg::kScriptInvalidCount);
  if (!checkOnly_) CheckScriptPosition(Moved(position_, n));
}

void TScriptInterpreter::CmdAdrMinus(const std::string& param) {
  const int64_t n = NumberParam(param, msg::kScriptInvalidCount);
  if (!checkOnly_) CheckScriptPosition(Moved(position_, static_cast<int64_t>(0 - static_cast<uint64_t>(n))));
}

void TScriptInterpreter::CmdDel(const std::string& param) {
  const int64_t n = NumberParam(param, msg::kScriptInvalidCount);
  if (n < 1) RaiseScriptError(FillPlaceholders(msg::kScriptInvalidCount, {param}));
  if (checkOnly_) return;
  if (n - 1 > Doc().DocSize - position_) RaiseScriptError(msg::kScriptDeleteBeyondEnd);
  // The range becomes the block, replacing any block of the user, and goes as Block delete
  // takes it.
  Doc().BlockBegin = position_;
  Doc().BlockEnd = position_ + n - 1;
  DeleteBlock();
  position_ = OnDocument(CursorAddress());
}

void TScriptInterpreter::CmdOverwrite(const std::string& param) {
  const std::string bytes = HexParam(param);
  if (checkOnly_) return;
  const auto length = static_cast<int64_t>(bytes.size());
  if (position_ + length - 1 > Doc().DocSize) RaiseScriptError(msg::kScriptWriteBeyondEnd);
  if (length == 0) return;
  OverwriteBytes(position_, bytes);
  position_ = OnDocument(position_ + length);
}

void TScriptInterpreter::CmdInsert(const std::string& param) {
  const std::string bytes = HexParam(param);
  if (checkOnly_ || bytes.empty()) return;
  // InsertBytes has shown why it failed; the line only names itself.
  if (!InsertBytes(position_, 1, bytes)) RaiseScriptError("");
  CheckBlock(position_);
  position_ = OnDocument(position_ + static_cast<int64_t>(bytes.size()));
}

void TScriptInterpreter::CmdVerify(const std::string& param) {
  verifyAlternatives_.clear();
  for (std::string& alternative : SplitVerify(param)) {
    if (alternative.empty()) RaiseScriptError(msg::kScriptInvalidVerify);
    if (!VerifyAlternativeValid(alternative)) RaiseScriptError(FillPlaceholders(msg::kScriptInvalidHex, {param}));
    verifyAlternatives_.push_back(std::move(alternative));
  }
  if (checkOnly_) return;
  for (const std::string& alternative : verifyAlternatives_) {
    if (MatchHexAt(Doc().DocBuffer, Doc().DocSize, position_, alternative)) return;
  }
  RaiseScriptError(FillPlaceholders(msg::kScriptVerifyFailed, {FormatHex(position_ - 1)}));
}

void TScriptInterpreter::CmdFind(const std::string& param) {
  const std::string bytes = HexParam(param);
  if (checkOnly_) return;
  FindResult found;
  {
    ScriptSearch search(*this, bytes, "", false);
    found = FindNext(position_, false);
  }
  if (found.aborted) throw ScriptError(msg::kScriptUserAbort);
  if (!found.found) RaiseScriptError(FillPlaceholders(msg::kScriptFindFailed, {FormatHex(position_ - 1)}));
  position_ = found.pos;
  GotoAddress(position_, true, true);
}

void TScriptInterpreter::CmdReplace(const std::string& param) {
  const auto [find, replacement] = ReplaceParams(param);
  if (checkOnly_) return;
  ReplaceResult result;
  {
    ScriptSearch search(*this, find, replacement, true);
    result = ReplaceNext(position_, false);
  }
  if (result.aborted) throw ScriptError(msg::kScriptUserAbort);
  // Not found, or no memory to grow it (already shown): the line has no effect.
  if (!result.failure.empty()) NoteWithoutEffect(result.failure);
  if (!result.replaced) return;
  if (find.size() != replacement.size()) CheckBlock(Doc().LastReplaced);
  position_ = OnDocument(result.pos);
  GotoAddress(position_, true, true);
}

void TScriptInterpreter::CmdReplaceAll(const std::string& param) {
  const auto [find, replacement] = ReplaceParams(param);
  if (checkOnly_) return;
  ReplaceAllResult result;
  {
    ScriptSearch search(*this, find, replacement, true);
    result = quoxa::ReplaceAll(position_, false);
  }
  if (result.aborted) throw ScriptError(msg::kScriptUserAbort);
  if (!result.failure.empty()) NoteWithoutEffect(result.failure);
  if (result.count > 0) position_ = OnDocument(CursorAddress());
}

}  // namespace quoxa
