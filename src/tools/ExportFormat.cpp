#include "tools/ExportFormat.h"

#include "core/TextFormat.h"
#include "tools/DataFormatTexts.h"
#include "tools/ExportEncoder.h"
#include "tools/ImportScan.h"

namespace quoxa {

namespace {

struct FormatInfo {
  TDataFormat format;
  const char* name;
  const char* extension;
};

constexpr FormatInfo kFormats[] = {
    {TDataFormat::IntelHex, "ihex", ".hex"}, {TDataFormat::SRecord, "srec", ".srec"},
    {TDataFormat::CArray, "c", ".c"},        {TDataFormat::PythonBytes, "python", ".py"},
    {TDataFormat::Base64, "base64", ".b64"}, {TDataFormat::HexLines, "hex", ".txt"},
};

const FormatInfo& InfoOf(TDataFormat format) {
  for (const FormatInfo& info : kFormats) {
    if (info.format == format) return info;
  }
  return kFormats[0];
}

}  // namespace

const char* FormatName(TDataFormat format) { return InfoOf(format).name; }

std::optional<TDataFormat> FormatFromName(std::string_view name) {
  for (const FormatInfo& info : kFormats) {
    if (name == info.name) return info.format;
  }
  return std::nullopt;
}

bool Importable(TDataFormat format) {
  return format != TDataFormat::CArray && format != TDataFormat::PythonBytes;
}

bool HasAddresses(TDataFormat format) {
  return format == TDataFormat::IntelHex || format == TDataFormat::SRecord;
}

const char* FormatExtension(TDataFormat format) { return InfoOf(format).extension; }

std::string ExportProblem(const TExportOptions& options, int64_t size) {
  if (HasAddresses(options.format)) {
    if (options.recordBytes != 16 && options.recordBytes != 32) return msg::kBadRecordWidth;
    const int64_t last = options.baseAddress + (size > 0 ? size - 1 : 0);
    if (options.baseAddress < 0 || size > kMaxRecordAddress + 1 || last > kMaxRecordAddress) {
      return FormatMsgS(msg::kPastAddressRange, AddressText(options.baseAddress < 0 ? 0 : last));
    }
    if (options.startAddress &&
        (*options.startAddress < 0 || *options.startAddress > kMaxRecordAddress)) {
      return FormatMsgS(msg::kPastAddressRange, AddressText(*options.startAddress));
    }
    if (options.format == TDataFormat::SRecord &&
        options.header.size() > static_cast<size_t>(kMaxHeaderLength)) {
      return FormatMsgD(msg::kHeaderTooLong, kMaxHeaderLength);
    }
  }
  if (options.format == TDataFormat::CArray || options.format == TDataFormat::PythonBytes) {
    if (options.bytesPerLine != 12 && options.bytesPerLine != 16) return msg::kBadLineWidth;
    if (!IsIdentifier(options.name)) return FormatMsgS(msg::kNotAnIdentifier, options.name);
  }
  return {};
}

std::optional<int64_t> ParseAddress(std::string_view text, int64_t limit) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  int base = 10;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    base = 16;
    text.remove_prefix(2);
  } else if (text.starts_with("$")) {
    base = 16;
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  for (const char c : text) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : base == 16 ? HexDigitOrNone(c) : -1;
    if (digit < 0) return std::nullopt;
    value = value * base + digit;
    if (value > limit) return std::nullopt;
  }
  return value;
}

std::string AddressInput(int64_t address) { return "0x" + AddressText(address); }

bool IsIdentifier(std::string_view name) {
  if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
  for (const char c : name) {
    const bool ok =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return true;
}

std::string ArrayNameFor(const std::string& fileName) {
  std::string name = FileNameOnly(fileName);
  if (name.empty()) return "data";
  for (char& c : name) {
    const bool ok =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) c = '_';
  }
  if (name[0] >= '0' && name[0] <= '9') name.insert(name.begin(), '_');
  return name;
}

TExportText::TExportText(const TExportOptions& options, const uint8_t* data, int64_t size)
    : size_(size) {
  switch (options.format) {
    case TDataFormat::IntelHex:
      encoder_ = MakeIntelHexEncoder(options, data, size);
      break;
    case TDataFormat::SRecord:
      encoder_ = MakeSRecordEncoder(options, data, size);
      break;
    case TDataFormat::CArray:
      encoder_ = MakeCArrayEncoder(options, data, size);
      break;
    case TDataFormat::PythonBytes:
      encoder_ = MakePythonEncoder(options, data, size);
      break;
    case TDataFormat::Base64:
      encoder_ = MakeBase64Encoder(data, size);
      break;
    case TDataFormat::HexLines:
      encoder_ = MakeHexLinesEncoder(data, size);
      break;
  }
}

TExportText::~TExportText() = default;

int64_t TExportText::TextSize() const { return encoder_->TextSize(); }

bool TExportText::Next(std::string& out, size_t budget) {
  if (footerDone_) return false;
  if (!headerDone_) {
    encoder_->Header(out);
    headerDone_ = true;
  }
  while (pos_ < size_ && out.size() < budget) pos_ = encoder_->Line(out, pos_);
  if (pos_ == size_) {
    encoder_->Footer(out);
    footerDone_ = true;
  }
  return true;
}

std::string ExportToString(const TExportOptions& options, const uint8_t* data, int64_t size) {
  TExportText text(options, data, size);
  std::string out;
  out.reserve(static_cast<size_t>(text.TextSize()));
  while (text.Next(out, static_cast<size_t>(text.TextSize()))) {
  }
  return out;
}

}  // namespace quoxa
