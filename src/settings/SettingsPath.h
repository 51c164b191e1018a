#pragma once
// Where the settings file lives. Computed on every call: nothing caches it.

#include <string>

#include "core/UserFolders.h"

namespace quoxa {

// Full path of the running executable ("" when it cannot be determined).
std::string ExecutablePath();
// Folder of the running executable, without a trailing slash (except for "/").
std::string ExecutableDirectory();

// QUOXA_INI when set; else "<executable path>.ini" when that file already stands
// beside the executable (portable use); else $XDG_CONFIG_HOME/quoxa/quoxa.ini
// (~/.config by default).
std::string SettingsFilePath();

// The rule behind SettingsFilePath, from its inputs.
std::string ChooseSettingsPath(const std::string& explicitPath, const std::string& executable,
                               bool portableFileExists, const std::string& xdgConfigHome, const std::string& home);

// "The program's directory" for bookmark, table and script files: the settings file's folder.
std::string ProgramDirectory();
// The same, created (for the user alone) when it is missing: before the first settings are
// written it does not exist, and a file dialog would start beside the executable instead.
std::string MakeProgramDirectory();

}  // namespace quoxa
