#pragma once
// The Strings dialog's minimum length, kept in the settings file: section "Strings", key
// "MinLength".

#include <cstdint>

namespace quoxa {

inline constexpr int kMinStringLength = 1;
inline constexpr int kMaxStringLength = 1000;

// The stored length; fallback when the key is missing or its value lies outside the bounds.
int ReadStringsLength(int fallback);
// false when the settings file could not be written.
bool WriteStringsLength(int length);

}  // namespace quoxa
