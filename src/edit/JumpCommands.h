#pragma once
// Jump width, Jump down and Jump up: the cursor moves by a width the user set.

#include <cstdint>
#include <optional>
#include <string_view>

namespace quoxa {

namespace msg {
inline constexpr const char* kJumpWidthInvalid = "Jump width invalid";
}  // namespace msg

// Bytes moved by Jump down and Jump up; 0 until the Jump width dialog set it.
extern int64_t JumpWidth;

// The width the Jump width dialog's text gives: 1 <= w < docSize, else nothing.
std::optional<int64_t> CheckJumpWidth(std::string_view text, int64_t docSize);

// The Jump width dialog closed: with a width (OK) it is kept and both jumps are usable;
// without (Cancel) both are disabled.
void AfterJumpDialog(std::optional<int64_t> width);

// The cursor moves JumpWidth bytes down or up, or "Address invalid" when that leaves the document.
void JumpDownCommand();
void JumpUpCommand();

}  // namespace quoxa
