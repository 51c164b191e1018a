#pragma once
// The patch that lets programs built with Borland Pascal 7.0 run on fast processors: one byte of
// the delay loop's calibration, found by its byte sequence.

namespace quoxa {

inline constexpr const char* kPatchFindHex = "F7D0F7D2B937";
inline constexpr const char* kPatchReplaceHex = "F7D0F7D2B97E";

enum class PatchOutcome { Cancelled, NotFound, Patched, NotReplaced };

// Replaces the first occurrence of the sequence through the shared search state (which keeps
// the sequence as its find and replace strings), under a progress box; tells the user the
// outcome; leaves Replace again and Replace undo disabled.
PatchOutcome PatchExecutable();

}  // namespace quoxa
