#include "core/FileIdentity.h"

#include <algorithm>
#include <cerrno>
#include <string>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace quoxa {

namespace {

// Names of the file's extended attributes; false when they cannot be listed.
bool ListAttributes(int fd, std::vector<std::string>& names) {
  names.clear();
  for (;;) {
    const ssize_t size = flistxattr(fd, nullptr, 0);
    if (size < 0) return errno == ENOTSUP;  // a file system without them: none to keep
    if (size == 0) return true;
    std::vector<char> list(static_cast<size_t>(size));
    const ssize_t got = flistxattr(fd, list.data(), list.size());
    if (got < 0) {
      if (errno == ERANGE) continue;  // grew meanwhile
      return false;
    }
    for (size_t i = 0; i < static_cast<size_t>(got);) {
      const std::string name(list.data() + i);
      if (!name.empty()) names.push_back(name);
      i += name.size() + 1;
    }
    return true;
  }
}

bool ReadAttribute(int fd, const std::string& name, std::string& value) {
  for (;;) {
    const ssize_t size = fgetxattr(fd, name.c_str(), nullptr, 0);
    if (size < 0) return false;
    value.assign(static_cast<size_t>(size), '\0');
    const ssize_t got = fgetxattr(fd, name.c_str(), value.data(), value.size());
    if (got < 0) {
      if (errno == ERANGE) continue;
      return false;
    }
    value.resize(static_cast<size_t>(got));
    return true;
  }
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

bool CopyAttributes(int fromFd, int toFd) {
  std::vector<std::string> wanted;
  std::vector<std::string> present;
  if (!ListAttributes(fromFd, wanted) || !ListAttributes(toFd, present)) return false;
  // A new file may get attributes of its own (a folder's default ACL): they go.
  for (const std::string& name : present) {
    if (!Contains(wanted, name) && fremovexattr(toFd, name.c_str()) != 0) return false;
  }
  for (const std::string& name : wanted) {
    std::string value;
    if (!ReadAttribute(fromFd, name, value)) return false;
    std::string current;
    // Equal values are left alone: setting some (a security label) needs privileges.
    if (Contains(present, name) && ReadAttribute(toFd, name, current) && current == value) continue;
    if (fsetxattr(toFd, name.c_str(), value.data(), value.size(), 0) != 0) return false;
  }
  return true;
}

}  // namespace

bool CopyIdentity(int fromFd, const struct stat& from, int toFd) {
  struct stat now {};
  if (fstat(toFd, &now) != 0) return false;
  // Ownership first: changing it clears set-id bits and capabilities, which follow.
  if ((now.st_uid != from.st_uid || now.st_gid != from.st_gid) && fchown(toFd, from.st_uid, from.st_gid) != 0) {
    return false;
  }
  if (fchmod(toFd, from.st_mode & 07777) != 0) return false;
  if (!CopyAttributes(fromFd, toFd)) return false;
  if (fstat(toFd, &now) != 0) return false;
  return now.st_uid == from.st_uid && now.st_gid == from.st_gid && (now.st_mode & 07777) == (from.st_mode & 07777);
}

}  // namespace quoxa
