#include "ui/main/ViewTexts.h"

#include <array>

#include "core/CodePage.h"
#include "core/TextFormat.h"

namespace quoxa {

namespace {

std::array<std::string, 256> BuildHexTable() {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::array<std::string, 256> table;
  for (int b = 0; b < 256; ++b) table[static_cast<size_t>(b)] = {kDigits[b >> 4], kDigits[b & 15]};
  return table;
}

}  // namespace

const std::string& HexByteText(uint8_t b) {
  static const std::array<std::string, 256> table = BuildHexTable();
  return table[b];
}

char32_t DisplayChar(uint8_t b) { return ByteToUnicode(b == 0 ? uint8_t{0xB0} : b); }

std::string AddressPanelText(bool textMode, int64_t address) {
  if (textMode) return FormatMsgN(kAdrDecPattern, address);
  return FormatMsg(kAdrHexPattern, "%x", FormatHex(address));
}

std::string CharPanelText(uint8_t b) { return FormatMsgD(kCharDecPattern, b); }

std::string ModePanelText(bool overwrite) { return overwrite ? kOverwriteText : kInsertText; }

std::string AddressCellText(int64_t address) {
  std::string digits = FormatHex(address);
  if (digits.size() < 8) digits.insert(0, 8 - digits.size(), ' ');
  return digits;
}

std::string AddressPanelSample() { return FormatMsgN(kAdrDecPattern, 999999999); }

std::string CharPanelSample() { return CharPanelText(255); }

std::string ModePanelSample() { return kOverwriteText; }

}  // namespace quoxa
