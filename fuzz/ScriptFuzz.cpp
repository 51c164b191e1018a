// A QUOXAscript as a stranger may hand it over: the text split into lines, checked as Execute
// checks it and then run on a small document, with run-time arguments that include one that
// names itself; CHARCON lines name a table file of the fuzzer's own. Growth is bounded by an allocation limit and a small free-memory figure, so
// that the failure paths of the editing primitives are reached as well.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "core/DocState.h"
#include "core/FreeMemory.h"
#include "core/Journal.h"
#include "core/MemoryPolicy.h"
#include "core/Messages.h"
#include "core/Navigation.h"
#include "core/Primitives.h"
#include "core/QZDynArray.h"
#include "script/ScriptFile.h"
#include "script/ScriptInterpreter.h"
#include "script/ScriptParse.h"
#include "script/ScriptRun.h"
#include "search/SearchState.h"

namespace {

using namespace quoxa;

// Most lines of one input: enough for every combination, few enough to stay fast.
constexpr size_t kMaxLines = 256;

class SilentMessages final : public IMessages {
 public:
  // Questions are answered No, so that a replace all asking for more memory makes nothing.
  int Message(const MessageRequest& request) override { return request.buttons & mbNo ? mrNo : mrOK; }
  bool Input(const InputRequest&, std::string&) override { return false; }
  bool List(ListRequest&, int&) override { return false; }
};

void LoadSmallDocument() {
  ResetDocumentState();
  Search() = SearchState{};
  Doc().Journal.Reset();
  AllocDocument();
  SetPageGeometry(16, 4);
  Doc().ViewReady = true;
  InsertBytes(1, 1, std::string("MZ\x90\0ABCABA.C\0\xFF" "xyz0123456789", 24));
  GotoTop();
  Doc().Modified = false;
}

// A table file of the fuzzer's own, made once; the other name is never there.
std::string TableFile(bool existing) {
  static const std::string folder = [] {
    char pattern[] = "/tmp/quoxa-fuzz-script-XXXXXX";
    const char* made = mkdtemp(pattern);
    const std::string path = made != nullptr ? made : "/tmp";
    std::ofstream(path + "/table.qct", std::ios::binary) << "41;61\r\n61;41\r\n00;FF\r\n";
    return path;
  }();
  return folder + (existing ? "/table.qct" : "/missing.qct");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static SilentMessages messages;
  static const bool ready = [] {
    InstallMessages(&messages);
    TQZDynArray::SetAllocationLimit(int64_t{8} << 20);
    SetFreeMemoryOverride(int64_t{4} << 20);
    return true;
  }();
  (void)ready;
  LoadSmallDocument();
  std::vector<std::string> lines = SplitScriptLines(std::string(reinterpret_cast<const char*>(data), size));
  if (lines.size() > kMaxLines) lines.resize(kMaxLines);
  // CHARCON reads the file it names: only the fuzzer's own table, or one that is not there.
  for (std::string& line : lines) {
    if (UpperAscii(SplitCommand(StripScript(line)).word) == "CHARCON") {
      line = "CHARCON " + TableFile(line.size() % 2 == 0);
    }
  }
  TScriptInterpreter interpreter;
  interpreter.SetArguments({"quoxa", "doc.bin", "/S=run.qsc", "10", "41 42", "$FF", "%1", "", "%6"});
  BatchMode = (size & 1) != 0;
  const ScriptOutcome checked = SyntaxCheckScript(interpreter, lines);
  const ScriptOutcome executed = ExecuteScript(interpreter, lines);
  // The check before a run is the Syntax Check: a script fails both or neither.
  const bool failedBeforeRun = !executed.ok && executed.error.find("\r\n\r\nFile was NOT") != std::string::npos;
  if (checked.ran && checked.ok == failedBeforeRun) __builtin_trap();
  // Undo and redo of the run must hold.
  if (Doc().Journal.CanUndo()) {
    Doc().Journal.Undo();
    Doc().Journal.Redo();
  }
  return 0;
}
