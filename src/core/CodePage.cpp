#include "core/CodePage.h"

namespace quoxa {

namespace {

// 0x80..0x9F of Windows-1252; 0 marks the five unassigned bytes, shown as themselves.
constexpr char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

}  // namespace

char32_t ByteToUnicode(uint8_t byte) {
  if (byte >= 0x80 && byte < 0xA0 && kHigh[byte - 0x80] != 0) return kHigh[byte - 0x80];
  return byte;
}

bool UnicodeToByte(char32_t code, uint8_t& byte) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
    byte = static_cast<uint8_t>(code);
    return true;
  }
  for (int i = 0; i < 32; ++i) {
    const char32_t mapped = kHigh[i] != 0 ? kHigh[i] : static_cast<char32_t>(0x80 + i);
    if (mapped == code) {
      byte = static_cast<uint8_t>(0x80 + i);
      return true;
    }
  }
  return false;
}

uint8_t AnsiUpper(uint8_t b) {
  if (b >= 'a' && b <= 'z') return static_cast<uint8_t>(b - 32);
  if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<uint8_t>(b - 32);
  switch (b) {
    case 0x9A: return 0x8A;  // š
    case 0x9C: return 0x8C;  // œ
    case 0x9E: return 0x8E;  // ž
    case 0xFF: return 0x9F;  // ÿ
    default: return b;
  }
}

uint8_t AnsiLower(uint8_t b) {
  if (b >= 'A' && b <= 'Z') return static_cast<uint8_t>(b + 32);
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<uint8_t>(b + 32);
  switch (b) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return b;
  }
}

std::string CodePointToUtf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

std::string BytesToUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes) out += CodePointToUtf8(ByteToUnicode(static_cast<uint8_t>(ch)));
  return out;
}

std::string Utf8ToBytes(const std::string& utf8) {
  std::string out;
  size_t i = 0;
  const size_t n = utf8.size();
  while (i < n) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    char32_t code = 0;
    size_t extra = 0;
    if (lead < 0x80) {
      code = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      code = lead & 0x1F;
      extra = 1;
    } else if ((lead & 0xF0) == 0xE0) {
      code = lead & 0x0F;
      extra = 2;
    } else if ((lead & 0xF8) == 0xF0) {
      code = lead & 0x07;
      extra = 3;
    } else {
      out += '?';
      ++i;
      continue;
    }
    size_t k = 1;
    for (; k <= extra && i + k < n; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      if ((next & 0xC0) != 0x80) break;
      code = (code << 6) | (next & 0x3F);
    }
    if (k <= extra) {
      out += '?';
      i += k;
      continue;
    }
    i += extra + 1;
    uint8_t byte = 0;
    out += UnicodeToByte(code, byte) ? static_cast<char>(byte) : '?';
  }
  return out;
}

}  // namespace quoxa
