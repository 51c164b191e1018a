// The number codec: typed numbers to bytes with every error, bytes to the decode lines, "%g".
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "tools/NumberCodec.h"
#include "widgets/HexString.h"

namespace quoxa {
namespace {

using T = NumberType;

std::string Hex(const std::string& bytes) { return BytesToHexString(bytes, true); }
std::string Bytes(const char* hex) { return HexStringToBytes(hex, true); }

TEST(NumberCodec, EncodesEveryTypeOrNamesTheError) {
  struct Case {
    const char* text;
    T type;
    const char* little;  // hex of the bytes, or the error
    const char* big;
  };
  const Case cases[] = {
      {"1", T::Word, "01 00", "00 01"},
      {"300", T::ShortInt, "2C", "2C"},
      {"-1", T::ShortInt, "FF", "FF"},
      {"-32768", T::ShortInt, "00", "00"},
      {"40000", T::ShortInt, "Range check error", ""},
      {"$FF", T::Byte, "FF", "FF"},
      {"256", T::Byte, "Range check error", ""},
      {"-1", T::Byte, "Range check error", ""},
      {"65535", T::Word, "FF FF", "FF FF"},
      {"65536", T::Word, "Range check error", ""},
      {"-32768", T::Integer, "00 80", "80 00"},
      {"32768", T::Integer, "Range check error", ""},
      {"+258", T::Integer, "02 01", "01 02"},
      {"-2147483648", T::LongInt, "00 00 00 80", "80 00 00 00"},
      {" 2147483647 ", T::LongInt, "FF FF FF 7F", "7F FF FF FF"},
      {"$ffffffff", T::LongInt, "FF FF FF FF", "FF FF FF FF"},
      {"$12345678", T::LongInt, "78 56 34 12", "12 34 56 78"},
      {"2147483648", T::LongInt, "'2147483648' is not a valid integer value", ""},
      {"$100000000", T::LongInt, "'$100000000' is not a valid integer value", ""},
      {"1.5", T::LongInt, "'1.5' is not a valid integer value", ""},
      {"", T::Byte, "'' is not a valid integer value", ""},
      {"$", T::Byte, "'$' is not a valid integer value", ""},
      {"$-1", T::Byte, "'$-1' is not a valid integer value", ""},
      {"+-1", T::Byte, "'+-1' is not a valid integer value", ""},
      {"12a", T::Byte, "'12a' is not a valid integer value", ""},
      {"1", T::Single, "00 00 80 3F", "3F 80 00 00"},
      {"1", T::Double, "00 00 00 00 00 00 F0 3F", "3F F0 00 00 00 00 00 00"},
      {"0", T::Single, "00 00 00 00", "00 00 00 00"},
      {"0", T::Double, "00 00 00 00 00 00 00 00", "00 00 00 00 00 00 00 00"},
      {"-2.5E-1", T::Single, "00 00 80 BE", "BE 80 00 00"},
      {".5", T::Single, "00 00 00 3F", "3F 00 00 00"},
      {"0e99999", T::Double, "00 00 00 00 00 00 00 00", "00 00 00 00 00 00 00 00"},
      {"1.8e308", T::Double, "Floating point overflow", ""},
      {"1.75e308", T::Double, "Floating point overflow", ""},
      {"-1e999999", T::Double, "Floating point overflow", ""},
      {"3.5e38", T::Single, "Floating point overflow", ""},
      {"1e-50", T::Single, "Floating point underflow", ""},
      {"1e-400", T::Double, "Floating point underflow", ""},
      {"0.0000001e-999999", T::Double, "Floating point underflow", ""},
      // The smallest denormals are still numbers.
      {"1.5e-45", T::Single, "01 00 00 00", "00 00 00 01"},
      {"5e-324", T::Double, "01 00 00 00 00 00 00 00", "00 00 00 00 00 00 00 01"},
      {"1,5", T::Single, "'1,5' is not a valid floating point value", ""},
      {"INF", T::Double, "'INF' is not a valid floating point value", ""},
      {"1e", T::Double, "'1e' is not a valid floating point value", ""},
      {"e5", T::Double, "'e5' is not a valid floating point value", ""},
      {"$10", T::Double, "'$10' is not a valid floating point value", ""},
  };
  for (const Case& c : cases) {
    for (bool big : {false, true}) {
      const EncodeResult r = EncodeNumber(c.text, c.type, big, '.');
      const std::string expected = big && *c.big ? c.big : c.little;
      EXPECT_EQ(r.Ok() ? Hex(r.bytes) : r.error, expected) << c.text << " type " << int(c.type) << " big " << big;
      if (r.Ok()) {
        EXPECT_EQ(r.bytes.size(), size_t(NumberSize(c.type))) << c.text;
      }
    }
  }
}

TEST(NumberCodec, FloatsTakeTheDecimalSeparatorGiven) {
  EXPECT_EQ(Hex(EncodeNumber("1,5", T::Single, false, ',').bytes), "00 00 C0 3F");
  EXPECT_EQ(EncodeNumber("1.5", T::Single, false, ',').error, "'1.5' is not a valid floating point value");
}

TEST(NumberCodec, FormatGFollowsTheFixedAndScientificRules) {
  struct Case {
    double value;
    const char* text;  // with "." as the separator
  };
  const Case cases[] = {
      {1, "1"},
      {-1, "-1"},
      {0, "0"},
      {0.5, "0.5"},
      {double(0.1f), "0.100000001490116"},
      {0.1, "0.1"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {123456789012345.0, "123456789012345"},
      {999999999999999.0, "999999999999999"},
      {1e15, "1E15"},
      {1234567890123456.0, "1.23456789012346E15"},
      {1e20, "1E20"},
      {0.00001, "0.00001"},
      {0.000015, "0.000015"},
      {0.0000099999, "9.9999E-6"},
      {1.5e-7, "1.5E-7"},
      {-2.5e-300, "-2.5E-300"},
      {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
      {double(std::numeric_limits<float>::denorm_min()), "1.40129846432482E-45"},
      {double(std::numeric_limits<float>::max()), "3.40282346638529E38"},
      {std::numeric_limits<double>::max(), "1.79769313486232E308"},
      {std::numeric_limits<double>::infinity(), "INF"},
      {-std::numeric_limits<double>::infinity(), "INF"},
      {std::numeric_limits<double>::quiet_NaN(), "NAN"},
      {-std::numeric_limits<double>::quiet_NaN(), "NAN"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatG(c.value, '.'), c.text) << c.text;
    std::string comma = c.text;
    for (char& ch : comma) ch = ch == '.' ? ',' : ch;
    EXPECT_EQ(FormatG(c.value, ','), comma) << c.text;
  }
}

TEST(NumberCodec, DecodeLinesFollowTheBytesThereAreAndTheByteOrder) {
  const std::string described = "01 as shortint: 1";
  EXPECT_EQ(DecodeLines(Bytes("01"), false, '.'), std::vector<std::string>{described});
  EXPECT_TRUE(DecodeLines("", false, '.').empty());
  EXPECT_EQ(DecodeLines(Bytes("01 02"), false, '.'),
            (std::vector<std::string>{described, "01 02 as word: 513", "01 02 as integer: 513"}));
  EXPECT_EQ(DecodeLines(Bytes("01 02 03"), true, '.'),
            (std::vector<std::string>{described, "01 02 as word: 258", "01 02 as integer: 258"}));
  EXPECT_EQ(DecodeLines(Bytes("FF FF FF FF"), false, '.'),
            (std::vector<std::string>{"FF as shortint: -1", "FF FF as word: 65535", "FF FF as integer: -1",
                                      "FF FF FF FF as longint: -1", "FF FF FF FF as 32 bit IEEE single: NAN"}));
  const auto one = DecodeLines(Bytes("00 00 80 3F 00 00 00 00"), false, '.');
  ASSERT_EQ(one.size(), 6u);
  EXPECT_EQ(one[4], "00 00 80 3F as 32 bit IEEE single: 1");
  EXPECT_EQ(one[5], "00 00 80 3F 00 00 00 00 as 64 bit IEEE double: 5.26354424712089E-315");
  const auto big = DecodeLines(Bytes("3F F0 00 00 00 00 00 00 AA"), true, ',');
  ASSERT_EQ(big.size(), 6u);
  EXPECT_EQ(big[3], "3F F0 00 00 as longint: 1072693248");
  EXPECT_EQ(big[4], "3F F0 00 00 as 32 bit IEEE single: 1,875");
  EXPECT_EQ(big[5], "3F F0 00 00 00 00 00 00 as 64 bit IEEE double: 1");
  EXPECT_EQ(DecodeLines(Bytes("00 00 00 00 00 00 F0 3F"), false, '.')[5],
            "00 00 00 00 00 00 F0 3F as 64 bit IEEE double: 1");
}

// Encoding random values of every type in both byte orders and decoding the bytes gives the
// value back; floats bit for bit.
TEST(NumberCodec, EncodeThenDecodeGivesTheValueBack) {
  std::mt19937_64 rng(18);
  auto text = [](auto value, char separator) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    std::string s(buffer, end);
    for (char& ch : s) ch = ch == '.' ? separator : ch;
    return s;
  };
  for (int i = 0; i < 4000; ++i) {
    const bool big = (i & 1) != 0;
    const char separator = (i & 2) != 0 ? ',' : '.';
    const auto bits = rng();
    const auto n32 = static_cast<int32_t>(bits);
    const struct {
      T type;
      int64_t value;
    } integers[] = {{T::ShortInt, int8_t(bits)}, {T::Byte, uint8_t(bits)}, {T::Word, uint16_t(bits)},
                    {T::Integer, int16_t(bits)}, {T::LongInt, n32}};
    for (const auto& [type, value] : integers) {
      const EncodeResult r = EncodeNumber(std::to_string(value), type, big, separator);
      ASSERT_TRUE(r.Ok()) << value << " " << r.error;
      const uint64_t back = AssembleBytes(r.bytes, r.bytes.size(), big);
      const int64_t decoded = type == T::ShortInt  ? int8_t(back)
                              : type == T::Integer ? int16_t(back)
                              : type == T::LongInt ? int32_t(back)
                                                   : int64_t(back);
      ASSERT_EQ(decoded, value) << int(type);
    }
    char digits[16];
    const auto digitsEnd = std::to_chars(digits, digits + sizeof digits, static_cast<uint32_t>(n32), 16).ptr;
    const EncodeResult hex = EncodeNumber("$" + std::string(digits, digitsEnd), T::LongInt, big, separator);
    ASSERT_EQ(int32_t(AssembleBytes(hex.bytes, 4, big)), n32);

    const float f = std::bit_cast<float>(static_cast<uint32_t>(bits));
    const long double fm = std::fabs(static_cast<long double>(f));
    if (std::isfinite(f) && fm <= 3.4e38L && (fm == 0 || fm >= 1.5e-45L)) {
      const EncodeResult r = EncodeNumber(text(f, separator), T::Single, big, separator);
      ASSERT_TRUE(r.Ok()) << text(f, separator) << " " << r.error;
      ASSERT_EQ(std::bit_cast<uint32_t>(DecodeSingle(r.bytes, big)), std::bit_cast<uint32_t>(f)) << text(f, '.');
    }
    const double d = std::bit_cast<double>(bits ^ (bits << 17));
    if (std::isfinite(d) && std::fabs(d) <= 1.7e308 && (d == 0 || std::fabs(d) >= 5e-324)) {
      const EncodeResult r = EncodeNumber(text(d, separator), T::Double, big, separator);
      ASSERT_TRUE(r.Ok()) << text(d, separator) << " " << r.error;
      ASSERT_EQ(std::bit_cast<uint64_t>(DecodeDouble(r.bytes, big)), std::bit_cast<uint64_t>(d)) << text(d, '.');
    }
  }
}

}  // namespace
}  // namespace quoxa
