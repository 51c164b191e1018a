#include "widgets/ByteEditRules.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "widgets/HexString.h"

namespace quoxa {

namespace {

bool IsBlank(char ch) { return ch == ' '; }

// Trimming takes every control character and blank, as the edit's text can hold them after a paste.
std::string_view Trim(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return text.substr(begin, end - begin);
}

std::vector<std::string_view> SplitAtBlanks(std::string_view text) {
  std::vector<std::string_view> pieces;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t next = text.find(' ', pos);
    if (next == std::string_view::npos) next = text.size();
    if (next > pos) pieces.push_back(text.substr(pos, next - pos));
    pos = next + 1;
  }
  return pieces;
}

}  // namespace

ByteKeyResult FilterByteEditKey(std::string_view text, int caret, char typed) {
  const int length = static_cast<int>(text.size());
  caret = std::clamp(caret, 0, length);
  if (typed >= 'a' && typed <= 'z') typed = static_cast<char>(typed - 'a' + 'A');
  if (typed == kKeyBackspace) {
    const bool nearEnd = caret == length || caret == length - 1;
    return {caret > 0 && nearEnd ? ByteKeyAction::Pass : ByteKeyAction::Swallow, 0, caret};
  }
  if (typed == kKeyCopy || typed == kKeyPaste || typed == kKeyCut) return {ByteKeyAction::Pass, 0, caret};
  const bool digit = (typed >= '0' && typed <= '9') || (typed >= 'A' && typed <= 'F');
  if (!digit) return {ByteKeyAction::Swallow, 0, caret};
  int at = caret;
  const bool byteBefore = caret >= 2 && !IsBlank(text[caret - 2]) && !IsBlank(text[caret - 1]);
  if (byteBefore && caret < length && IsBlank(text[caret])) ++at;
  return {ByteKeyAction::Insert, typed, at};
}

ByteEditText FormatByteEditText(std::string_view text, int caret) {
  const int length = static_cast<int>(text.size());
  const int c = std::clamp(caret, 0, length);
  const bool atEnd = c == length;
  const bool insideGroup = c > 0 && c < length && !IsBlank(text[c - 1]) && !IsBlank(text[c]);

  ByteEditText out;
  for (std::string_view piece : SplitAtBlanks(Trim(text))) {
    if (!out.text.empty()) out.text += ' ';
    if (piece.size() == 4) {
      out.text.append(piece.substr(0, 2)).append(" ").append(piece.substr(2));
    } else if (piece.size() == 3) {
      const size_t split = insideGroup ? 1 : 2;
      out.text.append(piece.substr(0, split)).append(" ").append(piece.substr(split));
    } else {
      out.text.append(piece);
    }
  }

  const std::string& t = out.text;
  int at = c;
  if (insideGroup) {
    // Behind the same digit as before, whatever blanks the regrouping put in front of it.
    const auto digitsBefore = std::count_if(text.begin(), text.begin() + c, [](char ch) { return !IsBlank(ch); });
    int64_t seen = 0;
    at = 0;
    while (at < static_cast<int>(t.size()) && seen < digitsBefore) {
      if (!IsBlank(t[static_cast<size_t>(at)])) ++seen;
      ++at;
    }
  } else {
    if (atEnd) {
      at = c + 1;
    } else if (c < static_cast<int>(t.size()) && IsBlank(t[c])) {
      at = c + 1;
    }
  }
  at = std::clamp(at, 0, static_cast<int>(t.size()));
  if (at >= 3 && IsBlank(t[at - 3]) && !IsBlank(t[at - 2]) && IsBlank(t[at - 1])) {
    --at;
  } else if (at == 2 && !IsBlank(t[0]) && IsBlank(t[1])) {
    --at;
  }
  out.caret = at;
  return out;
}

bool IsValidByteEditText(std::string_view text) {
  if (!IsHexString(text, true)) return false;
  for (std::string_view piece : SplitAtBlanks(Trim(text))) {
    if (piece.size() != 2) return false;
  }
  return true;
}

int ByteEditMaxLength(int maxBytes) {
  if (maxBytes <= 0) return 0;
  if (maxBytes > (INT_MAX - 1) / 3 + 1) return INT_MAX;
  return 3 * maxBytes - 1;
}

}  // namespace quoxa
