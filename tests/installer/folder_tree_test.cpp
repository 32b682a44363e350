#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolder.h"
#include "installer/FolderTree.h"
#include "installer/FreeSpace.h"
#include "installer/TreeCopy.h"
#include "platform/Files.h"

namespace vigil::installer {
namespace {

namespace fs = std::filesystem;

void Put(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  ASSERT_TRUE(platform::WriteFileBytesAtomic(file, bytes)) << file;
}

// A package program folder: two visible files, a hidden file, a sub-folder and a dot folder.
struct Tree : ::testing::Test {
  test::TempFolder temp;
  fs::path src = temp.path() / "src";
  fs::path dst = temp.path() / "dst";
  void SetUp() override {
    Put(src / "gauge.bin", std::string(100, 'g'));
    Put(src / ".hidden", std::string(7, 'h'));
    Put(src / "lib" / "a.dll", std::string(20, 'a'));
    Put(src / "lib" / "deep" / "b.dat", std::string(3, 'b'));
    Put(src / ".svn" / "entries", std::string(50, 's'));
    fs::create_directories(dst);
  }
};

TEST_F(Tree, SizesAndCounts) {
  EXPECT_EQ(TreeBytes(src), 100u + 7u + 20u + 3u + 50u);
  EXPECT_EQ(TreeBytes(temp.path() / "missing"), 0u);
  EXPECT_EQ(CountVisibleFiles(src), 3) << "hidden files and dot folders are not counted";
}

TEST_F(Tree, CopyCopiesHiddenFilesButNeitherCountsNorShowsThem) {
  TreeCopy copy;
  std::vector<std::string> shown;
  std::vector<std::string> counters;
  int pumps = 0;
  const bool ok = copy.Run(
      src, dst, CountVisibleFiles(src),
      [&](const std::string& name, int done, int total) {
        shown.push_back(name);
        counters.push_back(std::to_string(done) + "/" + std::to_string(total));
      },
      [&] { ++pumps; });
  ASSERT_TRUE(ok);
  EXPECT_EQ(shown, (std::vector<std::string>{"gauge.bin", "a.dll", "b.dat"}));
  EXPECT_EQ(counters, (std::vector<std::string>{"1/3", "2/3", "3/3"}));
  EXPECT_GE(pumps, 5) << "messages are handled between entries";
  EXPECT_EQ(platform::ReadFileBytes(dst / ".hidden"), std::string(7, 'h'));
  EXPECT_EQ(platform::ReadFileBytes(dst / "lib" / "deep" / "b.dat"), std::string(3, 'b'));
  EXPECT_FALSE(platform::FileExists(dst / ".svn")) << "dot folders are not entered";
  EXPECT_EQ(copy.FrameCapacity(), 3u) << "one frame per level descended";
}

TEST_F(Tree, CopyReplacesAnExistingFile) {
  Put(dst / "gauge.bin", "old");
  TreeCopy copy;
  ASSERT_TRUE(copy.Run(src, dst, 3, nullptr, nullptr));
  EXPECT_EQ(platform::ReadFileBytes(dst / "gauge.bin"), std::string(100, 'g'));
}

TEST_F(Tree, CopyStopsWhereAFolderCannotBeMade) {
  Put(dst / "lib", "a file where the folder belongs");
  TreeCopy copy;
  EXPECT_FALSE(copy.Run(src, dst, 3, nullptr, nullptr));
}

TEST_F(Tree, ReplacedBytesCountsOnlyFilesTheCopyWouldReplace) {
  Put(dst / "gauge.bin", std::string(40, 'o'));
  Put(dst / "lib" / "deep" / "b.dat", std::string(9, 'o'));
  Put(dst / "user.cfg", std::string(1000, 'u'));         // not in the package
  Put(dst / ".svn" / "entries", std::string(500, 'u'));  // the copy does not enter it
  EXPECT_EQ(ReplacedBytes(src, dst), 49u);
}

TEST_F(Tree, DeleteMatchingFilesLeavesOthers) {
  Put(dst / "gauge.bin", "x");
  Put(dst / "lib" / "a.dll", "x");
  Put(dst / "lib" / "user.cfg", "keep");
  ASSERT_TRUE(DeleteMatchingFiles(src, dst));
  EXPECT_FALSE(platform::FileExists(dst / "gauge.bin"));
  EXPECT_FALSE(platform::FileExists(dst / "lib" / "a.dll"));
  EXPECT_TRUE(platform::FileExists(dst / "lib" / "user.cfg"));
}

TEST_F(Tree, DeleteMatchingFilesReportsAFailure) {
  Put(dst / "gauge.bin", "x");
  platform::SetFileFaultHook([](platform::FileOp op, const fs::path&) {
    return op == platform::FileOp::Delete ? platform::FaultAction::Fail : platform::FaultAction::Proceed;
  });
  const bool ok = DeleteMatchingFiles(src, dst);
  platform::SetFileFaultHook(nullptr);
  EXPECT_FALSE(ok);
}

TEST_F(Tree, RemoveTreeRemovesEverythingAndIsTrueWhenNothingWasThere) {
  EXPECT_TRUE(RemoveTree(src));
  EXPECT_FALSE(platform::FileExists(src));
  EXPECT_TRUE(RemoveTree(temp.path() / "never"));
}

TEST_F(Tree, RemoveTreeDoesNotFollowALink) {
  const fs::path outside = temp.path() / "outside";
  Put(outside / "precious.txt", "keep");
  fs::create_directory_symlink(outside, src / "link");
  EXPECT_TRUE(RemoveTree(src));
  EXPECT_TRUE(platform::FileExists(outside / "precious.txt"));
}

TEST(FreeSpace, UsableBytesTable) {
  struct Case {
    std::optional<std::uint64_t> free;
    std::uint64_t usable;
    const char* comment;
  } cases[] = {
      {5000000, 4000000, "less the reserve"},
      {1000000, 0, "exactly the reserve"},
      {999999, 0, "below the reserve: none, not a wrapped huge number"},
      {0, 0, ""},
      {0xFFFFFFFFull, 0xFFFFFFFFull - 1000000, "largest 32-bit value"},
      {0x100000000ull, 999999999, "does not fit in 32 bits"},
      {std::nullopt, 0, "unknown"},
  };
  for (const Case& c : cases) EXPECT_EQ(UsableBytes(c.free), c.usable) << c.comment;
}

TEST(FreeSpace, AsksTheNearestExistingFolder) {
  test::TempFolder temp;
  EXPECT_TRUE(VolumeFreeBytes(temp.path() / "not" / "there"));
}

}  // namespace
}  // namespace vigil::installer
