#pragma once
// Texts of the QUOXAscript interpreter and of its window, in one place.

namespace quoxa::msg {

inline constexpr const char* kScriptLineHeader = "Error in line number %d:\n%s";
inline constexpr const char* kScriptBreak = "\r\n\r\n";
inline constexpr const char* kScriptNotChanged = "File was NOT yet changed by interpreter";
inline constexpr const char* kScriptInvalidAddress = "Invalid address indicated: %s";
inline constexpr const char* kScriptInvalidCount = "Invalid byte count: %s";
inline constexpr const char* kScriptInvalidHex = "Invalid Hex String:\n%s";
inline constexpr const char* kScriptInvalidCommand = "Invalid command:\n%s";
inline constexpr const char* kScriptInvalidReplace = "Invalid REPLACE ... BY ... command!";
inline constexpr const char* kScriptInvalidVerify = "Invalid VERIFY command!";
inline constexpr const char* kScriptVerifyFailed = "VERIFY failed; string(s) not found\nat address $%x";
inline constexpr const char* kScriptDeleteBeyondEnd = "Can't delete beyond end of file";
inline constexpr const char* kScriptWriteBeyondEnd = "Can't write beyond end of file";
inline constexpr const char* kScriptCantGoTo = "Can't go to address: $%x";
inline constexpr const char* kScriptInvalidJoker = "Invalid joker character!";
inline constexpr const char* kScriptFindFailed = "FIND: string not found beginning\nat address $%x";
inline constexpr const char* kScriptUserAbort = "User abort!";
inline constexpr const char* kScriptTableError = "Error reading character conversion table\n%s";
inline constexpr const char* kScriptInvalidParameter = "Invalid parameter %s%s";
inline constexpr const char* kScriptMissingParameter = "Missing run-time parameter for %s%d";
// A line that went on after an error or a declined question, in a batch run's report.
inline constexpr const char* kScriptWithoutEffect = "The line had no effect.";
// An argument that brings in itself, directly or through others.
inline constexpr const char* kScriptEndlessParameter =
    "Substitution of run-time parameter %s%d does not end";

// The script window.
inline constexpr const char* kScriptCaption = "QUOXAscript interpreter";
inline constexpr const char* kScriptSyntaxOk =
    "Syntax check passed without errors.\nNote: During execution, run time errors may occur.";
inline constexpr const char* kScriptExecuted = "Script executed successfully!";
inline constexpr const char* kScriptModifiedNamed = "Script %s modified.\nSave now?";
inline constexpr const char* kScriptModifiedUnnamed = "Script modified. Save now to file?";
inline constexpr const char* kScriptReadError = "Error reading QUOXAscript file\n%s";
// Added to the read error of a script the window cannot show.
inline constexpr const char* kScriptLineTooLong =
    "Line %d is longer than %.0n characters, too long for the script window.\n"
    "Run such a script with: quoxa FILE /S=SCRIPT";
// The empty, read-only editor after a failed batch run whose script it cannot show.
inline constexpr const char* kScriptNotShown =
    "Line %d is longer than %.0n characters: the script is run as read from its file and "
    "not shown here.";
inline constexpr const char* kScriptLoadTitle = "Load QUOXAscript";
inline constexpr const char* kScriptSaveTitle = "Save QUOXAscript";
inline constexpr const char* kScriptFilter = "*.qsc";

}  // namespace quoxa::msg
