#include "tools/ImportScan.h"

#include <cstdio>

#include "core/TextFormat.h"
#include "tools/DataFormatTexts.h"

namespace quoxa {

TScanResult LineFault(int64_t line, const std::string& text) {
  return {false, false, FormatMsgS(FormatMsgD(msg::kLineFault, line), text), line};
}

std::string CharText(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte > ' ' && byte < 0x7F) return std::string("'") + c + "'";
  char text[16];
  std::snprintf(text, sizeof text, "byte 0x%02X", byte);
  return text;
}

std::string AddressText(int64_t address) {
  char text[24];
  std::snprintf(text, sizeof text, "%08llX", static_cast<unsigned long long>(address));
  return text;
}

TScanResult ScanText(TDataFormat format, std::string_view text, IRecordSink& sink) {
  switch (format) {
    case TDataFormat::IntelHex:
      return ScanIntelHex(text, sink);
    case TDataFormat::SRecord:
      return ScanSRecord(text, sink);
    case TDataFormat::Base64:
      return ScanBase64(text, sink);
    case TDataFormat::HexLines:
      return ScanHexLines(text, sink);
    default:
      return {false, false, {}};
  }
}

}  // namespace quoxa
