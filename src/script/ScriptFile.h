#pragma once
// Script text as lines, .qsc files, the command templates and the script switch of the
// command line.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quoxa {

// Lines of a text broken at CR LF, LF or CR; a break at the end starts no further line, so
// the empty text has no line.
std::vector<std::string> SplitScriptLines(std::string_view text);

// Every line followed by CR LF, as a .qsc file holds them.
std::string JoinScriptLines(const std::vector<std::string>& lines);

// Reads a script file (UTF-8, or else Windows-1252 as older scripts are); false on any error.
// A file of one line break alone has no line.
bool ReadScriptFile(const std::string& path, std::vector<std::string>& lines);

// The index of the first line of more characters (UTF-8 sequences) than given; -1 when none.
int FirstLineLongerThan(const std::vector<std::string>& lines, int64_t characters);

// Writes the lines through the safe writer; 0 or the I/O error number.
int WriteScriptFile(const std::string& path, const std::vector<std::string>& lines);

// A line that holds nothing but blanks and control characters.
bool BlankScriptLine(std::string_view line);

// The template of an "Insert command" item: its caption without the first "&".
std::string TemplateFromCaption(std::string_view caption);

// "/s", "/S", "-s" or "-S" at the start of a command-line argument.
bool IsScriptSwitch(std::string_view argument);
// The script file a switch names: the rest of it, without one leading "=".
std::string ScriptFileOfSwitch(std::string_view argument);

// A batch run needs no screen: true when the second argument is a script switch while the
// environment names no display and no platform, so that the program runs offscreen.
bool BatchNeedsOffscreen(int argc, const char* const* argv, const char* display, const char* waylandDisplay,
                         const char* platform);

}  // namespace quoxa
