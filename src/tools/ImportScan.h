#pragma once
// The readers of imported text: each hands the bytes it finds, with their addresses and lines,
// to a sink, and stops at the first fault with "line N: ..." and what is wrong.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tools/ExportFormat.h"

namespace quoxa {

struct TScanResult {
  bool ok = true;
  bool cancelled = false;
  std::string message;  // the fault, when neither ok nor cancelled
  int64_t line = 0;     // the line of the fault; 0 for a fault of the whole text
};

class IRecordSink {
 public:
  virtual ~IRecordSink() = default;
  // length (> 0) bytes for address .. address + length - 1, found on line (1-based).
  virtual void Data(int64_t address, const uint8_t* bytes, size_t length, int64_t line) = 0;
  // Called after every kScanStep characters with how many were read; false cancels the reading.
  virtual bool Continue(int64_t done) {
    (void)done;
    return true;
  }
};

inline constexpr int64_t kScanStep = int64_t{1} << 20;

// Intel HEX: data records (00) placed by the extended segment (02) and linear (04) address
// records; start addresses (03, 05) are skipped; the end-of-file record (01) is required and
// ends the reading. Blank lines and blanks around a record are ignored.
TScanResult ScanIntelHex(std::string_view text, IRecordSink& sink);
// Motorola S-record: S1, S2, S3 data; S0 header, S7, S8, S9 start addresses are skipped (S7-S9
// end the reading); S5, S6 counts are checked.
TScanResult ScanSRecord(std::string_view text, IRecordSink& sink);
// Base64 and hex digits: blanks and line breaks anywhere are ignored; the bytes follow each
// other from address 0.
TScanResult ScanBase64(std::string_view text, IRecordSink& sink);
TScanResult ScanHexLines(std::string_view text, IRecordSink& sink);
TScanResult ScanText(TDataFormat format, std::string_view text, IRecordSink& sink);

// For the readers: the fault on a line, a character as a fault names it, a hex digit's value
// (-1 for none, unlike HexDigitValue, which throws), an address as eight or more hex digits.
TScanResult LineFault(int64_t line, const std::string& text);
std::string CharText(char c);
constexpr int HexDigitOrNone(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}
std::string AddressText(int64_t address);

}  // namespace quoxa
