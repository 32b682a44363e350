#include "monitoring/DataFileCopy.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "monitoring/StorageFolders.h"
#include "platform/Files.h"

namespace vigil::monitoring {
namespace {

class CopyTest : public ::testing::Test {
 protected:
  CopyTest() {
    platform::CreateFolder(data_);
    platform::CreateFolder(out_);
  }
  ~CopyTest() override { platform::SetFileFaultHook({}); }
  void Put(const std::filesystem::path& path, const std::string& text) {
    ASSERT_TRUE(platform::WriteUtf16FileAtomic(path, text));
  }
  vigil::test::TempFolder dir_;
  std::filesystem::path data_ = dir_.path() / "Data";
  std::filesystem::path out_ = dir_.path() / "out";
};

TEST_F(CopyTest, AllFilesOfAllStationsCopiedAndDeletedOnlyAfterTheirOwnCopy) {
  Put(data_ / "S1_P_06-Dec-2026_Cycle_1.vgl", "one");
  Put(data_ / "S2_Q_06-Dec-2026_Cycle_1.vgl", "two");
  Put(data_ / "notes.txt", "kept");
  Put(out_ / "S2_Q_06-Dec-2026_Cycle_1.vgl", "old");
  const auto names = DataFileNames(data_);
  ASSERT_EQ(names.size(), 2u);
  platform::SetFileFaultHook([](platform::FileOp op, const std::filesystem::path& path) {
    const bool failThis = op == platform::FileOp::Copy && path.filename().string().rfind("S1", 0) == 0;
    return failThis ? platform::FaultAction::Fail : platform::FaultAction::Proceed;
  });
  const CopyAllOutcome outcome = CopyDataFiles(data_, names, out_, true);
  EXPECT_EQ(outcome.copied, 1);
  EXPECT_EQ(outcome.failed, 1);
  EXPECT_EQ(outcome.deleted, 1);
  EXPECT_TRUE(platform::FileExists(data_ / "S1_P_06-Dec-2026_Cycle_1.vgl")) << "its copy failed";
  EXPECT_FALSE(platform::FileExists(data_ / "S2_Q_06-Dec-2026_Cycle_1.vgl"));
  EXPECT_EQ(platform::ReadUtf16File(out_ / "S2_Q_06-Dec-2026_Cycle_1.vgl"), "two") << "overwritten";
  EXPECT_TRUE(platform::FileExists(data_ / "notes.txt"));
}

// Copying into the data folder itself and then deleting would have lost the file.
TEST_F(CopyTest, CopyOntoItselfFailsAndDeletesNothing) {
  Put(data_ / "a.vgl", "a");
  const CopyAllOutcome outcome = CopyDataFiles(data_, {"a.vgl"}, data_, true);
  EXPECT_EQ(outcome.failed, 1);
  EXPECT_EQ(platform::ReadUtf16File(data_ / "a.vgl"), "a");
}

TEST_F(CopyTest, FileNameOfAPathText) {
  EXPECT_EQ(FileNameOfPathText("\\Storage Card\\x\\a.vgl"), "a.vgl");
  EXPECT_EQ(FileNameOfPathText("/tmp/b.vgl"), "b.vgl");
  EXPECT_EQ(FileNameOfPathText("c.vgl"), "c.vgl");
  EXPECT_EQ(FileNameOfPathText("\\dir\\"), "");
}

TEST_F(CopyTest, StorageFoldersShowOnlyTheTwoRootsWithTheirVisibleFolders) {
  const auto root = dir_.path() / "device";
  for (const char* f : {"", "Storage Card", "Storage Card/Monitoring", "Storage Card/Monitoring/2026",
                        "Storage Card/.hidden", "Removable Disk", "Windows", "ROMDisk"}) {
    ASSERT_TRUE(platform::CreateFolder(root / f)) << f;
  }
  Put(root / "Storage Card" / "file.txt", "not a folder");
  const auto roots = ExternalStorageFolders(root);
  ASSERT_EQ(roots.size(), 2u);
  EXPECT_EQ(roots[0].name, "Removable Disk");
  EXPECT_TRUE(roots[0].children.empty());
  EXPECT_EQ(roots[1].name, "Storage Card");
  ASSERT_EQ(roots[1].children.size(), 1u);
  EXPECT_EQ(roots[1].children[0].name, "Monitoring");
  ASSERT_EQ(roots[1].children[0].children.size(), 1u);
  EXPECT_EQ(roots[1].children[0].children[0].name, "2026");
  EXPECT_TRUE(ExternalStorageFolders(dir_.path() / "nothing").empty());
}

TEST_F(CopyTest, AFolderLoopEndsAtTheDepthLimit) {
  const auto root = dir_.path() / "device";
  ASSERT_TRUE(platform::CreateFolder(root));
  ASSERT_TRUE(platform::CreateFolder(root / "Storage Card"));
  std::filesystem::create_directory_symlink(root / "Storage Card", root / "Storage Card" / "loop");
  const auto roots = ExternalStorageFolders(root);
  ASSERT_EQ(roots.size(), 1u);
  int depth = 0;
  for (const FolderNode* n = &roots[0]; !n->children.empty(); n = &n->children[0]) ++depth;
  EXPECT_EQ(depth, kMaxFolderDepth - 1);
}

}  // namespace
}  // namespace vigil::monitoring
