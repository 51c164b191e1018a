#pragma once
// TRegexSearch: a PCRE2 pattern (8-bit, JIT, no UTF mode unless the pattern asks for it)
// matched against the document's bytes. The scan runs in windows so that it reports progress
// and can be cancelled; a match may run across any window boundary: where a window ends inside
// a possible match, that start is tried again against the rest of the bytes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "search/QSearch.h"

namespace quoxa {

struct RegexMatch {
  int64_t pos = 0;     // 1-based start
  int64_t length = 0;  // may be 0
};

class TRegexSearch {
 public:
  enum class Result { Found, NotFound, Aborted, Failed };

  TRegexSearch();
  ~TRegexSearch();
  TRegexSearch(const TRegexSearch&) = delete;
  TRegexSearch& operator=(const TRegexSearch&) = delete;

  // Compiles pattern unless it is the one compiled with the same option. False for an
  // invalid pattern; Error() then says where and why.
  bool Prepare(std::string_view pattern, bool caseSensitive);

  // The first match that starts at or after start (1-based; size + 1 for an empty match after
  // the last byte) in data[0..size). With notEmptyAtStart an empty match at start itself does
  // not count, so that a loop over the matches always moves on.
  Result Forward(const uint8_t* data, int64_t size, int64_t start, bool notEmptyAtStart, SearchProgress* progress,
                 bool& abort, RegexMatch& match);

  // The match with the greatest start at or after lowest that starts and ends at or before end
  // (1-based); the bytes after end are not seen.
  Result Backward(const uint8_t* data, int64_t end, int64_t lowest, SearchProgress* progress, bool& abort,
                  RegexMatch& match);

  // The replacement for the last match returned: $0..$9, ${n} and ${name} stand for its groups
  // (an unset group for nothing), $$ for one $; any other $ is itself.
  std::string Expand(std::string_view replacement, const uint8_t* data) const;

  // Empty when every group the replacement names exists in the prepared pattern; else the message.
  std::string CheckReplacement(std::string_view replacement) const;

  // The message of the last failure: an invalid pattern, or a limit that stopped matching.
  const std::string& Error() const { return error_; }

  // How many bytes a window spans (tests move the boundaries).
  void SetWindow(int64_t bytes) { window_ = bytes < 1 ? 1 : bytes; }

  // The bytes every match of the prepared pattern plainly starts with (at least two), else
  // empty. Forward then finds them with the literal scanner and tries the pattern only there;
  // the results are the same as without (tests switch the filter off to compare).
  const std::string& LiteralPrefix() const { return prefix_; }
  void SetPrefixFilter(bool on) { prefixFilter_ = on; }

 private:
  enum class Step { Found, None, Failed };
  // The first match starting in [from, windowEnd] of the subject data[0..subjectEnd).
  Step FirstIn(const uint8_t* data, int64_t from, int64_t windowEnd, int64_t subjectEnd, bool notEmptyAtFrom,
               RegexMatch& match);
  int Run(const uint8_t* data, int64_t length, int64_t from, uint32_t options);
  Result ForwardFiltered(const uint8_t* data, int64_t size, int64_t start, bool notEmptyAtStart,
                         SearchProgress* progress, bool& abort, RegexMatch& match);
  // Keeps the groups of a match (rc from pcre2_match) and puts the whole match in match.
  void TakeGroups(int rc, RegexMatch& match);
  Step Failure(int rc);
  void Release();
  // The group a replacement names at text[i] (just after the $), its length in consumed; -1 for
  // no group reference, -2 for a group the pattern lacks.
  int GroupAt(std::string_view text, size_t i, size_t& consumed) const;

  void* code_ = nullptr;        // pcre2_code_8
  void* anchored_ = nullptr;    // the same pattern compiled anchored, when it has a prefix
  void* matchData_ = nullptr;   // pcre2_match_data_8
  void* context_ = nullptr;     // pcre2_match_context_8
  void* jitStack_ = nullptr;    // pcre2_jit_stack_8
  std::string pattern_;
  bool caseSensitive_ = true;
  bool compiled_ = false;
  bool utf_ = false;  // the pattern asked for (*UTF)
  std::string error_;
  int64_t window_ = int64_t{1} << 20;
  std::string prefix_;
  bool prefixFilter_ = true;
  TQSearch literal_;             // finds prefix_
  std::vector<int64_t> groups_;  // start, end (0-based, -1 unset) of each group of the last match
};

// "Invalid regular expression at position N: <message>".
std::string InvalidRegexText(int64_t offset, const std::string& message);

}  // namespace quoxa
