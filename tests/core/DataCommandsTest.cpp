// File > Export as and File > Import on the document: the addresses an imported image shows, the
// export of its block at the block's address, Cancel and faults with their exact messages, and
// the new document an import makes.
#include <gtest/gtest.h>

#include "Recorders.h"
#include "TempFiles.h"
#include "TestDocument.h"
#include "core/BookmarkList.h"
#include "core/DocState.h"
#include "core/FreeMemory.h"
#include "core/MemoryPolicy.h"
#include "edit/GotoCommands.h"
#include "tools/DataCommands.h"
#include "ui/main/DocumentCommands.h"

namespace quoxa {
namespace {

class Host final : public IDocumentHost {
 public:
  FileAnswer AskFileName(const FileQuestion&) override { return {}; }
  void SetCaption(const std::string& text) override { caption = text; }
  void ShowNote(const std::string&) override {}
  void ClearGrids() override {}
  void ShowDocumentView(bool) override {}
  void AddRecentFile(const std::string&) override {}
  std::string caption;
};

class DataCommands : public ::testing::Test {
 protected:
  test::RecorderScope rec;
  test::TempDir dir;
  Host host;
  TDocumentCommands docs{host};
};

TEST_F(DataCommands, TheOriginShiftsEveryShownAddress) {
  test::LoadDocument(test::Ramp(64));
  Doc().AddressOrigin = 0x08000000;
  for (const int64_t base : {0, 1}) {
    Doc().BaseAddress = base;
    EXPECT_EQ(DisplayAddress(1), 0x08000000 + base);
    EXPECT_EQ(DisplayAddress(17), 0x08000010 + base);
    // Go to takes the addresses as shown.
    EXPECT_EQ(GotoTarget("$8000010", kGotoAbsolute, 1, 64, DisplayAddress(1)), 17 - base);
    EXPECT_EQ(GotoTarget("16", kGotoAbsolute, 1, 64, DisplayAddress(1)), std::nullopt);
  }
  EXPECT_EQ(BookmarkCaption(1, "17 boot", false), "&1 $8000011: boot");
}

TEST_F(DataCommands, TheBlockExportsAtItsAddress) {
  test::LoadDocument(test::Ramp(64));
  Doc().AddressOrigin = 0x08000000;
  Doc().BaseAddress = 1;
  Doc().BlockBegin = 17;
  Doc().BlockEnd = 20;
  const TExportSetup setup = CurrentExportSetup();
  EXPECT_EQ(setup.fileAddress, 0x08000000);
  EXPECT_EQ(setup.blockAddress, 0x08000010);
  EXPECT_EQ(setup.blockLength, 4);
  TExportOptions o;
  o.baseAddress = setup.blockAddress;
  ASSERT_TRUE(ExportDocument(dir / "block.hex", o, true));
  EXPECT_EQ(test::ReadBytes(dir / "block.hex"),
            ":020000040800F2\n:0400100010111213A6\n:00000001FF\n");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"block.hex"});
  EXPECT_TRUE(rec.messages.shown.empty());

  // Cancel leaves no file; a folder that is not there is told.
  rec.progress.abortAfterUpdates = 0;
  EXPECT_FALSE(ExportDocument(dir / "cancelled.hex", o, false));
  rec.progress.abortAfterUpdates = -1;
  EXPECT_FALSE(ExportDocument(dir / "none/x.hex", o, false));
  EXPECT_EQ(rec.messages.Texts(),
            (std::vector<std::string>{"Writing cancelled.hex cancelled",
                                      "Error writing\nx.hex\nError 3: Path not found"}));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"block.hex"});
}

TEST_F(DataCommands, AnImportBecomesANewUntitledDocument) {
  test::LoadDocument("old");
  Doc().Modified = true;
  test::WriteBytes(dir / "bad.hex", ":0400100010111213A6\n:0400100010111213A7\n");
  test::WriteBytes(dir / "fw.hex", ":020000040800F2\n:0400100010111213A6\n:00000001FF\n");
  EXPECT_EQ(ImportForDocument(dir / "bad.hex", TDataFormat::IntelHex, 0xFF), std::nullopt);
  rec.progress.abortAfterUpdates = 0;
  EXPECT_EQ(ImportForDocument(dir / "fw.hex", TDataFormat::IntelHex, 0xFF), std::nullopt);
  rec.progress.abortAfterUpdates = -1;
  EXPECT_EQ(
      rec.messages.Texts(),
      (std::vector<std::string>{"line 2: checksum error: the record says A7, its bytes give A6",
                                "Reading cancelled:\nfw.hex"}));
  EXPECT_EQ(test::DocumentBytes(), "old");

  const std::optional<TImportedImage> image =
      ImportForDocument(dir / "fw.hex", TDataFormat::IntelHex, 0xFF);
  ASSERT_TRUE(image);
  SetFreeMemoryOverride(1);
  EXPECT_FALSE(
      docs.ShowImported(std::vector<uint8_t>(kMinCapacity + kGrowStep), 0, dir / "fw.hex"));
  SetFreeMemoryOverride(std::nullopt);
  EXPECT_EQ(rec.messages.Texts().back(), "Can't allocate additional memory\nto perform operation");
  EXPECT_EQ(test::DocumentBytes(), "old");

  ASSERT_TRUE(docs.ShowImported(image->bytes, image->origin, dir / "fw.hex"));
  EXPECT_EQ(test::DocumentBytes(), "\x10\x11\x12\x13");
  EXPECT_EQ(DisplayAddress(1), 0x08000010);
  EXPECT_EQ(Doc().FileName, dir / "fw.bin");
  EXPECT_TRUE(Doc().Untitled);
  EXPECT_FALSE(Doc().Modified);
  EXPECT_EQ(host.caption, "QUOXA - fw.bin");
  // A file opened afterwards starts at address 0 again.
  docs.New();
  EXPECT_EQ(DisplayAddress(1), Doc().BaseAddress);

  const std::pair<std::string, std::string> names[] = {{"/a/fw.hex", "/a/fw.bin"},
                                                       {"/a/fw.bin.b64", "/a/fw.bin"},
                                                       {"/a.b/fw", "/a.b/fw.bin"},
                                                       {"/a/.hex", "/a/.hex.bin"}};
  for (const auto& [path, name] : names) EXPECT_EQ(ImportedDocumentName(path), name) << path;
}

}  // namespace
}  // namespace quoxa
