#include "ui/main/ViewTexts.h"

#include <algorithm>
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

std::string AddressCellText(int64_t address, int digits) {
  std::string text = FormatHex(address);
  const auto width = static_cast<size_t>(digits);
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

int AddressDigitsFor(int64_t lastAddress) {
  return std::max(kAddressDigits, static_cast<int>(FormatHex(std::max<int64_t>(lastAddress, 0)).size()));
}

std::string AddressPanelSample(int64_t lastAddress) {
  int64_t nines = 999999999;
  while (nines < lastAddress && nines < INT64_MAX / 10) nines = nines * 10 + 9;
  return FormatMsgN(kAdrDecPattern, nines);
}

std::string CharPanelSample() { return CharPanelText(255); }

std::string ModePanelSample() { return kOverwriteText; }

}  // namespace quoxa
