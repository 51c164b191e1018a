#pragma once
// Insert string and Overwrite string: the OK checks of their dialog in order with their
// messages, and the change each makes at the cursor.

#include <cstdint>
#include <string>

namespace quoxa {

namespace msg {
inline constexpr const char* kEmptyStringNotValid = "Empty string not valid";
}  // namespace msg

// The dialog's controls as OK finds them.
struct InsFields {
  bool hexMode = false;     // the hex string radio is checked
  std::string text;         // the text edit as typed (UTF-8)
  std::string hexText;      // the hex string edit
  bool countShown = true;   // Insert has the "Insert <n> times" group, Overwrite has not
  std::string countText;    // the numeric edit
};

enum class InsField { None, Text, Hex, Count };

struct InsCheck {
  bool accepted = false;
  InsField focus = InsField::None;  // where the focus goes when the dialog stays open
  bool hexMode = false;
  std::string bytes;
  int64_t count = 1;
};

// A text ("Empty string not valid") or a valid hex string ("Hex string invalid"), then, with
// the count shown, a count of at least 1 ("Empty string not valid"; a text that is no integer
// gets the integer conversion's message).
InsCheck CheckInsFields(const InsFields& fields);

// After OK: the string count times before the cursor byte, the cursor behind it; InsHex keeps
// the string's mode. A block at or behind the cursor no longer holds its bytes.
void InsertString(const InsCheck& accepted);
// After OK: the string over the bytes from the cursor on ("Can't overwrite beyond end of file"
// when it would pass the end).
void OverwriteString(const InsCheck& accepted);

}  // namespace quoxa
