#pragma once
// Links to the program in the user's shell folders. On Linux a link is a
// freedesktop entry (a .desktop file) whose Exec names the program, so that file
// managers offer it in "Open With".

#include <string>
#include <vector>

namespace quoxa {

// File name extension of a link.
inline constexpr const char* kLinkExtension = ".desktop";
// The program's icon in the icon theme, named in every link it writes.
inline constexpr const char* kIconName = "quoxa";

// "SENDTO" and "PROGRAMS": $XDG_DATA_HOME/applications (~/.local/share by default);
// "DESKTOP": the XDG desktop folder (XDG_DESKTOP_DIR in user-dirs.dirs, else
// ~/Desktop); "STARTUP": $XDG_CONFIG_HOME/autostart. Kinds compare ignoring
// case; any other kind is returned as it is; "" when the home folder is unknown.
std::string ShellFolder(const std::string& kind);

struct TShellLink {
  std::string target;
  std::string arguments;
  std::string workingDir;
  std::string iconLocation;
  int iconIndex = 0;
  int showCommand = 1;
  int hotKey = 0;
};

// The Exec line of a desktop entry: each argument quoted where needed, '%' doubled.
std::string QuoteExecArgument(const std::string& argument);
// The arguments of an Exec value (quotes, escapes and field codes such as %f removed).
std::vector<std::string> SplitExec(const std::string& exec);

// Loads folder/name; false when it cannot be read or is no application entry.
bool ReadLink(const std::string& name, const std::string& kind, TShellLink& link);
// Writes folder/name (name includes the extension); false on failure.
bool CreateLink(const std::string& name, const std::string& kind, const TShellLink& link);
// File name of the first link in the folder (directory order) whose target equals
// target ignoring case; "" when there is none.
std::string FindLinkTo(const std::string& target, const std::string& kind);

// Asks for a name and creates a link to the running program; false only when
// writing the link failed.
bool CreateLinkDialog(const std::string& defaultName, const std::string& arguments, const std::string& kind,
                      int helpContext);

// State of the Options dialog's "Shortcut Link" page.
struct TSendToState {
  std::string linkName;  // file name of the link found, "" when none
  bool createEnabled = true;
  bool removeEnabled = false;
};

// Looks for a link to the running program in the SendTo folder, with the busy text.
TSendToState ScanSendToLink();
// "Create": the link dialog with the name "QUOXA".
bool CreateSendToLink();
// "Remove": deletes the link file found by the last scan, without asking.
void RemoveSendToLink(const std::string& linkName);

}  // namespace quoxa
