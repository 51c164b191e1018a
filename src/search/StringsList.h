#pragma once
// The Strings command's list: the printable runs of the block (or of the whole document when
// none is marked) under the progress box, the lines Copy and Save as text write, and going to one.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "search/StringScan.h"

namespace quoxa {

constexpr int64_t kDefaultStringLength = 4;

// The runs of at least minLength characters in both encodings, their offsets 0-based in the
// document; nullopt when the user cancelled.
std::optional<std::vector<FoundString>> CollectStrings(int64_t minLength);

// The run's characters, as the document holds them now.
std::string StringTextAt(const FoundString& found);

// "address<TAB>length<TAB>encoding<TAB>text", the address as the user sees it, in hex.
std::string StringLine(const FoundString& found);

// Whether the run's text holds filter, ignoring the case of ASCII letters (an empty filter always).
bool StringMatchesFilter(const std::string& text, const std::string& filter);

// Puts the cursor on the run's first byte and marks the run as the block.
void GoToString(const FoundString& found);

// Writes the lines through the safe writer; 0 or the I/O error number.
int SaveStringLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace quoxa
