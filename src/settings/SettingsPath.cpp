#include "settings/SettingsPath.h"

#include <sys/stat.h>
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
                               bool portableFileExists, const std::string& xdgConfigHome, const std::string& home) {
  if (!explicitPath.empty()) return explicitPath;
  if (!executable.empty() && portableFileExists) return executable + ".ini";
  // Relative values are invalid for the XDG variables and are ignored.
  std::string config = xdgConfigHome;
  if (config.empty() || config.front() != '/') config = (home.empty() ? std::string(".") : home) + "/.config";
  return config + "/quoxa/quoxa.ini";
}

std::string SettingsFilePath() {
  const std::string explicitPath = EnvValue("QUOXA_INI");
  if (!explicitPath.empty()) return explicitPath;
  const std::string exe = ExecutablePath();
  struct stat st {};
  const bool portable = !exe.empty() && stat((exe + ".ini").c_str(), &st) == 0 && S_ISREG(st.st_mode);
  return ChooseSettingsPath("", exe, portable, EnvValue("XDG_CONFIG_HOME"), HomeDirectory());
}

std::string ProgramDirectory() { return DirectoryOf(SettingsFilePath()); }

std::string MakeProgramDirectory() {
  const std::string folder = ProgramDirectory();
  std::error_code ec;
  if (std::filesystem::create_directories(folder, ec)) {
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ec);
  }
  return folder;
}

}  // namespace quoxa
