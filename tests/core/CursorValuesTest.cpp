// The data inspector's rows against values Python's struct, uuid and datetime gave for the same
// bytes (written in here), in both byte orders, at the document's end and at the types' limits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/DocState.h"
#include "core/Journal.h"
#include "core/Navigation.h"
#include "tools/CursorValues.h"
#include "tools/NumberCommands.h"
#include "widgets/HexString.h"

namespace quoxa {
namespace {

using R = InspectorRow;

std::string Bytes(const char* hex) { return HexStringToBytes(hex, true); }

TEST(DataInspector, DecodesEveryRowInBothByteOrders) {
  struct Case {
    const char* bytes;
    R row;
    const char* little;
    const char* big;
  };
  // "-": the value needs bytes past the end of those given.
  const Case cases[] = {
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::Binary, "01111000", "01111000"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::Int8, "120", "120"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::UInt8, "120", "120"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::Int16, "22136", "30806"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::UInt16, "22136", "30806"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::Int32, "305419896", "2018915346"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::UInt32, "305419896", "2018915346"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::Int64, "-7296712173568108936", "8671175388503653530"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::UInt64, "11150031900141442680", "8671175388503653530"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::Float16, "103.5", "35520"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::Float32, "5.69045661390352E-28", "1.73782443614495E34"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::Float64, "-6.95764366109611E-180", "4.69197687870377E271"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::ULeb128, "120 (1 byte)", "120 (1 byte)"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::SLeb128, "-8 (1 byte)", "-8 (1 byte)"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::Utf8, "U+0078 x", "U+0078 x"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::Utf16, "U+5678 噸", "U+7856 硖"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::CodePage, "U+0078 x", "U+0078 x"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::TimeT32, "1979-09-05 22:51:36 UTC", "2033-12-23 01:49:06 UTC"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::TimeT64, "invalid", "invalid"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::DosDateTime, "1989-01-20 10:51:48", "2040-02-22 06:32:36"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::FileTime, "invalid", "invalid"},
      {"78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88", R::Guid, "{12345678-DEF0-9ABC-1122-334455667788}", "{78563412-F0DE-BC9A-1122-334455667788}"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::Binary, "00000000", "00000000"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::Int8, "0", "0"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::UInt8, "0", "0"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::Int16, "0", "0"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::UInt16, "0", "0"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::Int32, "0", "0"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::UInt32, "0", "0"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::Int64, "0", "0"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::UInt64, "0", "0"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::Float16, "0", "0"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::Float32, "0", "0"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::Float64, "0", "0"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::ULeb128, "0 (1 byte)", "0 (1 byte)"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::SLeb128, "0 (1 byte)", "0 (1 byte)"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::Utf8, "U+0000", "U+0000"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::Utf16, "U+0000", "U+0000"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::CodePage, "U+0000", "U+0000"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::TimeT32, "1970-01-01 00:00:00 UTC", "1970-01-01 00:00:00 UTC"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::TimeT64, "1970-01-01 00:00:00 UTC", "1970-01-01 00:00:00 UTC"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::DosDateTime, "invalid", "invalid"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::FileTime, "1601-01-01 00:00:00.0000000 UTC", "1601-01-01 00:00:00.0000000 UTC"},
      {"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", R::Guid, "{00000000-0000-0000-0000-000000000000}", "{00000000-0000-0000-0000-000000000000}"},
      {"FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF", R::Binary, "11111111", "11111111"},
      {"FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF", R::Int8, "-1", "-1"},
      {"FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF", R::UInt8, "255", "255"},
      {"FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF", R::Int16, "-1", "-1"},
      {"FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF", R::UInt16, "65535", "65535"},
      {"FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF", R::Int32, "-1", "-1"},
      {"FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF", R::UInt32, "4294967295", "4294967295"},
      {"FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF", R::Int64, "-1", "-1"},
      {"FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF", R::UInt64, "18446744073709551615", "18446744073709551615"},
      {"FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF", R::Float16, "NAN", "NAN"},
      {"FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF", R::Float32, "NAN", "NAN"},
      {"FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF", R::Float64, "NAN", "NAN"},
      {"FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF", R::TimeT32, "1969-12-31 23:59:59 UTC", "1969-12-31 23:59:59 UTC"},
      {"FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF", R::TimeT64, "1969-12-31 23:59:59 UTC", "1969-12-31 23:59:59 UTC"},
      {"FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF", R::Guid, "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}", "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}"},
      {"7F FF FF FF FF FF FF 7F", R::Int8, "127", "127"},
      {"7F FF FF FF FF FF FF 7F", R::UInt8, "127", "127"},
      {"7F FF FF FF FF FF FF 7F", R::Int16, "-129", "32767"},
      {"7F FF FF FF FF FF FF 7F", R::Int32, "-129", "2147483647"},
      {"7F FF FF FF FF FF FF 7F", R::Int64, "9223372036854775679", "9223372036854775679"},
      {"7F FF FF FF FF FF FF 7F", R::UInt64, "9223372036854775679", "9223372036854775679"},
      {"7F FF FF FF FF FF FF 7F", R::Float64, "NAN", "NAN"},
      {"80 00 00 00 00 00 00 80", R::Int8, "-128", "-128"},
      {"80 00 00 00 00 00 00 80", R::Int16, "128", "-32768"},
      {"80 00 00 00 00 00 00 80", R::Int32, "128", "-2147483648"},
      {"80 00 00 00 00 00 00 80", R::Int64, "-9223372036854775680", "-9223372036854775680"},
      {"80 00 00 00 00 00 00 80", R::UInt64, "9223372036854775936", "9223372036854775936"},
      {"80 00 00 00 00 00 00 80", R::TimeT32, "1970-01-01 00:02:08 UTC", "1901-12-13 20:45:52 UTC"},
      {"80 00 00 00 00 00 00 80", R::Float64, "-6.32404026676796E-322", "-6.32404026676796E-322"},
      {"FF 7F FF 7F", R::Int16, "32767", "-129"},
      {"FF 7F FF 7F", R::UInt16, "32767", "65407"},
      {"FF 7F FF 7F", R::Float16, "NAN", "NAN"},
      {"FF 7F FF 7F", R::Float32, "NAN", "-3.402797504901E38"},
      {"FF 7F FF 7F", R::Int32, "2147450879", "-8388737"},
      {"01 00 00 00", R::Float16, "5.96046447753906E-8", "0.0000152587890625"},
      {"01 00 00 00", R::Float32, "1.40129846432482E-45", "2.35098870164458E-38"},
      {"FF 03", R::Float16, "0.0000609755516052246", "NAN"},
      {"00 04", R::Float16, "0.00006103515625", "2.38418579101562E-7"},
      {"FF 7B", R::Float16, "65504", "NAN"},
      {"00 7C", R::Float16, "INF", "7.39097595214844E-6"},
      {"00 FC", R::Float16, "INF", "0.0000150203704833984"},
      {"00 7E", R::Float16, "NAN", "7.51018524169922E-6"},
      {"00 80", R::Float16, "-0", "7.62939453125E-6"},
      {"00 3C", R::Float16, "1", "3.57627868652344E-6"},
      {"00 00 80 7F", R::Float32, "INF", "4.60957129839649E-41"},
      {"00 00 C0 7F", R::Float32, "NAN", "6.90545870234627E-41"},
      {"FF FF 7F 7F", R::Float32, "3.40282346638529E38", "NAN"},
      {"CD CC CC 3D", R::Float32, "0.100000001490116", "-429492128"},
      {"00 00 00 00 00 00 F0 7F", R::Float64, "INF", "3.0418139617508E-319"},
      {"01 00 00 00 00 00 00 00", R::Float64, "4.94065645841247E-324", "7.2911220195564E-304"},
      {"01 00 00 00 00 00 00 00", R::TimeT64, "1970-01-01 00:00:01 UTC", "invalid"},
      {"01 00 00 00 00 00 00 00", R::FileTime, "1601-01-01 00:00:00.0000001 UTC", "1829-05-05 23:50:03.7927936 UTC"},
      {"E5 8E 26", R::ULeb128, "624485 (3 bytes)", "624485 (3 bytes)"},
      {"E5 8E 26", R::SLeb128, "624485 (3 bytes)", "624485 (3 bytes)"},
      {"7F", R::ULeb128, "127 (1 byte)", "127 (1 byte)"},
      {"7F", R::SLeb128, "-1 (1 byte)", "-1 (1 byte)"},
      {"80 7F", R::ULeb128, "16256 (2 bytes)", "16256 (2 bytes)"},
      {"80 7F", R::SLeb128, "-128 (2 bytes)", "-128 (2 bytes)"},
      {"FF FF FF FF FF FF FF FF FF 01", R::ULeb128, "18446744073709551615 (10 bytes)", "18446744073709551615 (10 bytes)"},
      {"FF FF FF FF FF FF FF FF FF 01", R::SLeb128, "invalid", "invalid"},
      {"FF FF FF FF FF FF FF FF FF 02", R::ULeb128, "invalid", "invalid"},
      {"80 80 80 80 80 80 80 80 80 80 00", R::ULeb128, "invalid", "invalid"},
      {"80 80 80 80 80 80 80 80 80 80 00", R::SLeb128, "invalid", "invalid"},
      {"80 80 80 80 80 80 80 80 80 7F", R::SLeb128, "-9223372036854775808 (10 bytes)", "-9223372036854775808 (10 bytes)"},
      {"80 80", R::ULeb128, "-", "-"},
      {"C3 A9", R::Utf8, "U+00E9 é", "U+00E9 é"},
      {"C3 A9", R::Utf16, "U+A9C3 ꧃", "U+C3A9 쎩"},
      {"E2 82 AC", R::Utf8, "U+20AC €", "U+20AC €"},
      {"F0 9F 98 80", R::Utf8, "U+1F600 😀", "U+1F600 😀"},
      {"F0 9F 98 80", R::Utf16, "U+9FF0 鿰", "U+F09F "},
      {"C0 80", R::Utf8, "invalid", "invalid"},
      {"ED A0 80", R::Utf8, "invalid", "invalid"},
      {"F4 90 80 80", R::Utf8, "invalid", "invalid"},
      {"80 41", R::Utf8, "invalid", "invalid"},
      {"E2 82", R::Utf8, "-", "-"},
      {"E2 41 41", R::Utf8, "invalid", "invalid"},
      {"F5 80 80 80", R::Utf8, "invalid", "invalid"},
      {"0A", R::Utf8, "U+000A", "U+000A"},
      {"0A", R::CodePage, "U+000A", "U+000A"},
      {"3D D8 00 DE", R::Utf16, "U+1F600 😀", "U+3DD8 㷘"},
      {"3D D8", R::Utf16, "-", "U+3DD8 㷘"},
      {"00 DC 41 00", R::Utf16, "invalid", "U+00DC Ü"},
      {"3D D8 41 00", R::Utf16, "invalid", "U+3DD8 㷘"},
      {"80", R::CodePage, "U+20AC €", "U+20AC €"},
      {"E9", R::CodePage, "U+00E9 é", "U+00E9 é"},
      {"81", R::CodePage, "U+0081", "U+0081"},
      {"2E 6B 8C 5A", R::DosDateTime, "2025-04-12 13:25:28", "2003-03-11 17:34:52"},
      {"00 00 21 00", R::DosDateTime, "1980-01-01 00:00:00", "invalid"},
      {"00 00 3D 00", R::DosDateTime, "1980-01-29 00:00:00", "invalid"},
      {"00 00 5D 10", R::DosDateTime, "1988-02-29 00:00:00", "invalid"},
      {"00 00 5D 12", R::DosDateTime, "invalid", "invalid"},
      {"60 BF 21 00", R::DosDateTime, "1980-01-01 23:59:00", "2028-05-31 04:08:00"},
      {"00 80 3E D5 DE B1 9D 01", R::FileTime, "1970-01-01 00:00:00.0000000 UTC", "1715-05-23 23:02:10.4102145 UTC"},
      {"FF FF FF FF FF FF FF 7F", R::FileTime, "invalid", "invalid"},
      {"00 6E 12 83 EB 62 C1 24", R::FileTime, "9993-10-14 09:52:32.6422016 UTC", "1699-03-07 11:55:23.7305636 UTC"},
      {"00 E1 F5 05 00 00 00 00", R::TimeT64, "1973-03-03 09:46:40 UTC", "invalid"},
      {"FF E9 41 FF 3A 00 00 00", R::TimeT64, "9999-08-18 17:23:11 UTC", "invalid"},
      {"00 EA 41 FF 3A 00 00 00", R::TimeT64, "9999-08-18 17:23:12 UTC", "invalid"},
      {"12 34", R::Binary, "00010010", "00010010"},
      {"12 34", R::Int8, "18", "18"},
      {"12 34", R::UInt8, "18", "18"},
      {"12 34", R::Int16, "13330", "4660"},
      {"12 34", R::UInt16, "13330", "4660"},
      {"12 34", R::Int32, "-", "-"},
      {"12 34", R::UInt32, "-", "-"},
      {"12 34", R::Int64, "-", "-"},
      {"12 34", R::UInt64, "-", "-"},
      {"12 34", R::Float16, "0.25439453125", "0.000757217407226562"},
      {"12 34", R::Float32, "-", "-"},
      {"12 34", R::Float64, "-", "-"},
      {"12 34", R::ULeb128, "18 (1 byte)", "18 (1 byte)"},
      {"12 34", R::SLeb128, "18 (1 byte)", "18 (1 byte)"},
      {"12 34", R::Utf8, "U+0012", "U+0012"},
      {"12 34", R::Utf16, "U+3412 㐒", "U+1234 ሴ"},
      {"12 34", R::CodePage, "U+0012", "U+0012"},
      {"12 34", R::TimeT32, "-", "-"},
      {"12 34", R::TimeT64, "-", "-"},
      {"12 34", R::DosDateTime, "-", "-"},
      {"12 34", R::FileTime, "-", "-"},
      {"12 34", R::Guid, "-", "-"},
      {"AB", R::Binary, "10101011", "10101011"},
      {"AB", R::Int8, "-85", "-85"},
      {"AB", R::UInt8, "171", "171"},
      {"AB", R::Int16, "-", "-"},
      {"AB", R::UInt16, "-", "-"},
      {"AB", R::Int32, "-", "-"},
      {"AB", R::UInt32, "-", "-"},
      {"AB", R::Int64, "-", "-"},
      {"AB", R::UInt64, "-", "-"},
      {"AB", R::Float16, "-", "-"},
      {"AB", R::Float32, "-", "-"},
      {"AB", R::Float64, "-", "-"},
      {"AB", R::ULeb128, "-", "-"},
      {"AB", R::SLeb128, "-", "-"},
      {"AB", R::Utf8, "invalid", "invalid"},
      {"AB", R::Utf16, "-", "-"},
      {"AB", R::CodePage, "U+00AB «", "U+00AB «"},
      {"AB", R::TimeT32, "-", "-"},
      {"AB", R::TimeT64, "-", "-"},
      {"AB", R::DosDateTime, "-", "-"},
      {"AB", R::FileTime, "-", "-"},
      {"AB", R::Guid, "-", "-"},
  };
  for (const Case& c : cases) {
    for (const bool big : {false, true}) {
      const InspectorFormat format{big, false, '.'};
      EXPECT_EQ(DecodeInspectorRow(Bytes(c.bytes), c.row, format), big ? c.big : c.little)
          << c.bytes << " " << InspectorRowName(c.row) << (big ? " big" : " little");
    }
  }
}

TEST(DataInspector, ShowsIntegersInHexAndEveryRowAtOnce) {
  const std::string bytes = Bytes("80 FF 01 02 03 04 05 06 E5 8E 26");
  const InspectorFormat hex{false, true, ','};
  EXPECT_EQ(DecodeInspectorRow(bytes, R::Int8, hex), "$80");
  EXPECT_EQ(DecodeInspectorRow(bytes, R::UInt16, hex), "$FF80");
  EXPECT_EQ(DecodeInspectorRow(bytes, R::Int64, hex), "$060504030201FF80");
  EXPECT_EQ(DecodeInspectorRow(bytes.substr(8), R::ULeb128, hex), "$98765 (3 bytes)");
  EXPECT_EQ(DecodeInspectorRow(bytes.substr(8, 1), R::SLeb128, hex), "-");
  EXPECT_EQ(DecodeInspectorRow(Bytes("7F"), R::SLeb128, hex), "$FFFFFFFFFFFFFFFF (1 byte)");
  EXPECT_EQ(DecodeInspectorRow(Bytes("00 00 C0 BF"), R::Float32, hex), "-1,5");
  InspectorValues all;
  for (size_t n = 0; n <= bytes.size(); ++n) {
    DecodeInspector(bytes.substr(0, n), hex, all);
    for (int i = 0; i < kInspectorRowCount; ++i) {
      EXPECT_EQ(all[static_cast<size_t>(i)], DecodeInspectorRow(bytes.substr(0, n), static_cast<R>(i), hex));
    }
  }
}

TEST(DataInspector, EncodesEditableRowsWithTheEncodeDialogsErrors) {
  struct Case {
    const char* text;
    R row;
    const char* little;  // hex of the bytes, or the error
    const char* big;     // "" when the same error
  };
  const Case cases[] = {
      {"305419896", R::UInt32, "78 56 34 12", "12 34 56 78"},
      {"4294967296", R::UInt32, "Range check error", ""},
      {"-1", R::UInt32, "Range check error", ""},
      {"-2147483648", R::Int32, "00 00 00 80", "80 00 00 00"},
      {"2147483648", R::Int32, "Range check error", ""},
      {"-9223372036854775808", R::Int64, "00 00 00 00 00 00 00 80", "80 00 00 00 00 00 00 00"},
      {"9223372036854775808", R::Int64, "Range check error", ""},
      {"18446744073709551615", R::UInt64, "FF FF FF FF FF FF FF FF", "FF FF FF FF FF FF FF FF"},
      {"-128", R::Int8, "80", "80"},
      {"128", R::Int8, "Range check error", ""},
      {"255", R::UInt8, "FF", "FF"},
      {"256", R::UInt8, "Range check error", ""},
      {"-32768", R::Int16, "00 80", "80 00"},
      {"65535", R::UInt16, "FF FF", "FF FF"},
      {"65536", R::UInt16, "Range check error", ""},
      {"1", R::Float16, "00 3C", "3C 00"},
      {"65504", R::Float16, "FF 7B", "7B FF"},
      {"65519", R::Float16, "FF 7B", "7B FF"},
      {"65520", R::Float16, "Floating point overflow", ""},
      {"6e-8", R::Float16, "01 00", "00 01"},
      {"2e-8", R::Float16, "Floating point underflow", "Floating point underflow"},
      {"0", R::Float16, "00 00", "00 00"},
      {"-2", R::Float16, "00 C0", "C0 00"},
      {"0.1", R::Float16, "66 2E", "2E 66"},
      {"0.00006103515625", R::Float16, "00 04", "04 00"},
      {"1", R::Float32, "00 00 80 3F", "3F 80 00 00"},
      {"0.1", R::Float32, "CD CC CC 3D", "3D CC CC CD"},
      {"-1.5", R::Float64, "00 00 00 00 00 00 F8 BF", "BF F8 00 00 00 00 00 00"},
      {"1e-300", R::Float64, "59 F3 F8 C2 1F 6E A5 01", "01 A5 6E 1F C2 F8 F3 59"},
      {"$FFFFFFFF", R::Int32, "FF FF FF FF", "FF FF FF FF"},
      {"$1FFFFFFFF", R::Int32, "Range check error", ""},
      {"18446744073709551616", R::UInt64, "'18446744073709551616' is not a valid integer value",
       ""},
      {"12x", R::Int16, "'12x' is not a valid integer value", ""},
      {"10100101", R::Binary, "A5", "A5"},
      {"102", R::Binary, "'102' is not a valid integer value", ""},
      {"abc", R::Float16, "'abc' is not a valid floating point value", ""},
      {"1e-50", R::Float32, "Floating point underflow", ""},
      {"1.8e308", R::Float64, "Floating point overflow", ""},
  };
  for (const Case& c : cases) {
    for (const bool big : {false, true}) {
      const EncodeResult result = EncodeInspectorRow(c.text, c.row, big, '.');
      const std::string expected = big && *c.big ? c.big : c.little;
      EXPECT_EQ(result.Ok() ? BytesToHexString(result.bytes, true) : result.error, expected)
          << c.text << " " << InspectorRowName(c.row) << (big ? " big" : " little");
      // What a row writes reads back as the row's own value.
      if (result.Ok() && c.row != R::Binary) {
        const std::string back = DecodeInspectorRow(result.bytes, c.row, {big, false, '.'});
        EXPECT_EQ(EncodeInspectorRow(back, c.row, big, '.').bytes, result.bytes) << c.text;
      }
    }
  }
}

TEST(DataInspector, NonNumericRowsRoundTripOrRefuseTheirText) {
  struct Case {
    R row;
    const char* text;
    const char* little;  // hex of the bytes, or the error
    const char* big;     // "" when the same as little
    const char* shown;   // how the row shows the bytes; "" when as typed
  };
  // Bytes from Python's struct, uuid, datetime and str.encode for the same values.
  const Case cases[] = {
      {R::ULeb128, "624485", "E5 8E 26", "", "624485 (3 bytes)"},
      {R::ULeb128, "624485 (3 bytes)", "E5 8E 26", "", ""},
      {R::ULeb128, "$80", "80 01", "", "128 (2 bytes)"},
      {R::ULeb128, "0", "00", "", "0 (1 byte)"},
      {R::ULeb128, "18446744073709551615", "FF FF FF FF FF FF FF FF FF 01", "",
       "18446744073709551615 (10 bytes)"},
      {R::ULeb128, "-1", "Range check error", "", ""},
      {R::ULeb128, "5 (3 apples)", "'5 (3 apples)' is not a valid integer value", "", ""},
      {R::SLeb128, "-128", "80 7F", "", "-128 (2 bytes)"},
      {R::SLeb128, "63", "3F", "", "63 (1 byte)"},
      {R::SLeb128, "64", "C0 00", "", "64 (2 bytes)"},
      {R::SLeb128, "$FFFFFFFFFFFFFFFF", "7F", "", "-1 (1 byte)"},
      {R::SLeb128, "-9223372036854775808", "80 80 80 80 80 80 80 80 80 7F", "",
       "-9223372036854775808 (10 bytes)"},
      {R::SLeb128, "9223372036854775808", "Range check error", "", ""},
      {R::Utf8, "é", "C3 A9", "", "U+00E9 é"},
      {R::Utf8, "U+20AC", "E2 82 AC", "", "U+20AC €"},
      {R::Utf8, "U+1F600 😀", "F0 9F 98 80", "", ""},
      {R::Utf8, "u+000a", "0A", "", "U+000A"},
      {R::Utf8, " ", "20", "", "U+0020  "},
      {R::Utf8, "U+D800", "'U+D800' is not a valid character", "", ""},
      {R::Utf8, "U+110000", "'U+110000' is not a valid character", "", ""},
      {R::Utf8, "U+0041 B", "'U+0041 B' is not a valid character", "", ""},
      {R::Utf8, "ab", "'ab' is not a valid character", "", ""},
      {R::Utf16, "U+1F600", "3D D8 00 DE", "D8 3D DE 00", "U+1F600 😀"},
      {R::Utf16, "é", "E9 00", "00 E9", "U+00E9 é"},
      {R::Utf16, "", "'' is not a valid character", "", ""},
      {R::CodePage, "€", "80", "", "U+20AC €"},
      {R::CodePage, "U+0081", "81", "", ""},
      {R::CodePage, "Ā", "'Ā' is not a Windows-1252 character", "", ""},
      {R::TimeT32, "2038-01-19 03:14:07 UTC", "FF FF FF 7F", "7F FF FF FF", ""},
      {R::TimeT32, "1901-12-13 20:45:52 UTC", "00 00 00 80", "80 00 00 00", ""},
      {R::TimeT32, "1979-09-05 22:51:36", "78 56 34 12", "12 34 56 78", "1979-09-05 22:51:36 UTC"},
      {R::TimeT32, "2024-02-29", "00 C9 DF 65", "65 DF C9 00", "2024-02-29 00:00:00 UTC"},
      {R::TimeT32, "2038-01-19 03:14:08", "Range check error", "", ""},
      {R::TimeT32, "2023-02-29", "'2023-02-29' is not a valid date and time", "", ""},
      {R::TimeT32, "2024-01-01 24:00:00", "'2024-01-01 24:00:00' is not a valid date and time", "",
       ""},
      {R::TimeT64, "0001-01-01 00:00:00 UTC", "00 09 6E 88 F1 FF FF FF", "FF FF FF F1 88 6E 09 00",
       ""},
      {R::TimeT64, "9999-12-31 23:59:59 UTC", "7F 41 F4 FF 3A 00 00 00", "00 00 00 3A FF F4 41 7F",
       ""},
      {R::DosDateTime, "2025-04-12 13:25:28", "2E 6B 8C 5A", "5A 8C 6B 2E", ""},
      {R::DosDateTime, "2107-12-31 23:59:58", "7D BF 9F FF", "FF 9F BF 7D", ""},
      {R::DosDateTime, "2025-04-12 13:25:29", "DOS times have even seconds only", "", ""},
      {R::DosDateTime, "1979-12-31 23:59:58", "Range check error", "", ""},
      {R::DosDateTime, "2025-04-12 13:25:28 UTC",
       "'2025-04-12 13:25:28 UTC' is not a valid date and time", "", ""},
      {R::FileTime, "1970-01-01 00:00:00.0000000 UTC", "00 80 3E D5 DE B1 9D 01",
       "01 9D B1 DE D5 3E 80 00", ""},
      {R::FileTime, "2025-04-12 13:25:28.5", "40 DF 7A 5B AE AB DB 01", "01 DB AB AE 5B 7A DF 40",
       "2025-04-12 13:25:28.5000000 UTC"},
      {R::FileTime, "1601-01-01 00:00:00.0000001 UTC", "01 00 00 00 00 00 00 00",
       "00 00 00 00 00 00 00 01", ""},
      {R::FileTime, "1600-12-31 23:59:59 UTC", "Range check error", "", ""},
      {R::FileTime, "1970-01-01 00:00:00.12345678",
       "'1970-01-01 00:00:00.12345678' is not a valid date and time", "", ""},
      {R::Guid, "{12345678-DEF0-9ABC-1122-334455667788}",
       "78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88",
       "12 34 56 78 DE F0 9A BC 11 22 33 44 55 66 77 88", ""},
      {R::Guid, "12345678-def0-9abc-1122-334455667788",
       "78 56 34 12 F0 DE BC 9A 11 22 33 44 55 66 77 88",
       "12 34 56 78 DE F0 9A BC 11 22 33 44 55 66 77 88", "{12345678-DEF0-9ABC-1122-334455667788}"},
      {R::Guid, "{12345678-DEF0-9ABC-1122-33445566778G}",
       "'{12345678-DEF0-9ABC-1122-33445566778G}' is not a valid GUID", "", ""},
      {R::Guid, "{12345678DEF0-9ABC-1122-3344556677889}",
       "'{12345678DEF0-9ABC-1122-3344556677889}' is not a valid GUID", "", ""},
  };
  for (const Case& c : cases) {
    for (const bool big : {false, true}) {
      const EncodeResult result = EncodeInspectorRow(c.text, c.row, big, '.');
      const std::string expected = big && *c.big ? c.big : c.little;
      const std::string label =
          std::string(c.text) + " " + InspectorRowName(c.row) + (big ? " big" : " little");
      ASSERT_EQ(result.Ok() ? BytesToHexString(result.bytes, true) : result.error, expected)
          << label;
      if (!result.Ok()) continue;
      // The bytes show as the text typed, and that text gives the same bytes again.
      const std::string shown = DecodeInspectorRow(result.bytes, c.row, {big, false, '.'});
      EXPECT_EQ(shown, *c.shown ? c.shown : c.text) << label;
      EXPECT_EQ(BytesToHexString(EncodeInspectorRow(shown, c.row, big, '.').bytes, true), expected)
          << label;
    }
  }
}

TEST(DataInspector, EveryHalfSurvivesTheRoundTripThroughADouble) {
  for (uint32_t bits = 0; bits <= 0xFFFF; ++bits) {
    const auto half = static_cast<uint16_t>(bits);
    const bool nan = (half & 0x7C00) == 0x7C00 && (half & 0x3FF) != 0;
    const uint16_t expected = nan ? static_cast<uint16_t>((half & 0x8000) | 0x7E00) : half;
    ASSERT_EQ(HalfFromDouble(HalfToDouble(half)), expected) << std::hex << bits;
    // Halfway to the next half rounds to the even one of the two.
    if (!nan && (half & 0x7FFF) < 0x7BFF) {
      const double mid = (HalfToDouble(half) + HalfToDouble(static_cast<uint16_t>(half + 1))) / 2;
      const uint16_t even = (half & 1) == 0 ? half : static_cast<uint16_t>(half + 1);
      ASSERT_EQ(HalfFromDouble(mid), even) << std::hex << bits;
    }
  }
}

class DataInspectorWrite : public ::testing::Test {
 protected:
  test::RecorderScope rec;
};

TEST_F(DataInspectorWrite, OverwritesAtTheCursorAsOneStepOrRefuses) {
  struct Case {
    int64_t cursor;
    R row;
    const char* text;
    bool readOnly;
    const char* after;    // hex of the document afterwards
    const char* message;  // "" when written
    bool early;           // refused before the editor opens
  };
  const Case cases[] = {
      {2, R::UInt32, "305419896", false, "00 78 56 34 12 00", "", false},
      {3, R::UInt32, "305419896", false, "00 00 78 56 34 12", "", false},
      {4, R::UInt32, "1", false, "00 00 00 00 00 00", "Can't overwrite beyond end of file", true},
      {6, R::Binary, "11", false, "00 00 00 00 00 03", "", false},
      {1, R::Int8, "-129", false, "00 00 00 00 00 00", "Range check error", false},
      {1, R::Int8, "1", true, "00 00 00 00 00 00",
       "The document is read-only: the value can't be written", true},
      {1, R::Guid, "1", false, "00 00 00 00 00 00", "Can't overwrite beyond end of file", true},
      {1, R::DosDateTime, "1", false, "00 00 00 00 00 00", "'1' is not a valid date and time",
       false},
      // Past the end only once encoded: the editor opens, the write is refused.
      {6, R::ULeb128, "128", false, "00 00 00 00 00 00", "Can't overwrite beyond end of file",
       false},
      {5, R::ULeb128, "128 (2 bytes)", false, "00 00 00 00 80 01", "", false},
      {5, R::Utf16, "U+1F600", false, "00 00 00 00 00 00", "Can't overwrite beyond end of file",
       false},
      {3, R::Utf16, "U+1F600", false, "00 00 3D D8 00 DE", "", false},
      {1, R::DosDateTime, "1980-01-01 00:00:02", false, "01 00 21 00 00 00", "", false},
  };
  for (const Case& c : cases) {
    test::LoadDocument(Bytes("00 00 00 00 00 00"), 4, 4);
    Doc().Journal.Reset();
    Doc().ReadOnly = c.readOnly;
    GotoAddress(c.cursor, true, false);
    rec.messages.shown.clear();
    const bool written = WriteInspectorValue(c.row, c.text, false, '.');
    EXPECT_EQ(written, !*c.message) << c.text;
    EXPECT_EQ(BytesToHexString(test::DocumentBytes(), true), c.after) << c.text;
    EXPECT_EQ(rec.messages.Texts(), *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    EXPECT_EQ(InspectorEditRefusal(c.row).empty(), !c.early) << c.text;
    EXPECT_EQ(CursorAddress(), c.cursor) << c.text;
    EXPECT_EQ(Doc().Journal.UndoDepth(), written ? 1u : 0u) << c.text;
    if (written) {
      EXPECT_EQ(InspectorBytes().size(), static_cast<size_t>(7 - c.cursor));
      ASSERT_TRUE(Doc().Journal.Undo());
      EXPECT_EQ(BytesToHexString(test::DocumentBytes(), true), "00 00 00 00 00 00");
    }
    Doc().ReadOnly = false;
  }
}

}  // namespace
}  // namespace quoxa
