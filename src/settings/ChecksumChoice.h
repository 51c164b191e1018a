#pragma once
// The algorithms ticked in the checksum dialog, kept in the settings file: section
// "Checksums", key "Algorithms", their command-line keys separated by commas.

#include <string>
#include <vector>

namespace quoxa {

inline constexpr const char* kDefaultChecksumChoice = "crc32,md5,sha1,sha256";

// The stored keys (blanks around each removed, empty ones dropped); the default list when the
// key is missing.
std::vector<std::string> ReadChecksumChoice();
// false when the settings file could not be written.
bool WriteChecksumChoice(const std::vector<std::string>& keys);

}  // namespace quoxa
