#pragma once
// Texts of the settings subsystem.

namespace quoxa::msg {

inline constexpr const char* kErrorWritingIni = "Error writing QUOXA.INI";
inline constexpr const char* kErrorReadingFile = "Error reading\n%s";
inline constexpr const char* kAlreadyLinked = "%s is already linked to %s";

}  // namespace quoxa::msg
