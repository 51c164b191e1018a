// Base64 in lines of 76 characters, and hex lines as xxd -p writes them: writing and reading.
#include "core/TextFormat.h"
#include "tools/DataFormatTexts.h"
#include "tools/ExportEncoder.h"
#include "tools/ImportScan.h"

namespace quoxa {

namespace {

constexpr char kBase64Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int64_t kBase64LineBytes = 57;  // 76 characters
constexpr int64_t kHexLineBytes = 30;     // 60 digits

class Base64Encoder final : public TExportText::Encoder {
 public:
  Base64Encoder(const uint8_t* data, int64_t size) : data_(data), size_(size) {}

  int64_t TextSize() const override {
    return 4 * ((size_ + 2) / 3) + (size_ + kBase64LineBytes - 1) / kBase64LineBytes;
  }
  void Header(std::string&) override {}
  void Footer(std::string&) override {}

  int64_t Line(std::string& out, int64_t pos) override {
    const int64_t n = size_ - pos < kBase64LineBytes ? size_ - pos : kBase64LineBytes;
    const uint8_t* p = data_ + pos;
    int64_t i = 0;
    for (; i + 3 <= n; i += 3) {
      const uint32_t v = uint32_t{p[i]} << 16 | uint32_t{p[i + 1]} << 8 | p[i + 2];
      const char group[] = {kBase64Digits[v >> 18], kBase64Digits[(v >> 12) & 63],
                            kBase64Digits[(v >> 6) & 63], kBase64Digits[v & 63]};
      out.append(group, 4);
    }
    if (i < n) {
      const uint32_t v = uint32_t{p[i]} << 16 | (i + 1 < n ? uint32_t{p[i + 1]} << 8 : 0);
      const char group[] = {kBase64Digits[v >> 18], kBase64Digits[(v >> 12) & 63],
                            i + 1 < n ? kBase64Digits[(v >> 6) & 63] : '=', '='};
      out.append(group, 4);
    }
    out += '\n';
    return pos + n;
  }

 private:
  const uint8_t* data_;
  int64_t size_;
};

class HexLinesEncoder final : public TExportText::Encoder {
 public:
  HexLinesEncoder(const uint8_t* data, int64_t size) : data_(data), size_(size) {}

  int64_t TextSize() const override {
    return 2 * size_ + (size_ + kHexLineBytes - 1) / kHexLineBytes;
  }
  void Header(std::string&) override {}
  void Footer(std::string&) override {}

  int64_t Line(std::string& out, int64_t pos) override {
    const int64_t n = size_ - pos < kHexLineBytes ? size_ - pos : kHexLineBytes;
    const size_t at = out.size();
    out.resize(at + 2 * n + 1);
    char* p = out.data() + at;
    for (int64_t i = 0; i < n; ++i) p = PutHexByte(p, data_[pos + i], kLowerDigits);
    *p = '\n';
    return pos + n;
  }

 private:
  const uint8_t* data_;
  int64_t size_;
};

// Collects decoded bytes and hands them to the sink in blocks, with their addresses from 0.
class ByteRun {
 public:
  explicit ByteRun(IRecordSink& sink) : sink_(sink) {}
  void Put(uint8_t b, int64_t line) {
    if (n_ == sizeof buffer_ || (n_ > 0 && line != line_)) Flush();
    if (n_ == 0) line_ = line;
    buffer_[n_++] = b;
  }
  void Flush() {
    if (n_ == 0) return;
    sink_.Data(address_, buffer_, n_, line_);
    address_ += static_cast<int64_t>(n_);
    n_ = 0;
  }

 private:
  IRecordSink& sink_;
  uint8_t buffer_[4096];
  size_t n_ = 0;
  int64_t line_ = 0;
  int64_t address_ = 0;
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

}  // namespace

EncoderPtr MakeBase64Encoder(const uint8_t* data, int64_t size) {
  return std::make_unique<Base64Encoder>(data, size);
}

EncoderPtr MakeHexLinesEncoder(const uint8_t* data, int64_t size) {
  return std::make_unique<HexLinesEncoder>(data, size);
}

TScanResult ScanBase64(std::string_view text, IRecordSink& sink) {
  ByteRun run(sink);
  int64_t line = 1;
  uint32_t group = 0;
  int digits = 0;   // of the group being read
  int padding = 0;  // "=" read; the data has ended
  int64_t lastLine = 1;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n') ++line;
    if (IsBlank(c)) continue;
    if (i % kScanStep == 0 && i > 0 && !sink.Continue(static_cast<int64_t>(i)))
      return {false, true, {}};
    lastLine = line;
    if (c == '=') {
      // One "=" ends a group of three digits, two end a group of two.
      if (digits < 2) return LineFault(line, msg::kBase64Incomplete);
      if (digits + padding >= 4) return LineFault(line, msg::kAfterBase64End);
      ++padding;
      continue;
    }
    const int value = Base64Value(c);
    if (value < 0) return LineFault(line, FormatMsgS(msg::kNotBase64, CharText(c)));
    if (padding > 0) return LineFault(line, msg::kAfterBase64End);
    group = group << 6 | static_cast<uint32_t>(value);
    if (++digits == 4) {
      run.Put(static_cast<uint8_t>(group >> 16), line);
      run.Put(static_cast<uint8_t>(group >> 8), line);
      run.Put(static_cast<uint8_t>(group), line);
      digits = 0;
      group = 0;
    }
  }
  if (digits == 1) return LineFault(lastLine, msg::kBase64Incomplete);
  if (padding > 0 && digits + padding != 4) return LineFault(lastLine, msg::kBase64Incomplete);
  // A last group without its "=" is taken as if they were there.
  if (digits >= 2) run.Put(static_cast<uint8_t>(group >> (6 * digits - 8)), lastLine);
  if (digits == 3) run.Put(static_cast<uint8_t>(group >> 2), lastLine);
  run.Flush();
  return {};
}

TScanResult ScanHexLines(std::string_view text, IRecordSink& sink) {
  ByteRun run(sink);
  int64_t line = 1;
  int64_t lastLine = 1;
  int high = -1;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n') ++line;
    if (IsBlank(c)) continue;
    if (i % kScanStep == 0 && i > 0 && !sink.Continue(static_cast<int64_t>(i)))
      return {false, true, {}};
    const int value = HexDigitOrNone(c);
    if (value < 0) return LineFault(line, FormatMsgS(msg::kNotHexDigit, CharText(c)));
    lastLine = line;
    if (high < 0) {
      high = value;
    } else {
      run.Put(static_cast<uint8_t>(high << 4 | value), line);
      high = -1;
    }
  }
  if (high >= 0) return LineFault(lastLine, msg::kOddHexDigits);
  run.Flush();
  return {};
}

}  // namespace quoxa
