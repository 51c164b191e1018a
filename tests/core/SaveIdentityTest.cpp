// The one writer keeps what the saved file is (links, inode, owner, attributes) and
// leaves it byte for byte when the disk has no room for the new contents.
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "Recorders.h"
#include "TempFiles.h"
#include "TestDocument.h"
#include "core/AtomicFileWriter.h"
#include "core/DocState.h"
#include "core/FileIo.h"
#include "core/PlatformFile.h"

namespace quoxa {
namespace {

using test::InodeOf;
using test::Pattern;
using test::ReadBytes;
using test::WriteBytes;
using Names = std::vector<std::string>;

std::string Attribute(const std::string& path, const char* name) {
  std::string value(256, '\0');
  const ssize_t n = getxattr(path.c_str(), name, value.data(), value.size());
  return n < 0 ? std::string("<none>") : value.substr(0, static_cast<size_t>(n));
}

// An access list granting one more user read access, in the kernel's own format.
std::string AclGrantingUser(uint32_t uid) {
  std::string v;
  auto put = [&v](uint32_t x, int bytes) {
    for (int i = 0; i < bytes; ++i) v += static_cast<char>((x >> (8 * i)) & 0xFF);
  };
  put(2, 4);  // version
  const uint32_t none = 0xFFFFFFFF;
  for (auto [tag, perm, id] : {std::tuple{0x01u, 6u, none}, {0x02u, 4u, uid}, {0x04u, 4u, none}, {0x10u, 4u, none},
                               {0x20u, 0u, none}}) {
    put(tag, 2);
    put(perm, 2);
    put(id, 4);
  }
  return v;
}

struct IdentityCase {
  const char* what;
  bool asOrdinaryUser;  // the save runs as a user without the superuser's rights
  // Prepares the file at path in folder; false when this system cannot have the case.
  std::function<bool(const test::TempDir& folder, const std::string& path)> prepare;
  std::function<void(const test::TempDir& folder, const std::string& path, const struct stat& before)> check;
};

TEST(SaveIdentity, TheSavedFileStaysTheFileItWas) {
  const std::string kBefore = "old contents";
  const std::string kAfter = "the new contents, longer than the old";
  const IdentityCase cases[] = {
      {"a hard link shares the saved bytes", false,
       [](const test::TempDir& d, const std::string& p) { return link(p.c_str(), d.File("other.bin").c_str()) == 0; },
       [&](const test::TempDir& d, const std::string& p, const struct stat& before) {
         EXPECT_EQ(ReadBytes(d.File("other.bin")), kAfter);
         EXPECT_EQ(InodeOf(p), before.st_ino);
       }},
      {"an extended attribute survives", false,
       [](const test::TempDir&, const std::string& p) {
         return setxattr(p.c_str(), "user.origin", "downloaded", 10, 0) == 0;
       },
       [](const test::TempDir&, const std::string& p, const struct stat&) {
         EXPECT_EQ(Attribute(p, "user.origin"), "downloaded");
       }},
      {"an access control list survives", false,
       [](const test::TempDir&, const std::string& p) {
         const std::string acl = AclGrantingUser(12345);
         return setxattr(p.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) == 0;
       },
       [](const test::TempDir&, const std::string& p, const struct stat& before) {
         EXPECT_EQ(Attribute(p, "system.posix_acl_access"), AclGrantingUser(12345));
         EXPECT_EQ(test::ModeOf(p), before.st_mode & 07777);
       }},
      {"the superuser saving another user's file keeps its owner", false,
       [](const test::TempDir&, const std::string& p) {
         return test::RunningAsRoot() && chown(p.c_str(), test::kNobody, test::kNobody) == 0;
       },
       [](const test::TempDir&, const std::string& p, const struct stat&) {
         struct stat st {};
         ASSERT_EQ(stat(p.c_str(), &st), 0);
         EXPECT_EQ(st.st_uid, test::kNobody);
         EXPECT_EQ(st.st_gid, test::kNobody);
       }},
      {"a writable file in a folder the user may not write is written in place", true,
       [](const test::TempDir& d, const std::string& p) {
         if (test::RunningAsRoot() && chown(p.c_str(), test::kNobody, test::kNobody) != 0) return false;
         return chmod(d.Path().c_str(), 0555) == 0;
       },
       [](const test::TempDir& d, const std::string& p, const struct stat& before) {
         EXPECT_EQ(InodeOf(p), before.st_ino);
         chmod(d.Path().c_str(), 0755);
       }},
      {"a group member saving another user's file leaves its owner", true,
       [](const test::TempDir& d, const std::string& p) {
         // Only the superuser can set up a file of another user.
         return test::RunningAsRoot() && chown(p.c_str(), 0, test::kNobody) == 0 && chmod(p.c_str(), 0664) == 0 &&
                chmod(d.Path().c_str(), 0777) == 0;
       },
       [](const test::TempDir&, const std::string& p, const struct stat& before) {
         struct stat st {};
         ASSERT_EQ(stat(p.c_str(), &st), 0);
         EXPECT_EQ(st.st_uid, 0u);
         EXPECT_EQ(st.st_ino, before.st_ino);
       }},
  };
  for (const IdentityCase& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempDir folder;
    const std::string path = folder / "save.bin";
    WriteBytes(path, kBefore);
    if (!c.prepare(folder, path)) {
      std::printf("  (not on this system: %s)\n", c.what);
      continue;
    }
    // The ordinary user must reach the folder.
    if (c.asOrdinaryUser) chmod(folder.Path().c_str(), (test::ModeOf(folder.Path()) & 0700) | 0055);
    const Names names = folder.Names();
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    const auto save = [&] {
      return WriteFileSafely(path, reinterpret_cast<const uint8_t*>(kAfter.data()),
                             static_cast<int64_t>(kAfter.size()));
    };

    EXPECT_EQ(c.asOrdinaryUser ? test::AsOrdinaryUser(save) : save(), 0);

    EXPECT_EQ(ReadBytes(path), kAfter);
    EXPECT_EQ(folder.Names(), names) << "no temporary file may stay behind";
    c.check(folder, path, before);
    chmod(folder.Path().c_str(), 0755);
  }
}

TEST(SaveIdentity, AShorterSaveInPlaceCutsTheOldTail) {
  test::TempDir folder;
  const std::string path = folder / "save.bin";
  WriteBytes(path, Pattern(300000, 1));
  ASSERT_EQ(link(path.c_str(), (folder / "other.bin").c_str()), 0);
  const std::string shorter = Pattern(1000, 9);

  EXPECT_EQ(WriteFileSafely(path, reinterpret_cast<const uint8_t*>(shorter.data()), 1000), 0);

  EXPECT_TRUE(ReadBytes(folder / "other.bin") == shorter) << "the link holds the shorter contents";
}

// Room on the disk

class SaveRoom : public ::testing::Test {
 protected:
  void TearDown() override { ClearIoFaultsForTesting(); }

  // Saves a document of size bytes over a file of original bytes at path.
  bool Save(const std::string& path, int64_t original, int64_t size) {
    before_ = Pattern(original, 3);
    WriteBytes(path, before_);
    inode_ = InodeOf(path);
    test::LoadDocument(Pattern(size, 5));
    Doc().Modified = true;
    rec.messages.shown.clear();
    rec.progress.boxes.clear();
    return WriteFileRange(path, false, 1, 0);
  }
  void ExpectSavedInPlace(const std::string& path, int64_t size) {
    EXPECT_TRUE(ReadBytes(path) == Pattern(size, 5)) << "the saved contents";
    EXPECT_EQ(InodeOf(path), inode_);
    EXPECT_TRUE(rec.messages.shown.empty());
    EXPECT_FALSE(Doc().Modified);
  }
  void ExpectDiskFull(const std::string& path) {
    EXPECT_EQ(rec.messages.Texts(), (Names{"Error writing\nsave.bin\nError 112: Disk full"}));
    EXPECT_TRUE(ReadBytes(path) == before_) << "the original must stay byte for byte";
    EXPECT_TRUE(Doc().Modified);
  }

  test::RecorderScope rec;
  std::string before_;
  ino_t inode_ = 0;
};

TEST_F(SaveRoom, AFullSmallFileSystem) {
  constexpr int64_t kKiB = 1024;
  test::SmallFileSystem disk(1024 * kKiB);
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a small file system needs the superuser";
  const std::string path = disk.Dir() / "save.bin";

  // Room for both copies: replaced by rename.
  EXPECT_TRUE(Save(path, 100 * kKiB, 300 * kKiB));
  EXPECT_TRUE(ReadBytes(path) == Pattern(300 * kKiB, 5));
  EXPECT_EQ(disk.Dir().Names(), Names{"save.bin"});

  // No room for a second copy, but for the growth: written in place.
  EXPECT_TRUE(Save(path, 600 * kKiB, 700 * kKiB));
  ExpectSavedInPlace(path, 700 * kKiB);
  EXPECT_EQ(disk.Dir().Names(), Names{"save.bin"});

  // No room for the growth either: nothing changed.
  EXPECT_FALSE(Save(path, 600 * kKiB, 1100 * kKiB));
  ExpectDiskFull(path);
  EXPECT_EQ(disk.Dir().Names(), Names{"save.bin"});
}

TEST_F(SaveRoom, NoRoomAsTheSystemReportsIt) {
  test::TempDir dir;
  const std::string path = dir / "save.bin";
  struct Case {
    const char* what;
    IoOp op;
    int64_t afterBytes;
    int strikes;
    bool saved;
  };
  const Case cases[] = {
      {"no room to reserve the temporary copy: written in place", IoOp::Reserve, 0, 1, true},
      {"the temporary copy fills the disk midway: written in place", IoOp::Write, 200000, 1, true},
      {"no room anywhere: nothing changed", IoOp::Reserve, 0, -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    InjectIoFaultForTesting(c.op, ENOSPC, c.afterBytes, c.strikes);
    EXPECT_EQ(Save(path, kFileChunk + 5, 4 * kFileChunk), c.saved);
    ClearIoFaultsForTesting();
    if (c.saved) {
      ExpectSavedInPlace(path, 4 * kFileChunk);
      EXPECT_FALSE(rec.progress.boxes.at(0)->cancelEnabled) << "no Cancel once the file itself is written";
    } else {
      ExpectDiskFull(path);
    }
    EXPECT_EQ(dir.Names(), Names{"save.bin"});
  }
}

TEST_F(SaveRoom, InPlaceOffersNoCancelAndIsNotCancelled) {
  test::TempDir dir;
  const std::string path = dir / "save.bin";
  WriteBytes(path, "x");
  ASSERT_EQ(link(path.c_str(), (dir / "other.bin").c_str()), 0);
  test::LoadDocument(Pattern(4 * kFileChunk, 5));
  rec.progress.abortAfterUpdates = 1;

  EXPECT_TRUE(WriteFileRange(path, false, 1, 0));

  EXPECT_FALSE(rec.progress.boxes.at(0)->setup.withCancel);
  EXPECT_TRUE(ReadBytes(dir / "other.bin") == Pattern(4 * kFileChunk, 5)) << "the link holds the saved bytes";
}

}  // namespace
}  // namespace quoxa
