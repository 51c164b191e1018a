#pragma once
// Find, count and replace with a regular expression: the shared search state's FindString is
// the pattern and ReplaceString the replacement with its $n and ${name} groups. The same rules
// as the literal search hold; a pattern that can match empty never repeats a match, and a
// match may be empty after the last byte (counted and replaced, not found by Find).

#include <cstdint>

#include "search/RegexSearch.h"
#include "search/Replace.h"
#include "search/SearchEngine.h"

namespace quoxa {

// The program's one compiled pattern; recompiled when FindString or the case option change.
TRegexSearch& RegexSearcher();

// Compiles FindString; false after showing the error of an invalid pattern.
bool PrepareRegex();

// The text shown when a limit stopped a match: "Regular expression too complex: <message>".
std::string RegexStoppedText(const std::string& message);

FindResult RegexFindNext(int64_t pos, bool continuing, SearchProgress& progress);
FindResult RegexFindPrevious(int64_t pos, SearchProgress& progress);
CountResult RegexCount(bool down, int64_t start);
ReplaceResult RegexReplaceNext(int64_t pos, bool continuing);
ReplaceAllResult RegexReplaceAll(int64_t start);

}  // namespace quoxa
