#pragma once
// The integer conversion the dialogs apply to the text of a numeric edit: a leading "$" means
// hexadecimal.

#include <cstdint>
#include <optional>
#include <string_view>

namespace quoxa {

// Optional leading blanks, an optional sign, then decimal digits or "$" and hex digits, nothing
// after. nullopt when the text is no such number or its value does not fit 64 bits signed.
std::optional<int64_t> TextToInteger(std::string_view text);

// "'%s' is not a valid integer value" with the text.
inline constexpr const char* kNotValidInteger = "'%s' is not a valid integer value";

}  // namespace quoxa
