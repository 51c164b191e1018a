#pragma once
// What makes a file the file it is, beyond its bytes: owner, group, permission
// bits and extended attributes (access control lists are among them). A file that
// replaces another by rename must carry all of them, or the save writes in place.

#include <sys/stat.h>

namespace quoxa {

// Gives the open file toFd the owner, group, mode and extended attributes of the
// open file fromFd (whose status is from). True only when all of them now match.
bool CopyIdentity(int fromFd, const struct stat& from, int toFd);

}  // namespace quoxa
