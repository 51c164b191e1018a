#include "core/UserFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace quoxa {

namespace {

// What lands in the program's folders are copies of the user's files: nobody else reads them.
void MakePrivateFolder(const std::string& folder) {
  std::error_code ec;
  if (std::filesystem::create_directory(folder, ec)) {
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ec);
  }
}

}  // namespace

std::string HomeDirectory() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return home;
  const struct passwd* account = getpwuid(getuid());
  if (account != nullptr && account->pw_dir != nullptr && account->pw_dir[0] == '/') {
    return account->pw_dir;
  }
  return "/";
}

std::string XdgDirectory(const char* variable, const char* fallbackUnderHome) {
  const char* value = std::getenv(variable);
  if (value != nullptr && value[0] == '/') return value;
  const std::string home = HomeDirectory();
  return (home == "/" ? "" : home) + "/" + fallbackUnderHome;
}

std::string MakeXdgProgramDirectory(const char* variable, const char* fallbackUnderHome,
                                    const std::string& sub) {
  const std::string base = XdgDirectory(variable, fallbackUnderHome);
  std::error_code ec;
  std::filesystem::create_directories(base, ec);
  std::string folder = base + "/quoxa";
  MakePrivateFolder(folder);
  if (!sub.empty()) {
    folder += "/" + sub;
    MakePrivateFolder(folder);
  }
  struct stat st {};
  const bool usable = stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
                      access(folder.c_str(), W_OK | X_OK) == 0;
  return usable ? folder : "";
}

}  // namespace quoxa
