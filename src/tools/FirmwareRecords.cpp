// Intel HEX and Motorola S-record: writing and reading.
#include <array>
#include <cstring>

#include "core/TextFormat.h"
#include "tools/DataFormatTexts.h"
#include "tools/ExportEncoder.h"
#include "tools/ImportScan.h"

namespace quoxa {

namespace {

// ---- writing

// One record line: prefix, the bytes as hex digits, the checksum, a line break. The bytes are
// given in two parts: the record's head (length, address, type) and its data.
void PutRecord(std::string& out, const char* prefix, const uint8_t* head, int headLength,
               const uint8_t* data, int64_t dataLength, bool intel) {
  const size_t prefixLength = std::strlen(prefix);
  const size_t at = out.size();
  out.resize(at + prefixLength + 2 * (headLength + dataLength) + 3);
  char* p = out.data() + at;
  std::memcpy(p, prefix, prefixLength);
  p += prefixLength;
  unsigned sum = 0;
  for (int i = 0; i < headLength; ++i) {
    sum += head[i];
    p = PutHexByte(p, head[i]);
  }
  for (int64_t i = 0; i < dataLength; ++i) {
    sum += data[i];
    p = PutHexByte(p, data[i]);
  }
  // Intel: the two's complement of the sum; Motorola: its ones' complement.
  p = PutHexByte(p, static_cast<uint8_t>(intel ? 0 - sum : ~sum));
  *p = '\n';
}

// Which of the 16-bit, 20-bit (segment) and 32-bit forms the highest address needs.
enum class Reach { Bits16, Bits20, Bits32 };

int64_t TopAddress(const TExportOptions& options, int64_t size) {
  int64_t top = size > 0 ? options.baseAddress + size - 1 : options.baseAddress;
  if (options.startAddress && *options.startAddress > top) top = *options.startAddress;
  return top;
}

class IntelHexEncoder final : public TExportText::Encoder {
 public:
  IntelHexEncoder(const TExportOptions& options, const uint8_t* data, int64_t size)
      : o_(options), data_(data), size_(size) {
    const int64_t top = TopAddress(options, size);
    reach_ = top <= 0xFFFF ? Reach::Bits16 : top <= 0xFFFFF ? Reach::Bits20 : Reach::Bits32;
  }

  int64_t TextSize() const override {
    const int64_t records = AlignedRecordCount(o_.baseAddress, o_.recordBytes, size_);
    int64_t total = 12 * records + 2 * size_ + 12;  // data records, end of file
    if (reach_ != Reach::Bits16 && size_ > 0) {
      total += 16 * ((o_.baseAddress + size_ - 1) / 0x10000 - o_.baseAddress / 0x10000 + 1);
    }
    if (o_.startAddress) total += 20;
    return total;
  }

  void Header(std::string&) override {}

  int64_t Line(std::string& out, int64_t pos) override {
    const int64_t address = o_.baseAddress + pos;
    const int64_t upper = address >> 16;
    if (reach_ != Reach::Bits16 && upper != upper_) {
      // Segment records name the paragraph (address / 16), linear ones the upper 16 bits.
      const int64_t value = reach_ == Reach::Bits20 ? upper << 12 : upper;
      const uint8_t head[] = {2,
                              0,
                              0,
                              static_cast<uint8_t>(reach_ == Reach::Bits20 ? 2 : 4),
                              static_cast<uint8_t>(value >> 8),
                              static_cast<uint8_t>(value)};
      PutRecord(out, ":", head, 6, nullptr, 0, true);
      upper_ = upper;
    }
    const int64_t n = AlignedRecordLength(address, o_.recordBytes, size_ - pos);
    const uint8_t head[] = {static_cast<uint8_t>(n), static_cast<uint8_t>(address >> 8),
                            static_cast<uint8_t>(address), 0};
    PutRecord(out, ":", head, 4, data_ + pos, n, true);
    return pos + n;
  }

  void Footer(std::string& out) override {
    if (o_.startAddress) {
      const auto start = static_cast<uint32_t>(*o_.startAddress);
      if (reach_ == Reach::Bits32) {
        const uint8_t head[] = {4,
                                0,
                                0,
                                5,
                                static_cast<uint8_t>(start >> 24),
                                static_cast<uint8_t>(start >> 16),
                                static_cast<uint8_t>(start >> 8),
                                static_cast<uint8_t>(start)};
        PutRecord(out, ":", head, 8, nullptr, 0, true);
      } else {
        // CS:IP, the segment holding the paragraph of the start.
        const uint32_t cs = (start & 0xF0000) >> 4;
        const uint8_t head[] = {4,
                                0,
                                0,
                                3,
                                static_cast<uint8_t>(cs >> 8),
                                static_cast<uint8_t>(cs),
                                static_cast<uint8_t>(start >> 8),
                                static_cast<uint8_t>(start)};
        PutRecord(out, ":", head, 8, nullptr, 0, true);
      }
    }
    out += ":00000001FF\n";
  }

 private:
  const TExportOptions& o_;
  const uint8_t* data_;
  int64_t size_;
  Reach reach_;
  int64_t upper_ = -1;
};

class SRecordEncoder final : public TExportText::Encoder {
 public:
  SRecordEncoder(const TExportOptions& options, const uint8_t* data, int64_t size)
      : o_(options), data_(data), size_(size) {
    const int64_t top = TopAddress(options, size);
    addressBytes_ = top <= 0xFFFF ? 2 : top <= 0xFFFFFF ? 3 : 4;
    records_ = AlignedRecordCount(options.baseAddress, options.recordBytes, size);
  }

  int64_t TextSize() const override {
    const int64_t header = 11 + 2 * static_cast<int64_t>(o_.header.size());
    const int64_t count = records_ <= 0xFFFF ? 11 : records_ <= 0xFFFFFF ? 13 : 0;
    const int64_t lineOverhead = 7 + 2 * addressBytes_;
    return header + lineOverhead * records_ + 2 * size_ + count + lineOverhead;
  }

  void Header(std::string& out) override {
    const uint8_t head[] = {static_cast<uint8_t>(3 + o_.header.size()), 0, 0};
    PutRecord(out, "S0", head, 3, reinterpret_cast<const uint8_t*>(o_.header.data()),
              static_cast<int64_t>(o_.header.size()), false);
  }

  int64_t Line(std::string& out, int64_t pos) override {
    const int64_t address = o_.baseAddress + pos;
    const int64_t n = AlignedRecordLength(address, o_.recordBytes, size_ - pos);
    uint8_t head[5];
    head[0] = static_cast<uint8_t>(addressBytes_ + n + 1);
    for (int i = 0; i < addressBytes_; ++i)
      head[1 + i] = static_cast<uint8_t>(address >> (8 * (addressBytes_ - 1 - i)));
    static constexpr const char* kData[] = {"", "", "S1", "S2", "S3"};
    PutRecord(out, kData[addressBytes_], head, 1 + addressBytes_, data_ + pos, n, false);
    return pos + n;
  }

  void Footer(std::string& out) override {
    if (records_ <= 0xFFFFFF) {
      const int bytes = records_ <= 0xFFFF ? 2 : 3;
      uint8_t head[4] = {static_cast<uint8_t>(bytes + 1)};
      for (int i = 0; i < bytes; ++i)
        head[1 + i] = static_cast<uint8_t>(records_ >> (8 * (bytes - 1 - i)));
      PutRecord(out, bytes == 2 ? "S5" : "S6", head, 1 + bytes, nullptr, 0, false);
    }
    const int64_t start = o_.startAddress.value_or(0);
    uint8_t head[5];
    head[0] = static_cast<uint8_t>(addressBytes_ + 1);
    for (int i = 0; i < addressBytes_; ++i)
      head[1 + i] = static_cast<uint8_t>(start >> (8 * (addressBytes_ - 1 - i)));
    static constexpr const char* kEnd[] = {"", "", "S9", "S8", "S7"};
    PutRecord(out, kEnd[addressBytes_], head, 1 + addressBytes_, nullptr, 0, false);
  }

 private:
  const TExportOptions& o_;
  const uint8_t* data_;
  int64_t size_;
  int addressBytes_;
  int64_t records_;
};

// ---- reading

// The lines of a text, without their line breaks and the blanks around them.
class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text) {}

  bool Next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const size_t end = text_.find('\n', pos_);
    const size_t stop = end == std::string_view::npos ? text_.size() : end;
    size_t first = pos_;
    size_t last = stop;
    while (first < last && IsBlank(text_[first])) ++first;
    while (last > first && IsBlank(text_[last - 1])) --last;
    line = text_.substr(first, last - first);
    pos_ = stop + 1;
    ++number_;
    return true;
  }
  int64_t Number() const { return number_; }
  size_t Offset() const { return pos_ < text_.size() ? pos_ : text_.size(); }

 private:
  static bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
  }

  std::string_view text_;
  size_t pos_ = 0;
  int64_t number_ = 0;
};

// The longest record: a length byte of 255 and its frame.
constexpr size_t kMaxRecordBytes = 255 + 5;

// The value of each character as a hex digit, -1 for none.
constexpr std::array<int8_t, 256> kHexValues = [] {
  std::array<int8_t, 256> t{};
  for (int c = 0; c < 256; ++c)
    t[static_cast<size_t>(c)] = static_cast<int8_t>(HexDigitOrNone(static_cast<char>(c)));
  return t;
}();

// Decodes the hex digits of a record into bytes; count receives how many bytes the digits make
// (only the first kMaxRecordBytes are stored). "" or the fault.
std::string DecodeDigits(std::string_view digits, uint8_t* out, size_t& count) {
  count = digits.size() / 2;
  const size_t stored = count < kMaxRecordBytes ? count : kMaxRecordBytes;
  int bad = 0;
  for (size_t i = 0; i < stored; ++i) {
    const int high = kHexValues[static_cast<uint8_t>(digits[2 * i])];
    const int low = kHexValues[static_cast<uint8_t>(digits[2 * i + 1])];
    bad |= high | low;
    out[i] = static_cast<uint8_t>(high << 4 | low);
  }
  if (bad < 0 || stored < count || digits.size() % 2 != 0) {
    for (const char c : digits) {
      if (kHexValues[static_cast<uint8_t>(c)] < 0)
        return FormatMsgS(msg::kNotHexDigit, CharText(c));
    }
    if (digits.size() % 2 != 0) return msg::kOddHexDigits;
  }
  return {};
}

std::string TwoDigits(unsigned value) {
  char text[4];
  PutHexByte(text, static_cast<uint8_t>(value));
  return std::string(text, 2);
}

std::string LengthFault(size_t says, size_t holds) {
  return FormatMsgD(FormatMsgD(msg::kRecordLength, static_cast<int64_t>(says)),
                    static_cast<int64_t>(holds));
}

std::string DataLengthFault(const std::string& type, size_t holds, size_t wanted) {
  return FormatMsgD(
      FormatMsgD(FormatMsgS(msg::kRecordDataLength, type), static_cast<int64_t>(holds)),
      static_cast<int64_t>(wanted));
}

std::string ChecksumFault(unsigned says, unsigned gives) {
  return FormatMsgS(FormatMsgS(msg::kChecksum, TwoDigits(says)), TwoDigits(gives));
}

// Calls the sink's Continue when the reading passed another step.
class Progress {
 public:
  explicit Progress(IRecordSink& sink) : sink_(sink) {}
  bool Continue(size_t offset) {
    if (static_cast<int64_t>(offset) < next_) return true;
    next_ = static_cast<int64_t>(offset) + kScanStep;
    return sink_.Continue(static_cast<int64_t>(offset));
  }

 private:
  IRecordSink& sink_;
  int64_t next_ = kScanStep;
};

TScanResult Cancelled() { return {false, true, {}}; }

}  // namespace

EncoderPtr MakeIntelHexEncoder(const TExportOptions& options, const uint8_t* data, int64_t size) {
  return std::make_unique<IntelHexEncoder>(options, data, size);
}

EncoderPtr MakeSRecordEncoder(const TExportOptions& options, const uint8_t* data, int64_t size) {
  return std::make_unique<SRecordEncoder>(options, data, size);
}

TScanResult ScanIntelHex(std::string_view text, IRecordSink& sink) {
  Lines lines(text);
  Progress progress(sink);
  std::string_view line;
  uint8_t record[kMaxRecordBytes];
  int64_t upper = 0;  // the address the record addresses count from
  bool segments = false;
  while (lines.Next(line)) {
    if (!progress.Continue(lines.Offset())) return Cancelled();
    if (line.empty()) continue;
    const int64_t number = lines.Number();
    if (line[0] != ':') return LineFault(number, FormatMsgS(msg::kRecordStart, ":"));
    size_t count = 0;
    const std::string fault = DecodeDigits(line.substr(1), record, count);
    if (!fault.empty()) return LineFault(number, fault);
    if (count < 5) return LineFault(number, msg::kRecordTooShort);
    const size_t length = record[0];
    if (count != length + 5) return LineFault(number, LengthFault(length, count - 5));
    unsigned sum = 0;
    for (size_t i = 0; i + 1 < count; ++i) sum += record[i];
    const unsigned wanted = (0 - sum) & 0xFF;
    if (record[count - 1] != wanted)
      return LineFault(number, ChecksumFault(record[count - 1], wanted));
    const unsigned type = record[3];
    const int64_t offset = record[1] << 8 | record[2];
    const uint8_t* data = record + 4;
    const auto needs = [&](size_t bytes) {
      return length == bytes ? std::string() : DataLengthFault(TwoDigits(type), length, bytes);
    };
    std::string wrong;
    switch (type) {
      case 0:
        if (length == 0) break;
        if (segments) {
          // Inside a segment the offset wraps at 64 KiB.
          const size_t first =
              static_cast<size_t>(0x10000 - offset) < length ? 0x10000 - offset : length;
          sink.Data(upper + offset, data, first, number);
          if (first < length) sink.Data(upper, data + first, length - first, number);
        } else {
          if (upper + offset + static_cast<int64_t>(length) - 1 > kMaxRecordAddress) {
            return LineFault(number, msg::kPastTopAddress);
          }
          sink.Data(upper + offset, data, length, number);
        }
        break;
      case 1:
        wrong = needs(0);
        if (wrong.empty()) return {};
        break;
      case 2:
      case 4:
        wrong = needs(2);
        segments = type == 2;
        upper = int64_t{data[0] << 8 | data[1]} << (segments ? 4 : 16);
        break;
      case 3:
      case 5:
        wrong = needs(4);
        break;
      default:
        return LineFault(number, FormatMsgS(msg::kUnknownRecord, TwoDigits(type)));
    }
    if (!wrong.empty()) return LineFault(number, wrong);
  }
  return LineFault(lines.Number() > 0 ? lines.Number() : 1, msg::kNoEndRecord);
}

TScanResult ScanSRecord(std::string_view text, IRecordSink& sink) {
  Lines lines(text);
  Progress progress(sink);
  std::string_view line;
  uint8_t record[kMaxRecordBytes];
  int64_t dataRecords = 0;
  while (lines.Next(line)) {
    if (!progress.Continue(lines.Offset())) return Cancelled();
    if (line.empty()) continue;
    const int64_t number = lines.Number();
    if (line[0] != 'S') return LineFault(number, FormatMsgS(msg::kRecordStart, "S"));
    if (line.size() < 2) return LineFault(number, msg::kRecordTooShort);
    const char type = line[1];
    const std::string typeName = std::string("S") + type;
    // Address bytes of each type; 0 for none.
    static constexpr int kAddressBytes[] = {2, 2, 3, 4, 0, 2, 3, 4, 3, 2};
    if (type < '0' || type > '9' || type == '4') {
      return LineFault(number, FormatMsgS(msg::kUnknownRecord,
                                          type >= '!' && type <= '~' ? typeName : CharText(type)));
    }
    size_t count = 0;
    const std::string fault = DecodeDigits(line.substr(2), record, count);
    if (!fault.empty()) return LineFault(number, fault);
    if (count < 1) return LineFault(number, msg::kRecordTooShort);
    const size_t length = record[0];
    if (count != length + 1) return LineFault(number, LengthFault(length, count - 1));
    const auto addressBytes = static_cast<size_t>(kAddressBytes[type - '0']);
    if (length < addressBytes + 1) return LineFault(number, msg::kRecordTooShort);
    unsigned sum = 0;
    for (size_t i = 0; i + 1 < count; ++i) sum += record[i];
    const unsigned wanted = ~sum & 0xFF;
    if (record[count - 1] != wanted)
      return LineFault(number, ChecksumFault(record[count - 1], wanted));
    int64_t address = 0;
    for (size_t i = 0; i < addressBytes; ++i) address = address << 8 | record[1 + i];
    const uint8_t* data = record + 1 + addressBytes;
    const size_t dataLength = length - addressBytes - 1;
    switch (type) {
      case '1':
      case '2':
      case '3':
        if (dataLength > 0) {
          if (address + static_cast<int64_t>(dataLength) - 1 > kMaxRecordAddress) {
            return LineFault(number, msg::kPastTopAddress);
          }
          sink.Data(address, data, dataLength, number);
        }
        ++dataRecords;
        break;
      case '5':
      case '6':
        if (dataLength != 0) return LineFault(number, DataLengthFault(typeName, dataLength, 0));
        if (address != dataRecords) {
          return LineFault(number, FormatMsgD(FormatMsgD(msg::kRecordCount, address), dataRecords));
        }
        break;
      case '7':
      case '8':
      case '9':
        if (dataLength != 0) return LineFault(number, DataLengthFault(typeName, dataLength, 0));
        return {};
      default:  // S0, the header
        break;
    }
  }
  return {};
}

}  // namespace quoxa
