#pragma once
// Texts of the find, count and replace commands and of their dialogs.

namespace quoxa::msg {

inline constexpr const char* kStringNotFound = "String not found";
inline constexpr const char* kOccurrencesFound = "Occurences found:\n%.0n";
inline constexpr const char* kOccurrencesReplaced = "Occurences replaced:\n%.0n";
inline constexpr const char* kEnterJokerChar = "Enter joker char";
inline constexpr const char* kEmptyFindString = "Can't find empty string";
inline constexpr const char* kInvalidOperation = "Invalid operation";
inline constexpr const char* kCaseQuestion =
    "The hex string to find contains case sensitive chars.\n"
    "Because you have NOT checked \"Case sensitive\",\n"
    "this may produce unwanted results.\n\n"
    "Perform instead a CASE SENSITIVE search?";
inline constexpr const char* kReplaceMemoryQuestion =
    "Occurences to replace: %.0n;\nmemory sufficient for\n%.0n replacements.\nReplace them?";

// Progress box captions and labels.
inline constexpr const char* kSearchingCaption = "Searching...";
inline constexpr const char* kCurrentFilePosition = "Current file position";
inline constexpr const char* kReplacingCaption = "Replacing...";
inline constexpr const char* kSearchingLabel = "Searching...";
inline constexpr const char* kReplacingLabel = "Replacing";
inline constexpr const char* kSearchingAndReplacing = "Searching and replacing";
inline constexpr const char* kStepCounting = "Step 1: Counting";
inline constexpr const char* kStepReplacing = "Step 2: Replacing";
inline constexpr const char* kStringsCaption = "Strings...";

}  // namespace quoxa::msg
