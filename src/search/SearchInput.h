#pragma once
// What the Find/Count and Replace dialogs take from their controls: the OK checks in their
// order with their messages, the values they copy back into the search state, and the byte
// that Right arrow picks up in a hex string edit.

#include <cstdint>
#include <optional>
#include <string>

namespace quoxa {

// The find part of both dialogs as the controls hold it when OK is pressed.
struct FindFields {
  std::string jokerText;      // the joker's hex edit
  bool hexMode = false;       // the hex string radio is checked
  std::string findText;       // the text edit as typed (UTF-8)
  std::string findHexText;    // the hex string edit
  bool caseSensitive = true;  // the case check box
  bool regex = false;         // the find string is a regular expression
};

// The replacement part of the Replace dialog.
struct ReplaceFields {
  bool hexMode = false;
  std::string replaceText;     // UTF-8
  std::string replaceHexText;
};

enum class DialogField { None, Joker, FindText, FindHex, ReplaceText, ReplaceHex };

struct FieldCheck {
  bool accepted = false;                  // the dialog may close
  DialogField focus = DialogField::None;  // where the focus goes when it stays open (None: where it is)
  bool caseSensitive = true;              // the case check box afterwards (the question may check it)
  uint8_t jokerByte = 0;
  std::string findString;
  std::string replaceString;
};

// The Find dialog's OK checks, in order: one joker byte ("Enter joker char"), a find text
// ("Can't find empty string") or a valid hex string ("Hex string invalid"), then, for a hex
// string with letters and Case sensitive off, the Yes/No/Cancel case question. A regular
// expression must compile instead ("Invalid regular expression at position N: ...").
FieldCheck CheckFindFields(const FindFields& find);

// The Replace dialog's checks: those of the find part, then a replacement hex string that is
// empty or valid ("Hex string invalid"). An empty replacement is allowed in both modes; with a
// regular expression it names only groups the pattern has.
FieldCheck CheckReplaceFields(const FindFields& find, const ReplaceFields& replace);

// The options and strings both dialogs show and give back.
struct SearchDialogValues {
  bool caseSensitive = true;
  bool jokerEnabled = false;
  uint8_t jokerByte = 0x2E;
  bool regexEnabled = false;
  bool findHexMode = true;
  bool replaceHexMode = true;
  bool searchDown = true;
  bool fromCursor = true;
  std::string findString;
  std::string replaceString;
};

// The values a dialog starts with: the search state and the string modes of the options.
SearchDialogValues CurrentDialogValues();
// Copies back what the Find/Count dialog sets (not the replacement).
void ApplyFindValues(const SearchDialogValues& values);
// Copies back what the Replace dialog sets (not the direction).
void ApplyReplaceValues(const SearchDialogValues& values);

// Right arrow at the end of a hex string edit: when the edit's bytes (none for an empty edit)
// equal the document from the cursor on, the text with the following document byte appended;
// nullopt when there is no such byte or the text is not a hex string.
std::optional<std::string> PickUpNextByteText(const std::string& editText);

// The joker byte shown as a character (UTF-8).
std::string JokerCharText(uint8_t byte);

}  // namespace quoxa
