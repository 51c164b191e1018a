#include "script/ScriptParse.h"

#include "script/ScriptError.h"
#include "script/ScriptTexts.h"
#include "widgets/HexString.h"

namespace quoxa {

namespace {

bool IsBlankOrControl(char ch) { return static_cast<unsigned char>(ch) <= ' '; }

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

bool IsHexDigit(char ch) { return IsDigit(ch) || (ch >= 'A' && ch <= 'F') || (ch >= 'a' && ch <= 'f'); }

// The character at at, whole when it is a UTF-8 sequence, so that a message never shows half of one.
std::string CharacterAt(const std::string& text, size_t at) {
  if (at >= text.size()) return {};
  size_t end = at + 1;
  if (static_cast<unsigned char>(text[at]) >= 0xC0) {
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  }
  return text.substr(at, end - at);
}

}  // namespace

std::string StripScript(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlankOrControl(text[begin])) ++begin;
  while (end > begin && IsBlankOrControl(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& ch : upper) {
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  }
  return upper;
}

ScriptCommandLine SplitCommand(const std::string& stripped) {
  const size_t blank = stripped.find(' ');
  if (blank == std::string::npos) return {stripped, {}};
  return {stripped.substr(0, blank), StripScript(std::string_view(stripped).substr(blank + 1))};
}

std::string FillPlaceholders(std::string_view pattern, std::initializer_list<std::string> values) {
  std::string text;
  auto value = values.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    if (pattern[i] == '%' && (next == 's' || next == 'd' || next == 'x') && value != values.end()) {
      text += *value++;
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

std::optional<int64_t> ParseScriptNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && text[i] == '$') {
    ++i;
    if (i == text.size()) return std::nullopt;
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
      if (!IsHexDigit(text[i])) return std::nullopt;
      if (value >> 60 != 0) return std::nullopt;
      value = value * 16 + static_cast<uint64_t>(HexDigitValue(text[i]));
    }
    return static_cast<int64_t>(value);
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  constexpr uint64_t kLimit = uint64_t{INT64_MAX} + 1;
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return std::nullopt;
    const auto digit = static_cast<uint64_t>(text[i] - '0');
    if (value > (kLimit - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  if (negative) return value == kLimit ? INT64_MIN : -static_cast<int64_t>(value);
  if (value == kLimit) return std::nullopt;
  return static_cast<int64_t>(value);
}

std::optional<std::string> ParseScriptHex(std::string_view text) {
  try {
    return HexStringToBytes(text, true);
  } catch (const ConvertError&) {
    return std::nullopt;
  }
}

std::string SubstituteParameters(std::string text, const std::vector<std::string>& arguments) {
  int substituted = 0;
  for (size_t at = text.find('%'); at != std::string::npos; at = text.find('%')) {
    const std::string after = CharacterAt(text, at + 1);
    if (after.size() != 1 || !IsDigit(after[0])) {
      throw ScriptError(FillPlaceholders(msg::kScriptInvalidParameter, {"%", after}));
    }
    if (++substituted > kMaxSubstitutions) {
      throw ScriptError(FillPlaceholders(msg::kScriptEndlessParameter, {"%", after}));
    }
    const size_t index = static_cast<size_t>(after[0] - '0') + 2;
    if (index >= arguments.size() || arguments[index].empty()) {
      throw ScriptError(FillPlaceholders(msg::kScriptMissingParameter, {"%", after}));
    }
    text.replace(at, 2, arguments[index]);
  }
  return text;
}

std::optional<std::pair<std::string, std::string>> SplitReplace(const std::string& param) {
  const size_t by = UpperAscii(param).find(" BY ");
  if (by == std::string::npos) return std::nullopt;
  return std::make_pair(StripScript(std::string_view(param).substr(0, by)),
                        StripScript(std::string_view(param).substr(by + 4)));
}

std::vector<std::string> SplitVerify(const std::string& param) {
  const std::string upper = UpperAscii(param);
  std::vector<std::string> pieces;
  size_t begin = 0;
  for (size_t at = upper.find("OR"); at != std::string::npos; at = upper.find("OR", begin)) {
    pieces.push_back(StripScript(std::string_view(upper).substr(begin, at - begin)));
    begin = at + 2;
  }
  pieces.push_back(StripScript(std::string_view(upper).substr(begin)));
  return pieces;
}

bool VerifyAlternativeValid(std::string_view alternative) {
  std::string compact;
  for (char ch : alternative) {
    if (ch != ' ') compact += ch;
  }
  std::string digits;
  for (size_t i = 0; i < compact.size(); ++i) {
    if (compact[i] == '?' && i + 1 < compact.size() && compact[i + 1] == '?') {
      ++i;
    } else {
      digits += compact[i];
    }
  }
  try {
    HexStringToBytes(digits, false);
    return true;
  } catch (const ConvertError&) {
    return false;
  }
}

bool MatchHexAt(const uint8_t* data, int64_t size, int64_t pos, std::string_view alternative) {
  // Blanks are skipped, so that 4D5A and 4D  5A compare as the check read them.
  std::string pairs;
  for (char ch : alternative) {
    if (ch != ' ') pairs += ch;
  }
  const int64_t count = static_cast<int64_t>(pairs.size() / 2);
  if (pos < 1 || pos + count - 1 > size) return false;
  for (int64_t k = 0; k < count; ++k) {
    const char first = pairs[static_cast<size_t>(2 * k)];
    if (first == '?') continue;
    const std::string expected = HexByte(data[pos - 1 + k]);
    if (first != expected[0] || pairs[static_cast<size_t>(2 * k + 1)] != expected[1]) return false;
  }
  return true;
}

}  // namespace quoxa
