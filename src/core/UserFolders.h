#pragma once
// The user's own folders: home, and the XDG folders for state and cached files.

#include <string>

namespace quoxa {

// The user's home folder: $HOME, else the one of the account ("/" when unknown).
std::string HomeDirectory();

// The XDG folder named by variable when it holds an absolute path, else home/fallback
// (relative values are invalid for the XDG variables and are ignored).
std::string XdgDirectory(const char* variable, const char* fallbackUnderHome);

// The program's folder below an XDG folder, created for the user alone when missing;
// "" when it cannot be had.
std::string MakeXdgProgramDirectory(const char* variable, const char* fallbackUnderHome,
                                    const std::string& sub = "");

}  // namespace quoxa
