#include "settings/SettingsPath.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "core/PlatformFile.h"

namespace quoxa {

namespace {

std::string EnvValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

}  // namespace

std::string ExecutablePath() {
  std::error_code ec;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : path.string();
}

std::string ExecutableDirectory() {
  const std::string exe = ExecutablePath();
  return exe.empty() ? std::string(".") : DirectoryOf(exe);
}

std::string ChooseSettingsPath(const std::string& explicitPath, const std::string& executable,
                               bool executableFolderWritable, const std::string& xdgConfigHome,
                               const std::string& home) {
  if (!explicitPath.empty()) return explicitPath;
  if (!executable.empty() && executableFolderWritable) return executable + ".ini";
  // Relative values are invalid for the XDG variables and are ignored.
  std::string config = xdgConfigHome;
  if (config.empty() || config.front() != '/') config = (home.empty() ? std::string(".") : home) + "/.config";
  return config + "/quoxa/quoxa.ini";
}

std::string SettingsFilePath() {
  const std::string exe = ExecutablePath();
  const bool writable = !exe.empty() && ::access(DirectoryOf(exe).c_str(), W_OK) == 0;
  return ChooseSettingsPath(EnvValue("QUOXA_INI"), exe, writable, EnvValue("XDG_CONFIG_HOME"), EnvValue("HOME"));
}

std::string ProgramDirectory() { return DirectoryOf(SettingsFilePath()); }

}  // namespace quoxa
