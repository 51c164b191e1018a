#pragma once
// Texts of the settings subsystem.

namespace quoxa::msg {

// Names the settings file actually used (the full path).
inline constexpr const char* kErrorWritingIni = "Error writing %s";
inline constexpr const char* kErrorReadingFile = "Error reading\n%s";
inline constexpr const char* kAlreadyLinked = "%s is already linked to %s";

}  // namespace quoxa::msg
