#include "search/SearchInput.h"

#include <algorithm>

#include "core/CodePage.h"
#include "core/DocState.h"
#include "core/MessageTexts.h"
#include "core/Messages.h"
#include "search/RegexEngine.h"
#include "search/SearchState.h"
#include "search/SearchTexts.h"
#include "settings/Options.h"
#include "widgets/ByteEditRules.h"
#include "widgets/HexString.h"

namespace quoxa {

namespace {

// The bytes of a byte string edit's text; nullopt when it is not a hex string of whole bytes.
std::optional<std::string> EditBytes(const std::string& text) {
  if (!IsValidByteEditText(text)) return std::nullopt;
  return HexStringToBytes(text, true);
}

bool HasCasedByte(const std::string& bytes) {
  return std::any_of(bytes.begin(), bytes.end(), [](char ch) {
    const auto b = static_cast<uint8_t>(ch);
    return AnsiUpper(b) != b || AnsiLower(b) != b;
  });
}

FieldCheck Refuse(FieldCheck check, const char* message, DialogField focus) {
  ShowError(message);
  check.accepted = false;
  check.focus = focus;
  return check;
}

}  // namespace

FieldCheck CheckFindFields(const FindFields& find) {
  FieldCheck check;
  check.caseSensitive = find.caseSensitive;
  const std::optional<std::string> joker = EditBytes(find.jokerText);
  if (!joker || joker->size() != 1) return Refuse(check, msg::kEnterJokerChar, DialogField::Joker);
  check.jokerByte = static_cast<uint8_t>((*joker)[0]);
  const DialogField field = find.hexMode ? DialogField::FindHex : DialogField::FindText;
  if (!find.hexMode) {
    if (find.findText.empty()) return Refuse(check, msg::kEmptyFindString, DialogField::FindText);
    check.findString = Utf8ToBytes(find.findText);
  } else {
    const std::optional<std::string> bytes = EditBytes(find.findHexText);
    if (!bytes) return Refuse(check, msg::kHexStringInvalid, DialogField::FindHex);
    check.findString = *bytes;
  }
  if (find.regex) {
    if (!RegexSearcher().Prepare(check.findString, find.caseSensitive)) {
      return Refuse(check, RegexSearcher().Error().c_str(), field);
    }
    check.accepted = true;
    return check;
  }
  if (find.hexMode && !find.caseSensitive && HasCasedByte(check.findString)) {
    switch (AskYesNoCancel(msg::kCaseQuestion)) {
      case mrYes:
        check.caseSensitive = true;
        break;
      case mrNo:
        break;
      default:
        check.accepted = false;
        check.focus = DialogField::None;
        return check;
    }
  }
  check.accepted = true;
  return check;
}

FieldCheck CheckReplaceFields(const FindFields& find, const ReplaceFields& replace) {
  FieldCheck check = CheckFindFields(find);
  if (!check.accepted) return check;
  if (!replace.hexMode) {
    check.replaceString = Utf8ToBytes(replace.replaceText);
  } else if (!replace.replaceHexText.empty()) {
    const std::optional<std::string> bytes = EditBytes(replace.replaceHexText);
    if (!bytes) return Refuse(check, msg::kHexStringInvalid, DialogField::ReplaceHex);
    check.replaceString = *bytes;
  }
  if (find.regex) {
    const std::string wrong = RegexSearcher().CheckReplacement(check.replaceString);
    if (!wrong.empty()) {
      return Refuse(check, wrong.c_str(), replace.hexMode ? DialogField::ReplaceHex : DialogField::ReplaceText);
    }
  }
  return check;
}

SearchDialogValues CurrentDialogValues() {
  const SearchState& s = Search();
  SearchDialogValues values;
  values.caseSensitive = s.CaseSensitive;
  values.jokerEnabled = s.JokerEnabled;
  values.jokerByte = s.JokerByte;
  values.regexEnabled = s.RegexEnabled;
  values.findHexMode = Options().FindHex;
  values.replaceHexMode = Options().ReplaceHex;
  values.searchDown = s.SearchDown;
  values.fromCursor = s.FromCursor;
  values.findString = s.FindString;
  values.replaceString = s.ReplaceString;
  return values;
}

namespace {

void ApplyCommonValues(const SearchDialogValues& values) {
  SearchState& s = Search();
  s.CaseSensitive = values.caseSensitive;
  s.JokerEnabled = values.jokerEnabled;
  s.JokerByte = values.jokerByte;
  s.RegexEnabled = values.regexEnabled;
  s.FromCursor = values.fromCursor;
  s.FindString = values.findString;
  Options().FindHex = values.findHexMode;
}

}  // namespace

void ApplyFindValues(const SearchDialogValues& values) {
  ApplyCommonValues(values);
  Search().SearchDown = values.searchDown;
}

void ApplyReplaceValues(const SearchDialogValues& values) {
  ApplyCommonValues(values);
  Search().ReplaceString = values.replaceString;
  Options().ReplaceHex = values.replaceHexMode;
}

std::optional<std::string> PickUpNextByteText(const std::string& editText) {
  std::string bytes;
  if (!editText.empty()) {
    const std::optional<std::string> parsed = EditBytes(editText);
    if (!parsed) return std::nullopt;
    bytes = *parsed;
  }
  if (Doc().DocBuffer == nullptr || Doc().DocSize <= 0) return std::nullopt;
  const int64_t cursor = CursorAddress();
  const int64_t next = cursor + static_cast<int64_t>(bytes.size());
  if (cursor < 1 || next > Doc().DocSize) return std::nullopt;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (GetByte(cursor + static_cast<int64_t>(i)) != static_cast<uint8_t>(bytes[i])) {
      return std::nullopt;
    }
  }
  const std::string digits = HexByte(GetByte(next));
  return editText.empty() ? digits : editText + " " + digits;
}

std::string JokerCharText(uint8_t byte) { return CodePointToUtf8(ByteToUnicode(byte)); }

}  // namespace quoxa
