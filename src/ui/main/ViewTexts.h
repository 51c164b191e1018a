#pragma once
// The texts the view shows: cell texts of the three grids and the status panels.

#include <cstdint>
#include <string>

namespace quoxa {

inline constexpr const char* kAdrDecPattern = "Adr. dec: %.0n";
inline constexpr const char* kAdrHexPattern = "Adr. hex: %x";
inline constexpr const char* kCharDecPattern = "Char dec: %d";
inline constexpr const char* kInsertText = "Insert";
inline constexpr const char* kOverwriteText = "Overwrite";
inline constexpr const char* kScrollingText = "Scrolling...";
inline constexpr int kAddressDigits = 8;

// Two upper-case hex digits of a byte, from the table built once.
const std::string& HexByteText(uint8_t b);

// Character shown for a byte in the text grid: 0xB0 of the code page for byte 0,
// the byte's own character otherwise.
char32_t DisplayChar(uint8_t b);

// Status panel 0: decimal with thousands separators in text mode, hex in hex mode.
std::string AddressPanelText(bool textMode, int64_t address);
// Status panel 1: the byte's decimal value.
std::string CharPanelText(uint8_t b);
// Status panel 2.
std::string ModePanelText(bool overwrite);
// Address cell: right-aligned upper-case hex in digits characters (eight, or as many as the
// document's last address needs).
std::string AddressCellText(int64_t address, int digits = kAddressDigits);
// Characters of the address column for a document whose last address is lastAddress.
int AddressDigitsFor(int64_t lastAddress);

// Widest texts of panels 0..2, from which their widths are set; panel 0 grows with the
// document's last address past 999,999,999.
std::string AddressPanelSample(int64_t lastAddress = 0);
std::string CharPanelSample();
std::string ModePanelSample();

}  // namespace quoxa
