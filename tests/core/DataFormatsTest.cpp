// Export and import of firmware images, source arrays, Base64 and hex lines: exact texts, round
// trips on random images, every reader fault with its line, and the image assembly against a
// naive model of addressed bytes.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "Recorders.h"
#include "core/FreeMemory.h"
#include "tools/ExportFormat.h"
#include "tools/ImportImage.h"

namespace quoxa {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Random(int64_t n, uint32_t seed) {
  std::mt19937 random(seed);
  Bytes bytes(static_cast<size_t>(n));
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
  return bytes;
}

TExportOptions Options(TDataFormat format, int64_t base = 0, int32_t width = 16) {
  TExportOptions o;
  o.format = format;
  o.baseAddress = base;
  o.recordBytes = width;
  o.bytesPerLine = width == 32 ? 16 : width;
  o.name = "fw";
  return o;
}

std::string Export(const TExportOptions& o, const Bytes& bytes) {
  return ExportToString(o, bytes.data(), static_cast<int64_t>(bytes.size()));
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

TEST(DataFormats, WriteTheExactTexts) {
  TExportOptions start8 = Options(TDataFormat::IntelHex, 0x100);
  start8.startAddress = 0x100;
  TExportOptions start32 = Options(TDataFormat::IntelHex, 0x08000000, 32);
  start32.startAddress = 0x08000000;
  TExportOptions header = Options(TDataFormat::SRecord, 0x1000);
  header.header = "hi";
  const struct {
    TExportOptions options;
    Bytes bytes;
    std::string text;
  } cases[] = {
      // I8HEX with a start (CS:IP) record; I16HEX across 64 KiB with segment records; I32HEX.
      {start8, {1, 2, 3, 4}, ":0401000001020304F1\n:0400000300000100F8\n:00000001FF\n"},
      {Options(TDataFormat::IntelHex, 0xFFFE),
       {1, 2, 3, 4},
       ":020000020000FC\n:02FFFE000102FE\n:020000021000EC\n:020000000304F7\n:00000001FF\n"},
      {start32,
       {0xAA, 0x55},
       ":020000040800F2\n:02000000AA55FF\n:0400000508000000EF\n:00000001FF\n"},
      {Options(TDataFormat::IntelHex), {}, ":00000001FF\n"},
      // S19 with its header, S28, S37: header, data, count, end.
      {header, {1, 2, 3}, "S0050000686929\nS1061000010203E3\nS5030001FB\nS9030000FC\n"},
      {Options(TDataFormat::SRecord, 0x123456),
       {0xFF},
       "S0030000FC\nS205123456FF5F\nS5030001FB\nS804000000FB\n"},
      {Options(TDataFormat::SRecord, 0x08000000),
       {0},
       "S0030000FC\nS3060800000000F1\nS5030001FB\nS70500000000FA\n"},
      {Options(TDataFormat::CArray, 0, 12),
       {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0xFF},
       "const unsigned char fw[] = {\n  0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, "
       "0x09, 0x0A, 0x0B,\n"
       "  0xFF\n};\nconst unsigned int fw_len = 13;\n"},
      {Options(TDataFormat::CArray),
       {},
       "const unsigned char fw[1] = {0};\nconst unsigned int fw_len = 0;\n"},
      {Options(TDataFormat::PythonBytes), {0, 0xAB, 0xFF}, "fw = (\n    b\"\\x00\\xab\\xff\"\n)\n"},
      {Options(TDataFormat::PythonBytes), {}, "fw = b\"\"\n"},
      {Options(TDataFormat::Base64), {'M'}, "TQ==\n"},
      {Options(TDataFormat::Base64), {'M', 'a'}, "TWE=\n"},
      {Options(TDataFormat::Base64), {'M', 'a', 'n'}, "TWFu\n"},
      {Options(TDataFormat::HexLines), Bytes(31, 0xAB), Repeat("ab", 30) + "\nab\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ExportProblem(c.options, static_cast<int64_t>(c.bytes.size())), "");
    EXPECT_EQ(Export(c.options, c.bytes), c.text);
    TExportText text(c.options, c.bytes.data(), static_cast<int64_t>(c.bytes.size()));
    EXPECT_EQ(text.TextSize(), static_cast<int64_t>(c.text.size()));
  }
}

// Export then import gives the same bytes at the same address, for every format that reads
// back; the text's size is known before it is made, and pieces of any size make the same text.
TEST(DataFormats, RoundTripRandomImages) {
  const int64_t sizes[] = {0, 1, 15, 16, 17, 65535, 65537, 1 << 20};
  const int64_t bases[] = {0, 0xFFF0, 0x10000, 0x08000000};
  uint32_t seed = 1;
  for (const int64_t size : sizes) {
    const Bytes bytes = Random(size, seed++);
    for (const int64_t base : bases) {
      for (const auto& [format, width] : {std::pair{TDataFormat::IntelHex, 16},
                                          {TDataFormat::IntelHex, 32},
                                          {TDataFormat::SRecord, 16},
                                          {TDataFormat::SRecord, 32},
                                          {TDataFormat::Base64, 16},
                                          {TDataFormat::HexLines, 16}}) {
        SCOPED_TRACE(std::string(FormatName(format)) + " " + std::to_string(width) + " size " +
                     std::to_string(size) + " base " + std::to_string(base));
        TExportOptions o = Options(format, base, width);
        o.startAddress = base + size / 2;
        const std::string text = Export(o, bytes);
        ASSERT_EQ(TExportText(o, bytes.data(), size).TextSize(), static_cast<int64_t>(text.size()));
        TImportedImage image;
        const TScanResult result = ImportText(text, format, 0x00, image);
        ASSERT_TRUE(result.ok) << result.message;
        EXPECT_TRUE(image.bytes == bytes);
        EXPECT_EQ(image.origin, HasAddresses(format) && size > 0 ? base : 0);
      }
    }
  }
  const Bytes bytes = Random(1000, 99);
  for (const TDataFormat format : kAllDataFormats) {
    TExportOptions o = Options(format, 0xFFF8);
    TExportText text(o, bytes.data(), 1000);
    std::string pieces;
    std::string piece;
    while (text.Next(piece, 1)) {
      pieces += piece;
      piece.clear();
    }
    EXPECT_EQ(pieces, Export(o, bytes)) << FormatName(format);
  }
}

TEST(DataFormats, ReadersStopAtTheFirstFaultWithItsLine) {
  const struct {
    TDataFormat format;
    std::string text;
    std::string fault;
  } cases[] = {
      {TDataFormat::IntelHex, "\n0401000001020304F1\n", "line 2: a record begins with \":\""},
      {TDataFormat::IntelHex, ":04010000010G0304F1\n", "line 1: 'G' is not a hex digit"},
      {TDataFormat::IntelHex, ":040100000102 0304F1\n", "line 1: byte 0x20 is not a hex digit"},
      {TDataFormat::IntelHex, ":0401000001020304F\n", "line 1: odd number of hex digits"},
      {TDataFormat::IntelHex, ":00000001\n", "line 1: the record is too short"},
      {TDataFormat::IntelHex, ":040100000102F1\n",
       "line 1: the length byte says 4 bytes, the record holds 2"},
      {TDataFormat::IntelHex, ":00000001FF\n:0401000001020304F2\n", ""},
      {TDataFormat::IntelHex, ":0401000001020304F1\n:0401000001020304F2\n:00000001FF\n",
       "line 2: checksum error: the record says F2, its bytes give F1"},
      {TDataFormat::IntelHex, ":00000006FA\n", "line 1: unknown record type 06"},
      {TDataFormat::IntelHex, ":0100000400FB\n",
       "line 1: a record of type 04 holds 1 data bytes, not 2"},
      {TDataFormat::IntelHex, ":0401000001020304F1\r\n\r\n",
       "line 2: the file ends without an end-of-file record"},
      {TDataFormat::IntelHex, ":020000040100F9\n:00000001FF\n", ""},
      {TDataFormat::IntelHex, ":02000004FFFFFC\n:04FFFE0001020304F5\n:00000001FF\n",
       "line 2: the record passes address 0xFFFFFFFF"},
      {TDataFormat::IntelHex, ":0401000001020304F1\n:020103000909E8\n:00000001FF\n",
       "line 2: the byte at 0x00000103 was given before"},
      {TDataFormat::IntelHex, ":020103000909E8\n:0401000001020304F1\n:00000001FF\n",
       "line 2: the byte at 0x00000103 was given before"},
      // Of a byte given twice and a later fault, the earlier line is told.
      {TDataFormat::IntelHex, ":0401000001020304F1\n:020103000909E8\n:0100000400FB\n",
       "line 2: the byte at 0x00000103 was given before"},
      {TDataFormat::SRecord, "S1061000010203E3\nX9030000FC\n",
       "line 2: a record begins with \"S\""},
      {TDataFormat::SRecord, "S4030000FC\n", "line 1: unknown record type S4"},
      {TDataFormat::SRecord, "S1061000010203E4\n",
       "line 1: checksum error: the record says E4, its bytes give E3"},
      {TDataFormat::SRecord, "S10210ED\n", "line 1: the record is too short"},
      {TDataFormat::SRecord, "S1071000010203E3\n",
       "line 1: the length byte says 7 bytes, the record holds 6"},
      {TDataFormat::SRecord, "S1061000010203E3\nS5030002FA\n",
       "line 2: the record count says 2, but 1 data records came before it"},
      {TDataFormat::SRecord, "S30AFFFFFFFE0102030405EB\n",
       "line 1: the record passes address 0xFFFFFFFF"},
      {TDataFormat::SRecord, "S1061000010203E3\nS9030000FC\ngarbage after the end\n", ""},
      {TDataFormat::Base64, "TWFu\nTW!u\n", "line 2: '!' is not a Base64 character"},
      {TDataFormat::Base64, "TWE=\nTWFu\n", "line 2: text after the end of the Base64 data"},
      {TDataFormat::Base64, "TWFuT\n\n", "line 1: the Base64 text ends in the middle of a group"},
      {TDataFormat::Base64, "TQ===\n", "line 1: text after the end of the Base64 data"},
      {TDataFormat::Base64, " T W\tF u\r\n", ""},
      {TDataFormat::HexLines, "0011\n22 33\n4x\n", "line 3: 'x' is not a hex digit"},
      {TDataFormat::HexLines, "0011\n223\n\n", "line 2: odd number of hex digits"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TImportedImage image;
    const TScanResult result = ImportText(c.text, c.format, 0xFF, image);
    EXPECT_EQ(result.ok, c.fault.empty());
    EXPECT_EQ(result.message, c.fault);
    if (!result.ok) {
      EXPECT_TRUE(image.bytes.empty());
    }
  }
}

TEST(DataFormats, RecordsMakeOneImageWithTheGapsFilled) {
  const struct {
    TDataFormat format;
    std::string text;
    int64_t origin;
    Bytes bytes;
  } cases[] = {
      // Records out of order, a gap, lower-case digits, blanks around, Windows line ends.
      {TDataFormat::IntelHex,
       "  :020014000304E3 \r\n:020010000102EB\r\n:00000001ff\r\n",
       0x10,
       {1, 2, 0xAB, 0xAB, 3, 4}},
      // A segment record's offset wraps inside its 64 KiB.
      {TDataFormat::IntelHex, ":020000021000EC\n:04FFFE0001020304F5\n:00000001FF\n", 0x10000,
       [] {
         Bytes b(0x10000, 0xAB);
         b[0] = 3, b[1] = 4, b[0xFFFE] = 1, b[0xFFFF] = 2;
         return b;
       }()},
      {TDataFormat::SRecord,
       "S0030000FC\nS1051002CCDD3F\nS1051000AABB85\n",
       0x1000,
       {0xAA, 0xBB, 0xCC, 0xDD}},
      {TDataFormat::IntelHex, ":00000001FF\n", 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TImportedImage image;
    const TScanResult result = ImportText(c.text, c.format, 0xAB, image);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(image.origin, c.origin);
    EXPECT_TRUE(image.bytes == c.bytes);
  }
}

TEST(DataFormats, ASpanBeyondTheFreeMemoryIsRefused) {
  // One byte at 0 and sixteen at 0xFFFFFFF0: four gigabytes to fill.
  const std::string text =
      ":0100000055AA\n:02000004FFFFFC\n:10FFF000000102030405060708090A0B0C0D0E0F89\n:00000001FF\n";
  const std::string refused =
      "The addresses 0x00000000 to 0xFFFFFFFF span 4,294,967,296 bytes:\nmore than the free memory "
      "holds.";
  SetFreeMemoryOverride(int64_t{1} << 30);
  TImportedImage image;
  EXPECT_EQ(ImportText(text, TDataFormat::IntelHex, 0xFF, image).message, refused);
  SetFreeMemoryOverride(std::nullopt);
  EXPECT_EQ(ImportText(text, TDataFormat::IntelHex, 0xFF, image, {}, 1 << 20).message, refused);
  EXPECT_TRUE(image.bytes.empty());
}

// Random records, in random order, some overlapping: the import agrees with a map of addressed
// bytes, and refuses exactly when a byte is given twice.
TEST(DataFormats, ImportAgreesWithANaiveModel) {
  std::mt19937 random(7);
  int refused = 0;
  int accepted = 0;
  for (int round = 0; round < 300; ++round) {
    std::string text;
    std::map<int64_t, uint8_t> model;
    bool twice = false;
    const int64_t area = round % 3 == 0 ? 0x40 : 0x30000;
    const int records = static_cast<int>(random() % 12);
    int64_t address = static_cast<int64_t>(random() % area);
    for (int r = 0; r < records; ++r) {
      // Mostly each record follows the last, as files are written; sometimes it jumps.
      if (random() % 3 == 0) address = static_cast<int64_t>(random() % area);
      const Bytes data = Random(1 + random() % 20, static_cast<uint32_t>(random()));
      for (size_t i = 0; i < data.size(); ++i) twice |= !model.emplace(address + i, data[i]).second;
      TExportOptions o = Options(TDataFormat::SRecord, address, 32);
      const std::string record = Export(o, data);
      // The data lines only: no header, count or end record.
      const size_t first = record.find('\n') + 1;
      const size_t count = record.find("\nS5");
      text += record.substr(first, count + 1 - first);
      address += static_cast<int64_t>(data.size());
    }
    TImportedImage image;
    const TScanResult result = ImportText(text, TDataFormat::SRecord, 0x5A, image);
    ASSERT_EQ(result.ok, !twice) << text << result.message;
    ++(twice ? refused : accepted);
    if (twice || model.empty()) continue;
    const int64_t lowest = model.begin()->first;
    Bytes expected(static_cast<size_t>(model.rbegin()->first - lowest + 1), 0x5A);
    for (const auto& [at, value] : model) expected[static_cast<size_t>(at - lowest)] = value;
    EXPECT_EQ(image.origin, lowest);
    EXPECT_TRUE(image.bytes == expected) << text;
  }
  EXPECT_GT(refused, 50);
  EXPECT_GT(accepted, 50);
}

TEST(DataFormats, OptionsAndNames) {
  TExportOptions top = Options(TDataFormat::IntelHex, 0xFFFFFFF0);
  EXPECT_EQ(ExportProblem(top, 16), "");
  EXPECT_EQ(ExportProblem(top, 17),
            "The last byte would be at address 0x100000000:\nIntel HEX and S-record files end at "
            "0xFFFFFFFF.");
  TExportOptions width = Options(TDataFormat::SRecord, 0, 20);
  EXPECT_EQ(ExportProblem(width, 1), "Records hold 16 or 32 bytes.");
  TExportOptions name = Options(TDataFormat::CArray);
  name.name = "1st";
  EXPECT_EQ(ExportProblem(name, 1),
            "'1st' is no name for a variable:\nuse letters, digits and \"_\", not a digit first.");
  EXPECT_EQ(ExportProblem(Options(TDataFormat::Base64, -5, 7), 1), "");

  const std::pair<std::string, std::string> names[] = {
      {"/tmp/boot-loader v2.bin", "boot_loader_v2_bin"}, {"1.bin", "_1_bin"}, {"", "data"}};
  for (const auto& [file, array] : names) EXPECT_EQ(ArrayNameFor(file), array);

  const std::tuple<std::string, int64_t, std::optional<int64_t>> numbers[] = {
      {"0x08000000", 0xFFFFFFFF, 0x08000000},
      {" $ff ", 255, 255},
      {"255", 255, 255},
      {"256", 255, std::nullopt},
      {"0x", 255, std::nullopt},
      {"12a", 999, std::nullopt},
      {"0X1f", 255, 31}};
  for (const auto& [text, limit, value] : numbers)
    EXPECT_EQ(ParseAddress(text, limit), value) << text;
}

}  // namespace
}  // namespace quoxa
