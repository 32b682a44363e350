#include "platform/Files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolder.h"

namespace vigil::platform {
namespace {

class FilesTest : public ::testing::Test {
 protected:
  void TearDown() override { SetFileFaultHook(nullptr); }
  test::TempFolder dir_;
};

TEST_F(FilesTest, Utf16TextIsWrittenWithoutMarkAndReadBack) {
  const fs::path file = dir_.path() / "a.txt";
  ASSERT_TRUE(WriteUtf16FileAtomic(file, "x=1\r\n\xC2\xB0\r\n"));
  EXPECT_EQ(*ReadFileBytes(file), std::string("x\0=\0"
                                              "1\0\r\0\n\0\xB0\0\r\0\n\0",
                                              16));
  EXPECT_EQ(*ReadUtf16File(file), "x=1\r\n\xC2\xB0\r\n");
  ASSERT_TRUE(AppendUtf16File(file, "y"));
  EXPECT_EQ(*ReadUtf16File(file), "x=1\r\n\xC2\xB0\r\ny");
  EXPECT_FALSE(ReadUtf16File(dir_.path() / "missing.txt").has_value());
}

TEST_F(FilesTest, AFailedReplaceLeavesTheOldFileAndNoTemporary) {
  const fs::path file = dir_.path() / "s.txt";
  ASSERT_TRUE(WriteUtf16FileAtomic(file, "old"));
  for (FileOp failing : {FileOp::Write, FileOp::Rename}) {
    SetFileFaultHook([failing](FileOp op, const fs::path&) {
      return op == failing ? FaultAction::Fail : FaultAction::Proceed;
    });
    EXPECT_FALSE(WriteUtf16FileAtomic(file, "new"));
    EXPECT_EQ(*ReadUtf16File(file), "old");
    EXPECT_EQ(FindFiles(dir_.path(), "*").size(), 1u);
  }
  SetFileFaultHook(nullptr);
  EXPECT_TRUE(WriteUtf16FileAtomic(file, "new"));
  EXPECT_EQ(*ReadUtf16File(file), "new");
}

// A stop between creating a cycle file and writing its header once left an empty file, and the
// next lines went in without the header.
TEST_F(FilesTest, AnAppendThatCreatesTheFileCreatesItWholeAsOneOperation) {
  const fs::path file = dir_.path() / "c.txt";
  std::vector<FileOp> seen;
  SetFileFaultHook([&seen](FileOp op, const fs::path&) {
    seen.push_back(op);
    return FaultAction::Proceed;
  });
  ASSERT_TRUE(AppendUtf16File(file, "head\r\nline 1\r\n"));
  ASSERT_TRUE(AppendUtf16File(file, "line 2\r\n"));
  EXPECT_EQ(seen, (std::vector<FileOp>{FileOp::Append, FileOp::Rename, FileOp::Append}));
  EXPECT_EQ(*ReadUtf16File(file), "head\r\nline 1\r\nline 2\r\n");
  EXPECT_EQ(FindFiles(dir_.path(), "*"), std::vector<std::string>{"c.txt"}) << "no temporary left";

  SetFileFaultHook([](FileOp, const fs::path&) { return FaultAction::Fail; });
  EXPECT_FALSE(AppendUtf16File(dir_.path() / "d.txt", "head\r\n"));
  EXPECT_FALSE(FileExists(dir_.path() / "d.txt"));
}

TEST_F(FilesTest, ANewFileIsNeverPutInPlaceOfOneAnotherProgramMadeMeanwhile) {
  const fs::path file = dir_.path() / "c.txt";
  bool made = false;
  SetFileFaultHook([&](FileOp op, const fs::path&) {
    if (op == FileOp::Rename && !made) {
      made = true;
      WriteUtf16FileAtomic(file, "head\r\ntheirs\r\n");
    }
    return FaultAction::Proceed;
  });
  EXPECT_FALSE(AppendUtf16File(file, "head\r\nours\r\n"));
  SetFileFaultHook(nullptr);
  EXPECT_EQ(*ReadUtf16File(file), "head\r\ntheirs\r\n");
  EXPECT_EQ(FindFiles(dir_.path(), "*"), std::vector<std::string>{"c.txt"}) << "no temporary left";
}

TEST_F(FilesTest, WritingIntoAMissingFolderFails) {
  EXPECT_FALSE(WriteUtf16FileAtomic(dir_.path() / "no" / "x.txt", "a"));
  EXPECT_FALSE(AppendUtf16File(dir_.path() / "no" / "x.txt", "a"));
}

TEST_F(FilesTest, FoldersCopyDeleteAndWildcards) {
  ASSERT_TRUE(CreateFolder(dir_.path() / "Data"));
  EXPECT_TRUE(CreateFolder(dir_.path() / "Data"));
  ASSERT_TRUE(WriteUtf16FileAtomic(dir_.path() / "Data" / "P_S_071226_1.txt", "1"));
  ASSERT_TRUE(WriteUtf16FileAtomic(dir_.path() / "Data" / "p_s_071226_2.TXT", "2"));
  ASSERT_TRUE(WriteUtf16FileAtomic(dir_.path() / "Data" / "other.ini", "3"));
  EXPECT_EQ(FindFiles(dir_.path() / "Data", "P_S_071226_*.txt"),
            (std::vector<std::string>{"P_S_071226_1.txt", "p_s_071226_2.TXT"}));
  EXPECT_EQ(FindFiles(dir_.path(), "*"), std::vector<std::string>{});
  EXPECT_EQ(FindFiles(dir_.path(), "*", true), std::vector<std::string>{"Data"});

  const fs::path copy = dir_.path() / "copy.ini";
  EXPECT_TRUE(CopyFileTo(dir_.path() / "Data" / "other.ini", copy, true));
  EXPECT_FALSE(CopyFileTo(dir_.path() / "Data" / "P_S_071226_1.txt", copy, true));
  EXPECT_EQ(*ReadUtf16File(copy), "3");
  EXPECT_TRUE(CopyFileTo(dir_.path() / "Data" / "P_S_071226_1.txt", copy, false));
  EXPECT_EQ(*ReadUtf16File(copy), "1");
  EXPECT_EQ(FileSize(copy), 2u);

  EXPECT_FALSE(DeleteFileAt(dir_.path() / "Data"));  // a folder is not a file
  EXPECT_FALSE(RemoveFolder(dir_.path() / "Data"));  // not empty
  EXPECT_TRUE(DeleteFileAt(copy));
  EXPECT_FALSE(DeleteFileAt(copy));
  EXPECT_FALSE(FileExists(copy));
  EXPECT_TRUE(FolderExists(dir_.path() / "Data"));
}

TEST_F(FilesTest, ACopiedProgramStaysExecutable) {
  const fs::path program = dir_.path() / "tool.sh";
  ASSERT_TRUE(WriteFileBytesAtomic(program, "#!/bin/sh\n"));
  fs::permissions(program, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
  ASSERT_TRUE(CopyFileTo(program, dir_.path() / "copy.sh", false));
  EXPECT_EQ(fs::status(dir_.path() / "copy.sh").permissions(),
            fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
}

TEST(Wildcard, MatchesLikeTheControllerFileSystem) {
  const struct {
    const char* pattern;
    const char* name;
    bool match;
  } cases[] = {
      {"*", "", true},
      {"*.ini", "A_B.INI", true},
      {"*.ini", "a.ini.bak", false},
      {"a?c", "abc", true},
      {"a?c", "ac", false},
      {"*a*b*", "xxaxxbxx", true},
      {"*a*b", "aab_ab_", false},
      {"**", "x", true},
      {"P_S_*_*.txt", "P_S_071226_12.txt", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
  // A pathological pattern must not take exponential time.
  EXPECT_FALSE(WildcardMatch("*a*a*a*a*a*a*a*a*b", std::string(2000, 'a')));
}

}  // namespace
}  // namespace vigil::platform
