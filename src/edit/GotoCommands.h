#pragma once
// The Address menu's moves: Go to (absolute or relative), the remembered address and the
// distance to it. Positions are 1-based; what the user types and sees is the displayed address.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quoxa {

namespace msg {
inline constexpr const char* kAddressInvalid = "Address invalid";
inline constexpr const char* kDifference =
    "Remembered address dec: %.0n\nDifference dec: %.0n\rRemembered address hex: %x\nDifference hex: %x";
}  // namespace msg

// The Go mode of the Go to dialog, kept in the GotoMode setting.
enum GotoModeIndex : int32_t { kGotoAbsolute = 0, kGotoRelativeDown = 1, kGotoRelativeUp = 2 };

// Where the Go to dialog's text leads in mode: absolute = the displayed address a, relative
// down = cursor + a, relative up = cursor - a. Nothing when the text is no number or the
// position is outside 1..docSize.
std::optional<int64_t> GotoTarget(std::string_view text, int32_t mode, int64_t cursor, int64_t docSize, int64_t base);

// The Go to dialog closed with OK: its mode is kept and the cursor goes to position.
void AfterGotoDialog(int64_t position, int32_t mode);

// Moves the cursor to a position the caller checked, keeping the page when it is on it.
void GoToPosition(int64_t position);

// Remember address: the cursor's position; Goto remembered and Display difference usable.
void RememberAddressCommand();
// Goto remembered: there, or "Address invalid" when it is no longer inside the document.
void GotoRememberedCommand();

// The Display difference text: the displayed remembered address and cursor - remembered, in
// decimal and (32-bit two's complement) hex.
std::string DifferenceText(int64_t remembered, int64_t cursor);
void DisplayDifferenceCommand();

}  // namespace quoxa
