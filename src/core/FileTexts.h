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
// A file of the kernel's own (/proc, /sys): what it holds is shown, but it is no file to save.
inline constexpr const char* kIsSystemFile = "System file, opened in Read Only mode!";

// Saving over a file another program replaced or changed meanwhile.
inline constexpr const char* kChangedByOther =
    "%s was changed by another program since it was opened. Overwrite it?";
// Writing in place without a copy to fall back on.
inline constexpr const char* kNoRoomForBackup =
    "There is no room for a safety copy of %s. If the program is interrupted while saving, the "
    "file will be "
    "damaged. Save anyway?";

// What an earlier run left: the copy of a file whose save was interrupted, and the unsaved
// changes of a document when the program had to end. Yes restores or opens, No deletes the
// copy, Cancel leaves it to be asked about again.
inline constexpr const char* kRestoreBackup =
    "Saving %s was interrupted, and the file may be damaged.\nRestore it from the copy kept before "
    "that save?"
    "\n\nNo keeps the file as it is and deletes the copy; Cancel asks again next time.";
inline constexpr const char* kOpenUnsaved =
    "The changes to %s were not saved when the program had to end.\nOpen the copy that was kept of "
    "them?"
    "\n\nNo deletes the copy; Cancel asks again next time.";

}  // namespace quoxa::msg
