#pragma once
// The main window's settings: sections "Options", "display" and "TFormMain".

#include <string>

#include "settings/SettingsWindow.h"

namespace quoxa {

// Bounds of the layout values, shared with the Options dialog.
constexpr int kMinGridCells = 10;
constexpr int kMinFontSize = 8;
constexpr int kMaxFontSize = 24;
constexpr int kMinRecentFiles = 1;
constexpr int kMaxRecentFiles = 9;
constexpr int kDefaultRecentFiles = 5;
inline constexpr const char* kDefaultFont = "Courier New";

// The joker byte of a JokerHex value: its first two characters as hex digits;
// 0x2E when the value is shorter or they are not hex digits.
int JokerByteFromText(const std::string& text);

// Reads the settings file and applies it to the window, Options(), Search() and
// the document state. Called once, at the first activation of the main window.
void ReadSettings(ISettingsWindow& window);

// Writes the values in force with one replacement of the settings file. On a
// failure shows "Error writing <settings file>" once; the file then stays as it was.
bool WriteSettings(const ISettingsWindow& window);

}  // namespace quoxa
