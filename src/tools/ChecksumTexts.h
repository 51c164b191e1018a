#pragma once
// Texts of the checksum dialog and of quoxa --hash.

namespace quoxa::msg {

inline constexpr const char* kChecksumCaption = "Checksums";
inline constexpr const char* kChecksumProgressCaption = "Checksums";
inline constexpr const char* kChecksumProgressText = "Computing checksums...";
inline constexpr const char* kChecksumNoneTicked = "Tick at least one algorithm.";
inline constexpr const char* kChecksumRefused = " is not available: the system's crypto library refuses it";
// What the results were computed over: the scope and "%.0n" bytes.
inline constexpr const char* kChecksumOfBlock = "Block, %.0n bytes:";
inline constexpr const char* kChecksumOfFile = "Whole file, %.0n bytes:";
inline constexpr const char* kChecksumMatch = "Matches %s.";
inline constexpr const char* kChecksumNoMatch = "No value matches.";

// quoxa --hash
inline constexpr const char* kHashUsage = "Usage: quoxa --hash ALG[,ALG...] FILE...\n";
inline constexpr const char* kHashUnknown = "quoxa: unknown algorithm '%s'\n";
inline constexpr const char* kHashKnown = "Known algorithms: %s\n";

}  // namespace quoxa::msg
