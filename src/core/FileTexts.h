#pragma once
// Texts of reading and writing files and of the read-only mode, in one place.

namespace quoxa::msg {

inline constexpr const char* kReadingFile = "Reading file";
inline constexpr const char* kWritingFile = "Writing file";
inline constexpr const char* kErrorOpeningFile = "Error opening file\n%s";
inline constexpr const char* kErrorReading = "Error reading\n%s";
inline constexpr const char* kErrorClosingFile = "Error closing file\n%s";
inline constexpr const char* kReadingCancelled = "Reading cancelled:\n%s";
inline constexpr const char* kErrorWriting = "Error writing\n%s";
inline constexpr const char* kWritingCancelled = "Writing %s cancelled";
inline constexpr const char* kNotRegularFile = "Error writing\n%s\nNot a regular file";

// Read-only mode: the question after a file in use, and the status panel texts
// for a mode the user chose (or accepted) and for a write-protected file.
inline constexpr const char* kOpenReadOnlyQuestion = "%s is opened by another application.\nOpen in Read Only mode?";
inline constexpr const char* kOpenedReadOnly = "File opened in Read Only mode!";
inline constexpr const char* kIsReadOnly = "File is in Read Only mode!";

}  // namespace quoxa::msg
