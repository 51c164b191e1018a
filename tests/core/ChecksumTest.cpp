// Checksums: published test vectors for every algorithm, the document's values beside other
// programs' (coreutils, xxhsum, Python), values independent of how the bytes are split, the small
// CRCs against a bit-by-bit model, the document under the progress box, files read in pieces,
// and the remembered choice.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "Recorders.h"
#include "ScopedEnv.h"
#include "TempDir.h"
#include "TestDocument.h"
#include "core/DocState.h"
#include "core/Primitives.h"
#include "settings/ChecksumChoice.h"
#include "settings/IniFile.h"
#include "tools/Checksum.h"
#include "tools/ChecksumRun.h"
#include "tools/ChecksumTexts.h"

namespace quoxa {
namespace {

using K = ChecksumKind;

std::string RandomBytes(size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::string bytes(n, '\0');
  for (char& c : bytes) c = static_cast<char>(gen());
  return bytes;
}

const std::string kMillionA(1000000, 'a');

// FIPS 180-4 and 202 examples, RFC 1321 and 7693, the CRC catalogue's check values of
// "123456789", the xxHash values of "" and "abc".
TEST(Checksum, PublishedVectors) {
  const struct {
    K kind;
    const std::string& input;
    const char* hex;
  } rows[] = {
      {K::Md5, "", "d41d8cd98f00b204e9800998ecf8427e"},
      {K::Md5, "abc", "900150983cd24fb0d6963f7d28e17f72"},
      {K::Md5, kMillionA, "7707d6ae4e027c70eea2a935c2296f21"},
      {K::Sha1, "", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
      {K::Sha1, "abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
      {K::Sha1, kMillionA, "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
      {K::Sha224, "", "d14a028c2a3a2bc9476102bb288234c415a2b01f828ea62ac5b3e42f"},
      {K::Sha224, "abc", "23097d223405d8228642a477bda255b32aadbce4bda0b3f7e36c9da7"},
      {K::Sha224, kMillionA, "20794655980c91d8bbb4c1ea97618a4bf03f42581948b2ee4ee7ad67"},
      {K::Sha256, "", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {K::Sha256, "abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {K::Sha256, kMillionA, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
      {K::Sha384, "",
       "38b060a751ac96384cd9327eb1b1e36a21fdb71114be07434c0cc7bf63f6e1da274edebfe76f65fbd51ad2f14898b95b"},
      {K::Sha384, "abc",
       "cb00753f45a35e8bb5a03d699ac65007272c32ab0eded1631a8b605a43ff5bed8086072ba1e7cc2358baeca134c825a7"},
      {K::Sha384, kMillionA,
       "9d0e1809716474cb086e834e310a4a1ced149e9c00f248527972cec5704c2a5b07b8b3dc38ecc4ebae97ddd87f3d8985"},
      {K::Sha512, "",
       "cf83e1357eefb8bdf1542850d66d8007d620e4050b5715dc83f4a921d36ce9ce47d0d13c5d85f2b0ff8318d2877eec2f63b931bd4"
       "7417a81a538327af927da3e"},
      {K::Sha512, "abc",
       "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a2192992a274fc1a836ba3c23a3feebbd454d442"
       "3643ce80e2a9ac94fa54ca49f"},
      {K::Sha512, kMillionA,
       "e718483d0ce769644e2e42c7bc15b4638e1f98b13b2044285632a803afa973ebde0ff244877ea60a4cb0432ce577c31beb009c5c2"
       "c49aa2e4eadb217ad8cc09b"},
      {K::Sha3_256, "", "a7ffc6f8bf1ed76651c14756a061d662f580ff4de43b49fa82d80a4b80f8434a"},
      {K::Sha3_256, "abc", "3a985da74fe225b2045c172d6bd390bd855f086e3e9d525b46bfe24511431532"},
      {K::Sha3_256, kMillionA, "5c8875ae474a3634ba4fd55ec85bffd661f32aca75c6d699d0cdcb6c115891c1"},
      {K::Sha3_512, "",
       "a69f73cca23a9ac5c8b567dc185a756e97c982164fe25859e0d1dcc1475c80a615b2123af1f5f94c11e3e9402c3ac558f500199d9"
       "5b6d3e301758586281dcd26"},
      {K::Sha3_512, "abc",
       "b751850b1a57168a5693cd924b6b096e08f621827444f70d884f5d0240d2712e10e116e9192af3c91a7ec57647e3934057340b4cf"
       "408d5a56592f8274eec53f0"},
      {K::Sha3_512, kMillionA,
       "3c3a876da14034ab60627c077bb98f7e120a2a5370212dffb3385a18d4f38859ed311d0a9d5141ce9cc5c66ee689b266a8aa18ace"
       "8282a0e0db596c90b0a7b87"},
      {K::Blake2b512, "",
       "786a02f742015903c6c6fd852552d272912f4740e15847618a86e217f71f5419d25e1031afee585313896444934eb04b903a685b1"
       "448b755d56f701afe9be2ce"},
      {K::Blake2b512, "abc",
       "ba80a53f981c4d0d6a2797b69f12f6e94c212f14685ac4b74b12bb6fdbffa2d17d87c5392aab792dc252d5de4533cc9518d38aa8d"
       "bf1925ab92386edd4009923"},
      {K::Blake2s256, "", "69217a3079908094e11121d042354a7c1f55b6482ca1a51e1b250dfd1ed0eef9"},
      {K::Blake2s256, "abc", "508c5e8c327c14e2e1a72ba34eeb452f37458b209ed63a294d999b4c86675982"},
      {K::Crc32, "", "00000000"},
      {K::Crc32, "abc", "352441c2"},
      {K::Crc32, "123456789", "cbf43926"},
      {K::Crc32, kMillionA, "dc25bfbc"},
      {K::Crc32c, "", "00000000"},
      {K::Crc32c, "123456789", "e3069283"},
      {K::Adler32, "", "00000001"},
      {K::Adler32, "abc", "024d0127"},
      {K::Adler32, "Wikipedia", "11e60398"},
      {K::Crc16Ccitt, "", "0000"},
      {K::Crc16Ccitt, "123456789", "2189"},
      {K::Crc16CcittFalse, "", "ffff"},
      {K::Crc16CcittFalse, "123456789", "29b1"},
      {K::Crc16Modbus, "", "ffff"},
      {K::Crc16Modbus, "123456789", "4b37"},
      {K::Crc8, "", "00"},
      {K::Crc8, "123456789", "f4"},
      {K::Xxh32, "", "02cc5d05"},
      {K::Xxh32, "abc", "32d153ff"},
      {K::Xxh64, "", "ef46db3751d8e999"},
      {K::Xxh64, "abc", "44bc2cf5ad770999"},
      {K::Xxh3_64, "", "2d06800538d394c2"},
      {K::Xxh3_64, "abc", "78af5f94892f3950"},
      {K::Xxh3_128, "", "99aa06d3014798d86001c324468d497f"},
      {K::Xxh3_128, "abc", "06b05ab6733a618578af5f94892f3950"},
  };
  std::set<K> covered;
  for (const auto& row : rows) {
    EXPECT_EQ(ChecksumOf(row.kind, row.input), row.hex) << InfoOf(row.kind).name << " of " << row.input.size();
    covered.insert(row.kind);
  }
  EXPECT_EQ(covered.size(), ChecksumAlgorithms().size());
}

// The document and files are fed in pieces; a carry lost between pieces shows here.
TEST(Checksum, PiecesGiveTheValueOfTheWhole) {
  const std::string bytes = RandomBytes((size_t{1} << 20) + 4099, 7);
  std::mt19937 gen(11);
  for (const ChecksumInfo& info : ChecksumAlgorithms()) {
    const auto hasher = MakeHasher(info.kind);
    ASSERT_TRUE(hasher) << info.name;
    size_t at = 0;
    while (at < bytes.size()) {
      // Pieces of 0 to 70000 bytes: empty, shorter and longer than every block and stripe.
      const size_t n = std::min<size_t>(bytes.size() - at, gen() % 70001);
      hasher->Update(reinterpret_cast<const uint8_t*>(bytes.data()) + at, n);
      at += n;
    }
    EXPECT_EQ(hasher->Finish(), ChecksumOf(info.kind, bytes)) << info.name;
  }
}

// The CRCs of the table-driven code against the catalogue's definition worked bit by bit.
TEST(Checksum, SmallCrcsMatchTheBitwiseDefinition) {
  const struct {
    K kind;
    int width;
    uint32_t poly, init;
    bool reflected;
  } models[] = {
      {K::Crc16Ccitt, 16, 0x1021, 0, true},
      {K::Crc16CcittFalse, 16, 0x1021, 0xFFFF, false},
      {K::Crc16Modbus, 16, 0x8005, 0xFFFF, true},
      {K::Crc8, 8, 0x07, 0, false},
  };
  for (const auto& m : models) {
    for (size_t n : {0, 1, 2, 7, 64, 65, 1000}) {
      const std::string bytes = RandomBytes(n, static_cast<unsigned>(n) + 3);
      const uint32_t top = 1u << (m.width - 1), mask = (top << 1) - 1;
      uint32_t crc = m.init;
      for (unsigned char byte : bytes) {
        for (int bit = 0; bit < 8; ++bit) {
          const uint32_t in = (m.reflected ? byte >> bit : byte >> (7 - bit)) & 1;
          const bool feedback = ((crc & top) != 0) != (in != 0);
          crc = ((crc << 1) ^ (feedback ? m.poly : 0)) & mask;
        }
      }
      if (m.reflected) {
        uint32_t r = 0;
        for (int i = 0; i < m.width; ++i) r |= ((crc >> i) & 1) << (m.width - 1 - i);
        crc = r;
      }
      char hex[9];
      std::snprintf(hex, sizeof hex, "%0*x", m.width / 4, crc);
      EXPECT_EQ(ChecksumOf(m.kind, bytes), hex) << InfoOf(m.kind).name << " of " << n << " bytes";
    }
  }
}

TEST(Checksum, NamesAndKeysFindTheirAlgorithm) {
  std::set<std::string> keys;
  for (const ChecksumInfo& info : ChecksumAlgorithms()) {
    EXPECT_TRUE(keys.insert(info.key).second) << info.key;
    EXPECT_EQ(FindChecksum(info.key), info.kind);
    EXPECT_EQ(FindChecksum(info.name), info.kind);
  }
  EXPECT_EQ(FindChecksum("SHA256"), K::Sha256);
  EXPECT_EQ(FindChecksum("Crc16-Modbus"), K::Crc16Modbus);
  for (const char* unknown : {"", "sha", "sha256 ", "crc16"}) EXPECT_FALSE(FindChecksum(unknown)) << unknown;
  EXPECT_EQ(ChecksumKeyList().substr(0, 20), "md5, sha1, sha224, s");
}

TEST(Checksum, ExpectedValueMatchesIgnoringCaseAndBlanks) {
  const std::vector<std::string> values = {"cbf43926", "e3069283", "00"};
  const struct {
    const char* expected;
    int row;
  } rows[] = {{"CBF43926", 0}, {" e306 9283\t", 1}, {"0xE3069283", 1}, {"0x00", 2}, {"cbf4392", -1},
              {"", -1},        {"  ", -1},          {"0x", -1},          {"cbf43926 x", -1}};
  for (const auto& row : rows) EXPECT_EQ(MatchingChecksum(values, row.expected), row.row) << row.expected;
}

class ChecksumDocument : public ::testing::Test {
 protected:
  ChecksumDocument() { SetChecksumBoxDelay(std::chrono::milliseconds(0)); }
  ~ChecksumDocument() override { SetChecksumBoxDelay(kChecksumBoxDelay); }
  test::RecorderScope rec;
};

// What the user sees is hashed, unsaved edits included, and Cancel stops the work.
TEST_F(ChecksumDocument, HashesTheShownBytesAndStopsAtCancel) {
  std::string bytes = RandomBytes(4 << 20, 5);
  test::LoadDocument(bytes);
  ASSERT_TRUE(OverwriteBytes(1000, "edited"));
  bytes.replace(999, 6, "edited");
  const std::vector<K> kinds = {K::Sha256, K::Crc32};
  const struct {
    int64_t first, last;
  } ranges[] = {{1, Doc().DocSize}, {1000, 1005}, {3, (3 << 20) + 17}, {7, 6}};
  for (const auto& r : ranges) {
    const ChecksumRun run = quoxa::ChecksumDocument(r.first, r.last, kinds);
    const std::string part = bytes.substr(static_cast<size_t>(r.first - 1),
                                          static_cast<size_t>(std::max<int64_t>(0, r.last - r.first + 1)));
    ASSERT_EQ(run.status, ChecksumStatus::Done);
    EXPECT_EQ(run.values, (std::vector<std::string>{ChecksumOf(K::Sha256, part), ChecksumOf(K::Crc32, part)}));
  }
  // No box for no bytes.
  ASSERT_EQ(rec.progress.boxes.size(), 3u);
  EXPECT_EQ(rec.progress.boxes[0]->setup.caption, msg::kChecksumProgressCaption);
  // Pieces of 1/16: the gauge passes 25, 50, 75 and 100 of the multiples of five it shows.
  EXPECT_EQ(rec.progress.boxes[0]->gauge, (std::vector<int>{25, 50, 75, 100}));

  rec.progress.abortAfterUpdates = 2;
  const ChecksumRun cancelled = quoxa::ChecksumDocument(1, Doc().DocSize, kinds);
  EXPECT_EQ(cancelled.status, ChecksumStatus::Cancelled);
  EXPECT_TRUE(cancelled.values.empty());
  EXPECT_EQ(rec.progress.boxes.back()->gauge, (std::vector<int>{25, 50}));

  // Done in a moment: no box flashes.
  SetChecksumBoxDelay(kChecksumBoxDelay);
  EXPECT_EQ(quoxa::ChecksumDocument(1, Doc().DocSize, kinds).status, ChecksumStatus::Done);
  EXPECT_EQ(rec.progress.boxes.size(), 4u);
}

// The values the dialog shows, every algorithm at once over the document, beside other programs'
// on sizes around the 64-byte blocks and one of many pieces.
TEST_F(ChecksumDocument, AgreesWithOtherPrograms) {
  std::vector<K> kinds;
  for (const ChecksumInfo& info : ChecksumAlgorithms()) kinds.push_back(info.kind);
  test::TempDir dir;
  for (size_t size : {size_t{0}, size_t{1}, size_t{63}, size_t{64}, size_t{65}, size_t{10} << 20}) {
    const std::string bytes = RandomBytes(size, static_cast<unsigned>(size));
    const std::string command =
        std::string("bash '") + QUOXA_CHECKSUM_TOOLS + "' '" + dir.Write("f", bytes) + "'";
    std::map<std::string, std::string> theirs;
    FILE* tools = popen(command.c_str(), "r");
    ASSERT_NE(tools, nullptr);
    char key[32], hex[160];
    while (std::fscanf(tools, "%31s %159s", key, hex) == 2) theirs[key] = hex;
    ASSERT_EQ(pclose(tools), 0) << command;
    ASSERT_EQ(theirs.size(), kinds.size());
    test::LoadDocument(bytes);
    const ChecksumRun run = quoxa::ChecksumDocument(1, Doc().DocSize, kinds);
    ASSERT_EQ(run.status, ChecksumStatus::Done);
    for (size_t i = 0; i < kinds.size(); ++i) {
      EXPECT_EQ(run.values[i], theirs[InfoOf(kinds[i]).key])
          << InfoOf(kinds[i]).name << " of " << size;
    }
  }
}

TEST(ChecksumFile, ReadsInPiecesAndGivesTheSystemsReason) {
  test::TempDir dir;
  const std::string bytes = RandomBytes(3 * kChecksumPiece + 1, 9);
  const std::vector<K> kinds = {K::Md5, K::Xxh3_128};
  const FileChecksums sums = ChecksumFile(dir.Write("f.bin", bytes), kinds);
  ASSERT_TRUE(sums.ok);
  EXPECT_EQ(sums.values, (std::vector<std::string>{ChecksumOf(K::Md5, bytes), ChecksumOf(K::Xxh3_128, bytes)}));

  const struct {
    std::string path;
    const char* error;
  } bad[] = {{dir / "missing", "No such file or directory"}, {dir.Path(), "Is a directory"}};
  for (const auto& row : bad) {
    const FileChecksums failed = ChecksumFile(row.path, kinds);
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.error, row.error);
    EXPECT_TRUE(failed.values.empty());
  }
}

TEST(ChecksumChoice, RemembersTheTickedKeys) {
  test::TempDir dir;
  const test::ScopedEnv ini("QUOXA_INI", dir / "quoxa.ini");
  EXPECT_EQ(ReadChecksumChoice(), (std::vector<std::string>{"crc32", "md5", "sha1", "sha256"}));
  const struct {
    std::vector<std::string> write;
    const char* stored;
  } rows[] = {{{"sha3-256", "xxh3"}, "sha3-256,xxh3"}, {{}, ""}};
  for (const auto& row : rows) {
    ASSERT_TRUE(WriteChecksumChoice(row.write));
    EXPECT_EQ(TIniFile(dir / "quoxa.ini").ReadString("Checksums", "Algorithms", "?"), row.stored);
    EXPECT_EQ(ReadChecksumChoice(), row.write);
  }
  TIniFile(dir / "quoxa.ini").WriteString("Checksums", "Algorithms", " md5 ,, sha1 ");
  EXPECT_EQ(ReadChecksumChoice(), (std::vector<std::string>{"md5", "sha1"}));
}

}  // namespace
}  // namespace quoxa
