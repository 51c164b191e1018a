#pragma once
// The typing rules of the byte string edit (TQZByteEdit): which keys it takes and how it
// keeps its text in the separated hex string form while the user types.

#include <string>
#include <string_view>

namespace quoxa {

// Control characters as a typed key delivers them.
inline constexpr char kKeyBackspace = '\b';
inline constexpr char kKeyCopy = 0x03;   // Ctrl+C
inline constexpr char kKeyPaste = 0x16;  // Ctrl+V
inline constexpr char kKeyCut = 0x18;    // Ctrl+X

enum class ByteKeyAction {
  Pass,     // the edit handles the key as usual
  Swallow,  // the key is dropped
  Insert,   // the edit inserts ch at caret
};

struct ByteKeyResult {
  ByteKeyAction action = ByteKeyAction::Swallow;
  char ch = 0;    // Insert: the upper-cased digit
  int caret = 0;  // Insert: where it goes (past a blank that follows a complete byte)
};

// What the edit does with one typed character at caret (0-based index into text).
ByteKeyResult FilterByteEditKey(std::string_view text, int caret, char typed);

struct ByteEditText {
  std::string text;
  int caret = 0;
};

// The text after a change, regrouped into pairs with single blanks, and where the caret goes.
ByteEditText FormatByteEditText(std::string_view text, int caret);

// A separated hex string whose every blank-separated piece is exactly two digits.
bool IsValidByteEditText(std::string_view text);

// Longest text for maxBytes bytes (3 x maxBytes - 1); 0 when maxBytes is 0 (no limit).
int ByteEditMaxLength(int maxBytes);

}  // namespace quoxa
