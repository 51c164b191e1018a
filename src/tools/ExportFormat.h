#pragma once
// The text formats bytes are exported to and imported from (firmware images, source code,
// Base64, hex lines), their options, and the generator that turns bytes into such a text in
// pieces, so that a long export can show its progress and be cancelled.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quoxa {

enum class TDataFormat { IntelHex, SRecord, CArray, PythonBytes, Base64, HexLines };

inline constexpr TDataFormat kAllDataFormats[] = {TDataFormat::IntelHex, TDataFormat::SRecord,
                                                  TDataFormat::CArray,   TDataFormat::PythonBytes,
                                                  TDataFormat::Base64,   TDataFormat::HexLines};

// The name on the command line: "ihex", "srec", "c", "python", "base64", "hex".
const char* FormatName(TDataFormat format);
std::optional<TDataFormat> FormatFromName(std::string_view name);
// Whether the format can be read back (the source-code formats cannot).
bool Importable(TDataFormat format);
// Whether the output carries addresses (Intel HEX, S-record).
bool HasAddresses(TDataFormat format);
// The usual file name extension, with its dot.
const char* FormatExtension(TDataFormat format);

// The highest address an Intel HEX or S-record file can hold.
constexpr int64_t kMaxRecordAddress = 0xFFFFFFFF;
// The longest S-record header: the record's length byte counts its address and checksum too.
constexpr int kMaxHeaderLength = 252;

struct TExportOptions {
  TDataFormat format = TDataFormat::IntelHex;
  // Intel HEX and S-record: the address of the first byte, data bytes per record (16 or 32),
  // the start address to record, and the text of the S-record header.
  int64_t baseAddress = 0;
  int32_t recordBytes = 16;
  std::optional<int64_t> startAddress;
  std::string header;
  // C array and Python bytes: the variable's name and the bytes per line (12 or 16).
  std::string name = "data";
  int32_t bytesPerLine = 16;
};

// Why the options cannot export size bytes ("" when they can): addresses past 32 bits, a record
// or line width other than offered, a name that is no identifier, a header too long.
std::string ExportProblem(const TExportOptions& options, int64_t size);

// An address or byte as typed: decimal, or hexadecimal after "0x" or "$", blanks around it
// allowed; nullopt for anything else or above limit.
std::optional<int64_t> ParseAddress(std::string_view text, int64_t limit);
// "0x" and eight or more upper-case hex digits.
std::string AddressInput(int64_t address);

// A variable name made from a file name, as xxd -i makes it: characters other than letters,
// digits and "_" become "_", and a leading digit gets a "_" in front. "data" for an empty name.
std::string ArrayNameFor(const std::string& fileName);
// Letters, digits and "_", not starting with a digit, not empty.
bool IsIdentifier(std::string_view name);

// Turns size bytes at data into the text of a format, in pieces. The options must pass
// ExportProblem; the bytes must stay in place while the text is made.
class TExportText {
 public:
  TExportText(const TExportOptions& options, const uint8_t* data, int64_t size);
  ~TExportText();
  TExportText(const TExportText&) = delete;
  TExportText& operator=(const TExportText&) = delete;

  // The length of the whole text, known before it is made (the writer reserves it).
  int64_t TextSize() const;
  // Appends whole lines to out until it holds at least budget characters or the text is
  // complete; false once nothing is left.
  bool Next(std::string& out, size_t budget);
  // Bytes turned into text so far.
  int64_t BytesDone() const { return pos_; }

  class Encoder;

 private:
  std::unique_ptr<Encoder> encoder_;
  int64_t size_;
  int64_t pos_ = 0;
  bool headerDone_ = false;
  bool footerDone_ = false;
};

// The whole text at once (tests, small blocks).
std::string ExportToString(const TExportOptions& options, const uint8_t* data, int64_t size);

}  // namespace quoxa
