// QUOXAscript: the parts of a line, then whole scripts run through Execute and Syntax Check
// against a document, asserting bytes, the cursor and the exact error texts.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "Recorders.h"
#include "TempDir.h"
#include "TestDocument.h"
#include "core/Block.h"
#include "core/DocState.h"
#include "core/DocWrite.h"
#include "core/FreeMemory.h"
#include "core/Journal.h"
#include "core/Navigation.h"
#include "script/ScriptError.h"
#include "script/ScriptFile.h"
#include "script/ScriptInterpreter.h"
#include "script/ScriptParse.h"
#include "script/ScriptRun.h"
#include "search/SearchState.h"
#include "tools/ConversionTable.h"

namespace quoxa {
namespace {

using test::DocumentBytes;

// The text of an error in line n; preRun adds the note of the check before a run.
std::string LineError(int n, const std::string& line, const std::string& message, bool preRun = false) {
  std::string text = "Error in line number " + std::to_string(n) + ":\n" + line;
  if (!message.empty()) text += "\r\n\r\n" + message;
  if (preRun) text += "\r\n\r\nFile was NOT yet changed by interpreter";
  return text;
}

// ---- the parts of a line

TEST(ScriptParse, NumbersAreWhole64BitDecimalsOrDollarHex) {
  const struct {
    const char* text;
    std::optional<int64_t> value;
  } cases[] = {
      {"16", 16},
      {"$10", 16},
      {"$1A", 26},
      {"  +7", 7},
      {"-2147483648", INT32_MIN},
      {"2147483647", INT32_MAX},
      {"$000000010", 16},
      {"2147483648", 2147483648LL},
      {"$FFFFFFFF", 4294967295LL},
      {"$100000010", 4294967312LL},
      {"-9223372036854775808", INT64_MIN},
      {"$FFFFFFFFFFFFFFFF", -1},
      {"$0000FFFFFFFFFFFFFFFF", -1},
      {"9223372036854775808", {}},
      {"$10000000000000000", {}},
      {"0x10", {}},
      {"$", {}},
      {"", {}},
      {"-", {}},
      {"-$10", {}},
      {"10 ;x", {}},
      {"1e3", {}},
      {"$G", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseScriptNumber(c.text), c.value) << c.text;
}

TEST(ScriptParse, HexStringsArePairsSeparatedBySingleBlanks) {
  const struct {
    const char* text;
    std::optional<std::string> bytes;
  } cases[] = {
      {"41 42", "AB"}, {"4a 4B", "JK"}, {"41 4", "A"}, {"4", ""}, {"", ""},
      {"414", {}},     {"41  42", {}},  {"4G", {}},    {"41\t42", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseScriptHex(c.text), c.bytes) << c.text;
}

TEST(ScriptParse, RunTimeParametersNameTheArgumentsAfterTheScriptSwitch) {
  const std::vector<std::string> args{"quoxa", "file.bin", "/S=run.qsc", "10", "",
                                      "%1%1",  "%2",       "%6",         "%5"};
  const struct {
    const char* text;
    const char* result;  // nullptr: the error below
    const char* error;
  } cases[] = {
      {"ADR %1", "ADR 10", nullptr},
      {"%0", "/S=run.qsc", nullptr},
      {"%3", "1010", nullptr},  // a "%" brought in is substituted too
      {"50%", nullptr, "Invalid parameter %"},
      {"100% sure", nullptr, "Invalid parameter % "},
      {"%x", nullptr, "Invalid parameter %x"},
      {"%2", nullptr, "Missing run-time parameter for %2"},  // empty
      {"%9", nullptr, "Missing run-time parameter for %9"},  // missing
      {"%4", nullptr, "Missing run-time parameter for %2"},
      {"%5", nullptr, "Substitution of run-time parameter %5 does not end"},  // %5 -> %6 -> %5
  };
  for (const auto& c : cases) {
    try {
      EXPECT_EQ(SubstituteParameters(c.text, args), c.result ? c.result : "(error)") << c.text;
    } catch (const ScriptError& e) {
      EXPECT_EQ(std::string(e.what()), c.error ? c.error : "(no error)") << c.text;
    }
  }
  // An argument that names itself ends at the bound.
  EXPECT_THROW(
      {
        try {
          SubstituteParameters("%1", {"quoxa", "f", "/s", "%1"});
        } catch (const ScriptError& e) {
          EXPECT_STREQ(e.what(), "Substitution of run-time parameter %1 does not end");
          throw;
        }
      },
      ScriptError);
}

TEST(ScriptParse, LinesCommandsTemplatesAndTheScriptSwitch) {
  EXPECT_EQ(SplitScriptLines("a\r\nb\nc\rd\r\n"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitScriptLines("a\n\nb"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_TRUE(SplitScriptLines("").empty());
  EXPECT_EQ(JoinScriptLines({"ADR 1", ""}), "ADR 1\r\n\r\n");
  const ScriptCommandLine split = SplitCommand("REPLACE\t41  BY 42 ");
  EXPECT_EQ(split.word, "REPLACE\t41");
  EXPECT_EQ(split.param, "BY 42");
  EXPECT_EQ(SplitCommand("ADREOF").param, "");
  EXPECT_EQ(TemplateFromCaption("R&EM <remark>"), "REM <remark>");
  EXPECT_EQ(TemplateFromCaption("ADREOF (go to end of file)"), "ADREOF (go to end of file)");
  EXPECT_TRUE(BlankScriptLine(" \t\x01"));
  EXPECT_FALSE(BlankScriptLine("  x"));
  for (const char* s : {"/s", "/S=a.qsc", "-sa.qsc", "-S"}) EXPECT_TRUE(IsScriptSwitch(s)) << s;
  for (const char* s : {"s", "/x", "--s", ""}) EXPECT_FALSE(IsScriptSwitch(s)) << s;
  EXPECT_EQ(ScriptFileOfSwitch("/S=a.qsc"), "a.qsc");
  EXPECT_EQ(ScriptFileOfSwitch("-sb.qsc"), "b.qsc");
  EXPECT_EQ(ScriptFileOfSwitch("/s==c"), "=c");
  const char* argv[] = {"quoxa", "f", "/S=x"};
  EXPECT_TRUE(BatchNeedsOffscreen(3, argv, nullptr, "", nullptr));
  EXPECT_FALSE(BatchNeedsOffscreen(3, argv, ":0", nullptr, nullptr));
  EXPECT_FALSE(BatchNeedsOffscreen(3, argv, nullptr, "wayland-0", nullptr));
  EXPECT_FALSE(BatchNeedsOffscreen(3, argv, nullptr, nullptr, "xcb"));
  EXPECT_FALSE(BatchNeedsOffscreen(2, argv, nullptr, nullptr, nullptr));
}

TEST(ScriptParse, ScriptFilesKeepTheirLinesWithCrLf) {
  test::TempDir dir;
  const std::string path = dir.File("run.qsc");
  ASSERT_EQ(WriteScriptFile(path, {"ADR 1", "MSG \xC3\xBC"}), 0);
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadScriptFile(path, lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"ADR 1", "MSG \xC3\xBC"}));
  // An older script in Windows-1252 is read as that.
  ASSERT_TRUE(ReadScriptFile(dir.Write("old.qsc", "MSG \xFC\r\n"), lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"MSG \xC3\xBC"}));
  // A line break alone is no line, as in the editor: nothing to run.
  for (const char* text : {"", "\n", "\r\n"}) {
    ASSERT_TRUE(ReadScriptFile(dir.Write("empty.qsc", text), lines));
    EXPECT_TRUE(lines.empty()) << lines.size();
  }
  ASSERT_TRUE(ReadScriptFile(dir.Write("two.qsc", "\n\n"), lines));
  EXPECT_EQ(lines.size(), 2u);
  // The window refuses lines it cannot lay out quickly: the first one over the length, by
  // characters.
  EXPECT_EQ(FirstLineLongerThan({"abc", "\xC3\xBC\xC3\xBC", "abcd", "abcde"}, 3), 2);
  EXPECT_EQ(FirstLineLongerThan({"abc", ""}, 3), -1);
  EXPECT_FALSE(ReadScriptFile(dir.File("missing.qsc"), lines));
  EXPECT_NE(WriteScriptFile(dir.File("no/such/folder.qsc"), {"x"}), 0);
}

// ---- whole scripts

class Script : public ::testing::Test {
 protected:
  void SetUp() override {
    BatchMode = false;
    SetFreeMemoryOverride(int64_t{1} << 30);
  }
  void TearDown() override {
    BatchMode = false;
    SetFreeMemoryOverride(std::nullopt);
    ResetConversionTable();
  }

  ScriptOutcome Execute(const std::string& text, std::vector<std::string> args = {"quoxa"}) {
    interpreter.SetArguments(std::move(args));
    return ExecuteScript(interpreter, SplitScriptLines(text));
  }

  test::RecorderScope rec;
  TScriptInterpreter interpreter;
};

TEST_F(Script, RunsAgainstTheDocument) {
  const std::string ramp = test::Ramp(32);
  const struct {
    const char* name;
    std::string doc;
    const char* script;
    std::string bytes;   // the document afterwards
    int64_t cursor;      // the editor cursor afterwards
    std::string error;   // "" = success
  } cases[] = {
      {"find starts at address 0", "A.A", "FIND 41", "A.A", 1, ""},
      {"ADR 16 and ADR $10", ramp, "ADR 16\nOVERWRITE FF\nADR $11\nOVERWRITE EE",
       ramp.substr(0, 16) + "\xFF\xEE" + ramp.substr(18), 19, ""},
      {"adr in lower case", ramp, "adr $1a\ninsert 41", ramp.substr(0, 26) + "A" + ramp.substr(26), 28, ""},
      {"ADREOF inserts before the last byte", "ABC", "ADREOF\nINSERT 0D 0A", "AB\r\nC", 5, ""},
      {"OVERWRITE past the end", "ABC", "ADREOF\nOVERWRITE 41 42", "ABC", 3,
       LineError(2, "OVERWRITE 41 42", "Can't write beyond end of file")},
      {"OVERWRITE leaves P after the bytes", "ABCD", "OVERWRITE 78 79\nOVERWRITE 7A", "xyzD", 4, ""},
      {"ADR- 1 at the first byte", "ABC", "ADR- 1", "ABC", 1, LineError(1, "ADR- 1", "Can't go to address: $FFFFFFFF")},
      {"ADR past the end", "ABC", "ADR 3", "ABC", 3, LineError(1, "ADR 3", "Can't go to address: $3")},
      {"ADR+ never wraps", "ABC", "ADR 1\nADR+ 2147483647", "ABC", 3,
       LineError(2, "ADR+ 2147483647", "Can't go to address: $80000000")},
      {"ADR- of the lowest number", "ABC", "ADR- -2147483648", "ABC", 3,
       LineError(1, "ADR- -2147483648", "Can't go to address: $80000000")},
      {"ADR of the highest number", "ABC", "ADR 2147483647", "ABC", 3,
       LineError(1, "ADR 2147483647", "Can't go to address: $7FFFFFFF")},
      {"ADR+ 0 and negative", "ABCD", "ADR 3\nADR+ -2\nADR+ 0\nOVERWRITE 78", "AxCD", 3, ""},
      {"ADR past 4 GiB", "ABC", "ADR $100000000", "ABC", 3,
       LineError(1, "ADR $100000000", "Can't go to address: $100000000")},
      {"ADR $FFFFFFFF is the last byte of 4 GiB", "ABC", "ADR $FFFFFFFF", "ABC", 3,
       LineError(1, "ADR $FFFFFFFF", "Can't go to address: $FFFFFFFF")},
      {"ADR+ wraps only at 64 bits", "ABC", "ADR 1\nADR+ 9223372036854775807", "ABC", 1,
       LineError(2, "ADR+ 9223372036854775807", "Can't go to address: $8000000000000000")},
      {"joker in FIND", "xABCyA.C", "JOKERON 2E\nFIND 41 2E 43\nOVERWRITE 31\nADR+ 1\nFIND 41 2E 43\nOVERWRITE 32",
       "x1BCy2.C", 7, ""},
      {"joker is reset with every pass", "A.C ABC", "FIND 41 2E 43\nOVERWRITE 31", "1.C ABC", 2, ""},
      {"JOKEROFF", "ABC A.C", "JOKERON 2E\nJOKEROFF\nFIND 41 2E 43\nOVERWRITE 31", "ABC 1.C", 6, ""},
      {"VERIFY with ??", "ABC", "VERIFY 41 ?? 43\nOVERWRITE 31", "1BC", 2, ""},
      {"VERIFY alternatives", "ZM", "VERIFY 4D 5A OR 5A 4D\nOVERWRITE 31", "1M", 2, ""},
      {"VERIFY written without blanks", "ZM", "VERIFY 5A4D\nOVERWRITE 31", "1M", 2, ""},
      {"VERIFY failing", "ZM\x01", "ADR 1\nVERIFY 5A OR 01", "ZM\x01", 2,
       LineError(2, "VERIFY 5A OR 01", "VERIFY failed; string(s) not found\nat address $1")},
      {"VERIFY past the end", "ZM", "ADREOF\nVERIFY 4D ??", "ZM", 2,
       LineError(2, "VERIFY 4D ??", "VERIFY failed; string(s) not found\nat address $1")},
      {"REPLACE twice", "xAAy", "REPLACE 41 BY 42 43\nOVERWRITE 31\nADR 0\nREPLACE 41 BY 42 43", "xB1BCy", 5, ""},
      {"REPLACE without a match", "xyz", "REPLACE 41 BY 42", "xyz", 1, ""},
      {"REPLACE deleting the last byte", "xA", "REPLACE 41 BY 4\nINSERT 31", "1x", 2, ""},
      {"FIND without a match", "xyz", "ADR 1\nFIND 41", "xyz", 2,
       LineError(2, "FIND 41", "FIND: string not found beginning\nat address $1")},
      {"FIND without a parameter", "xyz", "FIND", "xyz", 1,
       LineError(1, "FIND", "FIND: string not found beginning\nat address $0")},
      {"FIND stays on an occurrence at P", "xAyA", "FIND 41\nFIND 41\nOVERWRITE 31", "x1yA", 3, ""},
      {"REPLACEALL from P", "AxAxA", "ADR 1\nREPLACEALL 41 BY 42 42", "AxBBxBB", 7, ""},
      {"REPLACEALL shorter", "AAxAA", "REPLACEALL 41 41 BY 42", "BxB", 3, ""},
      {"REPLACEALL without a match", "xyz", "ADR 2\nREPLACEALL 41 BY 42", "xyz", 3, ""},
      {"INSERT 41 4 inserts one byte", "xy", "INSERT 41 4", "Axy", 2, ""},
      {"INSERT without a parameter", "xy", "INSERT\nOVERWRITE 31", "1y", 2, ""},
      {"DEL", "ABCDE", "ADR 1\nDEL 2\nOVERWRITE 31", "A1E", 3, ""},
      {"DEL to the end", "ABCDE", "ADR 3\nDEL 2", "ABC", 3, ""},
      {"DEL beyond the end", "ABCDE", "ADR 3\nDEL 3", "ABCDE", 4,
       LineError(2, "DEL 3", "Can't delete beyond end of file")},
      {"DEL everything", "ABC", "DEL 3\nINSERT 31", "1", 1, ""},
      {"EXIT ends the run", "ABC", "OVERWRITE 31\nEXIT\nOVERWRITE 32", "1BC", 2, ""},
      {"comments and remarks", "ABC", "; OVERWRITE 31\n;x\nREM OVERWRITE 31\n\n   \nrem x", "ABC", 1, ""},
      {"MSG 50% fails at run time", "ABC", "MSG 50%", "ABC", 1, "Invalid parameter %"},
      {"REM 100% sure fails at run time", "ABC", "REM 100% sure", "ABC", 1, "Invalid parameter % "},
      {"ADR %1 without arguments", "ABC", "ADR %1", "ABC", 1, "Missing run-time parameter for %1"},
      {"a failure in line 5 keeps lines 1-4", "ABCDEF",
       "OVERWRITE 31\nINSERT 32\nADR+ 2\nOVERWRITE 33\nOVERWRITE 34 35 36 37", "12BC3EF", 6,
       LineError(5, "OVERWRITE 34 35 36 37", "Can't write beyond end of file")},
      {"ADR on an empty document", "", "ADR 0", "", 1, LineError(1, "ADR 0", "Can't go to address: $0")},
      {"ADREOF on an empty document", "", "ADREOF", "", 1, LineError(1, "ADREOF", "Can't go to address: $FFFFFFFF")},
      {"INSERT into an empty document", "", "INSERT 41 42\nOVERWRITE 43", "AC", 2, ""},
      {"INSERT nothing into an empty document", "", "INSERT\nINSERT 41", "A", 1, ""},
  };
  for (const auto& c : cases) {
    test::LoadDocument(c.doc, 4, 4);
    GotoAddress(std::max<int64_t>(Doc().DocSize, 1), true, false);
    const ScriptOutcome outcome = Execute(c.script);
    EXPECT_TRUE(outcome.ran) << c.name;
    EXPECT_EQ(outcome.ok, c.error.empty()) << c.name;
    EXPECT_EQ(outcome.error, c.error) << c.name;
    EXPECT_EQ(DocumentBytes(), c.bytes) << c.name;
    if (Doc().DocSize > 0) {
      EXPECT_EQ(CursorAddress(), c.cursor) << c.name;
    }
    EXPECT_EQ(Doc().Modified, c.bytes != c.doc) << c.name;
  }
}

TEST_F(Script, TheCheckPassFindsErrorsBeforeAnythingChanges) {
  const struct {
    const char* script;
    int line;       // 1-based
    const char* text;
    const char* message;
  } cases[] = {
      {"DEL 0", 1, "DEL 0", "Invalid byte count: 0"},
      {"ADR 10 ;x", 1, "ADR 10 ;x", "Invalid address indicated: 10 ;x"},
      {"ADR+ x", 1, "ADR+ x", "Invalid byte count: x"},
      {"ADR", 1, "ADR", "Invalid address indicated: "},
      {"INSERT 414", 1, "INSERT 414", "Invalid Hex String:\n414"},
      {"VERIFY 4D 5A OR", 1, "VERIFY 4D 5A OR", "Invalid VERIFY command!"},
      {"VERIFY 4D OR 5G", 1, "VERIFY 4D OR 5G", "Invalid Hex String:\n4D OR 5G"},
      {"REPLACE 41 42", 1, "REPLACE 41 42", "Invalid REPLACE ... BY ... command!"},
      {"REPLACE 41 BY", 1, "REPLACE 41 BY", "Invalid REPLACE ... BY ... command!"},
      {"REPLACEALL 41 by 4X", 1, "REPLACEALL 41 by 4X", "Invalid Hex String:\n4X"},
      {"JOKERON 2E 2F", 1, "JOKERON 2E 2F", "Invalid joker character!"},
      {"JOKERON 2", 1, "JOKERON 2", "Invalid joker character!"},
      {"JOKERON xy", 1, "JOKERON xy", "Invalid Hex String:\nxy"},
      {"\n  foo 1  ", 2, "foo 1", "Invalid command:\nfoo"},
      {"EXIT\nOVERWRITE 41", 0, "", ""},
      {"EXIT\nOVERWRIT 41", 2, "OVERWRIT 41", "Invalid command:\nOVERWRIT"},
      {"ADR %1\nFOO %1", 2, "FOO %1", "Invalid command:\nFOO"},
  };
  for (const auto& c : cases) {
    test::LoadDocument("ABC", 4, 4);
    interpreter.SetArguments({"quoxa"});
    const std::vector<std::string> lines = SplitScriptLines(c.script);
    const ScriptOutcome checked = SyntaxCheckScript(interpreter, lines);
    const ScriptOutcome executed = Execute(c.script);
    EXPECT_EQ(DocumentBytes(), "ABC") << c.script;
    if (c.line == 0) {
      EXPECT_TRUE(checked.ok && executed.ok) << c.script;
      continue;
    }
    EXPECT_EQ(checked.error, LineError(c.line, c.text, c.message)) << c.script;
    EXPECT_EQ(executed.error, LineError(c.line, c.text, c.message, true)) << c.script;
    EXPECT_EQ(checked.errorLine, c.line - 1) << c.script;
    EXPECT_EQ(executed.errorLine, c.line - 1) << c.script;
    EXPECT_FALSE(Doc().Modified) << c.script;
  }
  // The exact composition, once spelled out.
  test::LoadDocument("ABC", 4, 4);
  EXPECT_EQ(Execute("DEL 0").error,
            "Error in line number 1:\nDEL 0\r\n\r\nInvalid byte count: 0\r\n\r\nFile was NOT yet changed by interpreter");
  // A NUL byte in a line does not cut the message short.
  const std::string word("A\0B", 3);
  EXPECT_EQ(Execute(word).error, LineError(1, word, "Invalid command:\n" + word, true));
  EXPECT_FALSE(Execute("").ran);
  EXPECT_FALSE(SyntaxCheckScript(interpreter, {}).ran);
}

TEST_F(Script, MessagesArePlainBoxesExceptInBatchMode) {
  test::LoadDocument("ABC", 4, 4);
  // "MSG  " is stripped to the word alone: an empty box.
  ASSERT_TRUE(Execute("MSG Hello  world\nMSG  \nmsg x").ok);
  ASSERT_TRUE(Execute("MSG Hello %1 world", {"quoxa", "f", "/s", "big"}).ok);
  EXPECT_EQ(rec.messages.Texts(), (std::vector<std::string>{"Hello  world", "", "x", "Hello big world"}) );
  EXPECT_EQ(rec.messages.shown[0].type, MsgType::Custom);
  EXPECT_EQ(rec.messages.shown[0].buttons, unsigned{mbOK});
  BatchMode = true;
  rec.messages.shown.clear();
  ASSERT_TRUE(Execute("MSG quiet").ok);
  EXPECT_TRUE(rec.messages.shown.empty());
}

TEST_F(Script, SearchesUseTheirOwnSettingsAndPutTheDialogsBack) {
  test::LoadDocument("abAB", 4, 4);
  SearchState& s = Search();
  s.CaseSensitive = false;
  s.FromCursor = false;
  s.JokerEnabled = true;
  s.JokerByte = 'b';
  s.FindString = "dialog";
  s.ReplaceString = "text";
  // Case-sensitive and without the dialog's joker: only the upper-case AB matches.
  ASSERT_TRUE(Execute("FIND 41 42\nREPLACE 41 BY 78\nREPLACEALL 42 BY 79").ok);
  EXPECT_EQ(DocumentBytes(), "abxy");
  EXPECT_FALSE(s.CaseSensitive);
  EXPECT_FALSE(s.FromCursor);
  EXPECT_TRUE(s.JokerEnabled);
  EXPECT_EQ(s.JokerByte, 'b');
  EXPECT_EQ(s.FindString, "dialog");
  EXPECT_EQ(s.ReplaceString, "text");
  EXPECT_EQ(Doc().LastReplaced, 4);  // the engine's own record is not put back
  std::vector<std::string> boxes;
  for (const auto& box : rec.progress.boxes) boxes.push_back(box->setup.caption + "/" + box->setup.text);
  EXPECT_EQ(boxes, (std::vector<std::string>{"Searching.../Current file position", "Replacing.../Searching...",
                                             "Replacing.../Searching..."}));
  for (const auto& box : rec.progress.boxes) EXPECT_TRUE(box->closed);
}

TEST_F(Script, CancelInASearchIsUserAbort) {
  test::LoadDocument(std::string(1 << 20, 'x') + "A", 16, 10);
  rec.progress.abortAfterUpdates = 0;
  for (const char* script : {"FIND 41", "REPLACEALL 41 BY 42", "REPLACE 41 BY 42"}) {
    const ScriptOutcome outcome = Execute(script);
    EXPECT_EQ(outcome.error, "User abort!") << script;
    EXPECT_EQ(Search().FindString, "") << script;
  }
}

TEST_F(Script, CharconConvertsFromThePositionAndKeepsTheTable) {
  test::TempDir dir;
  const std::string table = dir.Write("lower.qct", "41;61\r\n42;62\r\n");
  test::LoadDocument("ABCAB", 4, 4);
  ConversionTableFile = "/remembered.qct";
  ASSERT_TRUE(Execute("ADR 2\nCHARCON %1\nOVERWRITE 31", {"quoxa", "f", "/s", table}).ok);
  EXPECT_EQ(DocumentBytes(), "AB1ab");
  EXPECT_EQ(ConversionTable[0x41], 0x61);
  EXPECT_EQ(ConversionTableFile, "/remembered.qct");
  const std::string missing = dir.File("missing.qct");
  EXPECT_EQ(Execute("CHARCON " + missing).error, "Error reading character conversion table\n" + missing);
  EXPECT_EQ(ConversionTable[0x41], 0x41);
  // A cancelled conversion does not stop the script.
  rec.progress.abortAfterUpdates = 0;
  test::LoadDocument(std::string(1 << 20, 'A'), 16, 10);
  EXPECT_TRUE(Execute("CHARCON " + table + "\nOVERWRITE 31").ok);
  EXPECT_EQ(DocumentBytes()[0], '1');
}

TEST_F(Script, ARunIsOneUndoStepAndTheCheckChangesNothing) {
  test::LoadDocument("ABCDEF", 4, 4);
  Doc().Journal.Reset();
  ASSERT_TRUE(Execute("OVERWRITE 31\nINSERT 32 33\nREPLACEALL 44 BY 34 34\nADR 0\nDEL 1").ok);
  EXPECT_EQ(DocumentBytes(), "23BC44EF");
  EXPECT_EQ(Doc().Journal.UndoDepth(), 1u);
  // A run that fails halfway is one step too.
  EXPECT_FALSE(Execute("OVERWRITE 39\nADR 99").ok);
  EXPECT_EQ(DocumentBytes(), "93BC44EF");
  EXPECT_EQ(Doc().Journal.UndoDepth(), 2u);
  EXPECT_FALSE(Execute("OVERWRITE 39\nADR x").ok);
  EXPECT_EQ(Doc().Journal.UndoDepth(), 2u);
  ASSERT_TRUE(Doc().Journal.Undo());
  ASSERT_TRUE(Doc().Journal.Undo());
  EXPECT_EQ(DocumentBytes(), "ABCDEF");
  EXPECT_FALSE(Doc().Modified);
}

TEST_F(Script, EditsInvalidateABlockBehindThem) {
  test::LoadDocument("ABCDEF", 4, 4);
  Doc().BlockBegin = 4;
  Doc().BlockEnd = 5;
  ASSERT_TRUE(Execute("ADR 5\nINSERT 31").ok);
  EXPECT_TRUE(BlockMarked());  // behind the block
  ASSERT_TRUE(Execute("ADR 3\nINSERT 31").ok);
  EXPECT_EQ(rec.messages.Texts(), std::vector<std::string>{"Block no longer valid"});
  EXPECT_FALSE(BlockMarked());
  Doc().BlockBegin = 1;
  Doc().BlockEnd = 2;
  ASSERT_TRUE(Execute("ADR 3\nDEL 1").ok);
  EXPECT_FALSE(BlockMarked());
}

TEST_F(Script, ALineWithoutEffectIsNotedAndTheRunGoesOn) {
  const std::string question =
      "Occurences to replace: 4;\nmemory sufficient for\n3 replacements.\nReplace them?";
  const std::string noMemory = "Can't allocate additional memory\nto perform operation";
  const std::string tail = "\r\n\r\nThe line had no effect.";
  const struct {
    const char* script;
    int answer;          // to the memory question
    bool noAllocation;   // the block cannot grow at all
    const char* begins;  // the document's first bytes afterwards
    std::vector<std::string> shown;
    std::vector<std::string> withoutEffect;
  } cases[] = {
      {"REPLACEALL 41 BY 42 42 42 42\nOVERWRITE 31",
       mrNo,
       false,
       "1xAxAxAx",
       {question},
       {LineError(1, "REPLACEALL 41 BY 42 42 42 42", question) + tail}},
      // Yes to the first three is the user's choice, no failure.
      {"REPLACEALL 41 BY 42 42 42 42\nOVERWRITE 31",
       mrYes,
       false,
       "BBBBxBBBBxBBB1xAx",
       {question},
       {}},
      {"ADR 1\nREPLACE 41 BY 42 42\nREPLACE 78 BY 79",
       mrNo,
       true,
       "AyAxAxAx",
       {noMemory},
       {LineError(2, "REPLACE 41 BY 42 42", noMemory) + tail}},
      {"REPLACEALL 41 BY 42 42\nREPLACEALL 41 BY 42 42\nADR- 9",
       mrNo,
       true,
       "AxAxAxAx",
       {noMemory, noMemory},
       {LineError(1, "REPLACEALL 41 BY 42 42", noMemory) + tail,
        LineError(2, "REPLACEALL 41 BY 42 42", noMemory) + tail}},
  };
  for (const auto& c : cases) {
    test::LoadDocument("AxAxAxAx", 4, 4);
    // The block is full, so that any growth needs memory from the system.
    std::memset(WritableDocBuffer() + Doc().DocSize, 'x',
                static_cast<size_t>(Capacity() - Doc().DocSize));
    Doc().DocSize = Capacity();
    rec.messages.shown.clear();
    rec.messages.answers = {c.answer};
    SetFreeMemoryOverride(c.noAllocation ? int64_t{1} << 30 : 10);
    std::optional<test::AllocationLimit> limit;
    if (c.noAllocation) limit.emplace(Capacity());
    const ScriptOutcome outcome = Execute(c.script);
    EXPECT_EQ(outcome.ok, std::string(c.script).find("ADR- 9") == std::string::npos) << c.script;
    EXPECT_EQ(DocumentBytes().substr(0, std::strlen(c.begins)), c.begins) << c.script;
    EXPECT_EQ(rec.messages.Texts(), c.shown) << c.script;
    EXPECT_EQ(outcome.withoutEffect, c.withoutEffect) << c.script;
  }
}

TEST_F(Script, ARunDrawsTheWindowOnceAtItsEnd) {
  std::string dels;
  for (int i = 0; i < 40; ++i) dels += "DEL 1\nINSERT 41 42\nREPLACE 42 BY 43\n";
  const struct {
    std::string script;
    bool ok;
    int repaints;  // one at the end, and one before each box
  } cases[] = {
      {dels + "ADREOF", true, 1},
      {dels + "ADR 9999", false, 1},
      {"DEL 1\nMSG look\nDEL 1", true, 2},
  };
  for (const auto& c : cases) {
    test::LoadDocument(test::Ramp(200), 8, 4);
    rec.view.repaints = rec.view.gridRepaints = rec.view.statusUpdates = 0;
    rec.busy.texts.clear();
    EXPECT_EQ(Execute(c.script).ok, c.ok);
    EXPECT_EQ(rec.view.repaints, c.repaints);
    EXPECT_EQ(rec.view.gridRepaints, c.repaints);
    EXPECT_EQ(rec.view.statusUpdates, c.repaints);
    // The last drawing shows the cursor where the run left it.
    EXPECT_EQ(rec.view.lastRepaintCol, 0);
    EXPECT_EQ(rec.view.lastRepaintRow, 0);
    EXPECT_EQ(rec.view.gridCol, Doc().CursorCol);
    EXPECT_EQ(rec.view.gridRow, Doc().CursorRow);
    // The busy state of each pass, none of the commands inside it.
    EXPECT_EQ(rec.busy.texts, (std::vector<std::string>{"", ""}));
  }
}

TEST_F(Script, BatchRunsSaveOnlyAModifiedDocument) {
  test::TempDir dir;
  Doc().FileName = dir.Write("doc.bin", "ABC");
  test::LoadDocument("ABC", 4, 4);
  EXPECT_TRUE(SaveAfterBatchRun());
  ASSERT_TRUE(Execute("OVERWRITE 31").ok);
  EXPECT_TRUE(SaveAfterBatchRun());
  EXPECT_FALSE(Doc().Modified);
  EXPECT_EQ(test::TempDir::Read(Doc().FileName), "1BC");
  Doc().FileName = dir.File("no/such/folder/doc.bin");
  ASSERT_TRUE(Execute("OVERWRITE 32").ok);
  EXPECT_FALSE(SaveAfterBatchRun());
  EXPECT_TRUE(Doc().Modified);
}

}  // namespace
}  // namespace quoxa
