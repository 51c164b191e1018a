#pragma once
// Reading the parts of a QUOXAscript line: the command word and its parameter, numbers, hex
// strings, run-time parameters and the alternatives of VERIFY. Pure functions.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quoxa {

// Most run-time parameters substituted into one line, so that an argument that names itself
// ("%1" standing for "%1") ends with an error instead of running for ever.
constexpr int kMaxSubstitutions = 1000;

// The text without leading and trailing blanks and control characters (bytes up to 32).
std::string StripScript(std::string_view text);

// a-z folded to A-Z, every other byte kept.
std::string UpperAscii(std::string_view text);

struct ScriptCommandLine {
  std::string word;   // as written
  std::string param;  // stripped; empty without a blank
};

// Splits a stripped line at its first blank (a tab does not split).
ScriptCommandLine SplitCommand(const std::string& stripped);

// Replaces each placeholder (%s, %d, %x) of pattern, left to right, by the next value; text
// brought in by a value is never taken for a placeholder.
std::string FillPlaceholders(std::string_view pattern, std::initializer_list<std::string> values);

// A complete 64-bit signed number: optional blanks, then an optional sign and decimal digits,
// or "$" and at most sixteen significant hex digits (two's complement). Either case.
std::optional<int64_t> ParseScriptNumber(std::string_view text);

// Pairs of hex digits separated by single blanks; a single digit at the end adds nothing.
std::optional<std::string> ParseScriptHex(std::string_view text);

// Replaces %0..%9 by the command-line arguments 2..11 (argument 0 is the program), starting
// over at the beginning after each one. Throws ScriptError for a "%" not followed by a digit,
// for a missing or empty argument, and past kMaxSubstitutions (a substitution without end).
std::string SubstituteParameters(std::string text, const std::vector<std::string>& arguments);

// The search and replacement hex texts around the first " BY " (found in either case), each
// stripped; nullopt without " BY ".
std::optional<std::pair<std::string, std::string>> SplitReplace(const std::string& param);

// The alternatives of a VERIFY parameter: the upper-case text cut at every "OR", each piece
// stripped. A piece may be empty (the caller reports it).
std::vector<std::string> SplitVerify(const std::string& param);

// The check of one alternative: without its blanks and "??" pairs it is compact hex.
bool VerifyAlternativeValid(std::string_view alternative);

// Does the alternative match the bytes at pos (1-based)? Blanks are skipped and the rest read
// as pairs, a pair beginning with "?" matching any byte; false when it passes the end.
bool MatchHexAt(const uint8_t* data, int64_t size, int64_t pos, std::string_view alternative);

}  // namespace quoxa
