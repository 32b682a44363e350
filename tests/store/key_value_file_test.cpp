#include "store/KeyValueFile.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/Files.h"
#include "platform/Format.h"

namespace vigil::store {
namespace {

const std::string kBom = "\xEF\xBB\xBF";

TEST(KeyValueLookup, FindsTheFirstLineOfExactlyThatKey) {
  const struct {
    std::string text;
    const char* key;
    const char* expected;
    const char* comment;
  } cases[] = {
      {"a=b=c", "a", "b=c", "value split at the first ="},
      {kBom + "project=P\r\nstation=S", "project", "", "a byte-order mark hides the first key"},
      {kBom + "project=P\r\nstation=S", "station", "S", "later keys are still found"},
      {"project\r\nproject=P", "project", "P", "a line without = never matches"},
      {"Project=P", "project", "", "keys are case-sensitive"},
      {"projectX=1\r\nproject=P", "project", "P", "a longer key is another key"},
      {" project=P\r\nproject =Q", "project", "", "no trimming"},
      {"a=1\r\na=2", "a", "1", "first line wins"},
      {"a=", "a", "", "empty value"},
      {"x=1\ry=2", "y", "", "a lone CR does not end a line"},
      {"x=1\ry=2", "x", "1\ry=2", "a lone CR stays in the value"},
      {"x=1\ny=2", "x", "1\ny=2", "a lone LF stays in the value"},
      {std::string("a=1\r\nb=2\0\r\nc=3", 14), "c", "", "the text ends at the first NUL"},
      {std::string("a=1\r\nb=2\0\r\nc=3", 14), "b", "2", "text before the NUL is kept"},
      {"=v", "", "v", "an empty key is a key"},
      {"t=\xC2\xB0"
       "C",
       "t",
       "\xC2\xB0"
       "C",
       "non-ASCII text"},
  };
  for (const auto& c : cases) {
    const KeyValueFile file("unused", c.text);
    EXPECT_EQ(file.Get(c.key), c.expected) << c.comment;
  }
}

TEST(KeyValueText, EmptyLinesDisappearOnWriting) {
  const struct {
    const char* read;
    const char* written;
    const char* comment;
  } cases[] = {
      {"a=1\r\n\r\nb=2", "a=1\r\nb=2", "an empty line in the middle"},
      {"a=1\r\n", "a=1\r\n", "a list ending in an empty line ends with CR LF"},
      {"a=1\r\n\r\n", "a=1\r\n", "two trailing empty lines give one CR LF"},
      {"\r\na=1", "a=1", "a leading empty line"},
      {"a=1\r\nb=2", "a=1\r\nb=2", "no CR LF after the last line"},
      {"", "", "an empty file stays empty"},
      {"a=1\r\r\nb=2", "a=1\r\r\nb=2", "a line ending in a lone CR survives"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KeyValueFile::JoinLines(KeyValueFile::SplitLines(c.read)), c.written) << c.comment;
  }
  EXPECT_EQ(KeyValueFile::SplitLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(KeyValueFile::SplitLines(""), (std::vector<std::string>{""}));
}

TEST(KeyValueSet, ReplacesInPlaceOrAppends) {
  const struct {
    std::string before;
    const char* key;
    std::string value;
    bool accepted;
    std::string after;
    const char* comment;
  } cases[] = {
      {"a=1", "b", "2", true, "a=1\r\nb=2", "a new key is appended last"},
      {"a=1\r\nb=2\r\nc=3", "b", "9", true, "a=1\r\nb=9\r\nc=3", "an existing key keeps its place"},
      {"a=1\r\na=2", "a", "9", true, "a=9\r\na=2", "only the first line of the key"},
      // Once any line merely beginning with the key text was replaced, losing that line.
      {"projectX=1\r\nproject=P", "project", "Q", true, "projectX=1\r\nproject=Q", "longer key kept"},
      {"project\r\nx=1", "project", "Q", true, "project\r\nx=1\r\nproject=Q", "line without = kept"},
      {kBom + "project=P", "project", "Q", true, kBom + "project=P\r\nproject=Q", "mark hides the key"},
      {"a=1", "b", "x=y", true, "a=1\r\nb=x=y", "= in a value"},
      {"a=1", "b", "1\n2", true, "a=1\r\nb=1\n2", "a lone LF reads back"},
      {"a=1", "b", "1\r\nproject=X", false, "a=1", "a line break would add a key"},
      {"a=1", "b\r\nc", "1", false, "a=1", "a line break in the key"},
      {"a=1", "b=c", "1", false, "a=1", "a key holding = is never found again"},
      {"a=1", "b",
       std::string("1\0"
                   "2",
                   3),
       false, "a=1", "a NUL would end the text"},
  };
  for (const auto& c : cases) {
    KeyValueFile file("unused", c.before);
    EXPECT_EQ(file.Set(c.key, c.value), c.accepted) << c.comment;
    EXPECT_EQ(KeyValueFile::JoinLines(file.Lines()), c.after) << c.comment;
    if (c.accepted) {
      const KeyValueFile reread("unused", KeyValueFile::JoinLines(file.Lines()));
      EXPECT_EQ(reread.Get(c.key), c.value) << c.comment;
    }
  }
}

class KeyValueFileOnDisk : public ::testing::Test {
 protected:
  void TearDown() override { platform::SetFileFaultHook(nullptr); }
  test::TempFolder dir_;
};

TEST_F(KeyValueFileOnDisk, MissingFileHasNoLinesAndSavesNothing) {
  const fs::path path = dir_.path() / "Station" / "P_S.txt";
  const KeyValueFile file(path);
  EXPECT_TRUE(file.Lines().empty());
  EXPECT_EQ(file.Get("project"), "");
  EXPECT_TRUE(file.Save());
  EXPECT_FALSE(platform::FileExists(path));
}

TEST_F(KeyValueFileOnDisk, WritesUtf16WithoutMarkAndCreatesItsFolder) {
  const fs::path path = dir_.path() / "Station" / "P_S.txt";
  KeyValueFile file(path);
  ASSERT_TRUE(file.Set("t", "\xC2\xB0"));
  ASSERT_TRUE(file.Set("u", "1"));
  ASSERT_TRUE(file.Save());
  EXPECT_EQ(*platform::ReadFileBytes(path), std::string("t\0=\0\xB0\0\r\0\n\0u\0=\0"
                                                        "1\0",
                                                        16));
  EXPECT_EQ(KeyValueFile(path).Get("t"), "\xC2\xB0");
}

TEST_F(KeyValueFileOnDisk, LargeFileSurvivesLoadAndSave) {
  // Once only the first 25,600 bytes were read, and the next save cut the file there.
  const fs::path path = dir_.path() / "big.txt";
  std::string text;
  constexpr int kLines = 2500;
  for (int i = 0; i < kLines; ++i) {
    if (i > 0) text += "\r\n";
    text += platform::Format("key%04d=value %d of a long settings file", {i, i});
  }
  ASSERT_TRUE(platform::WriteUtf16FileAtomic(path, text));
  ASSERT_GT(*platform::FileSize(path), 100u * 1024u);

  KeyValueFile file(path);
  ASSERT_EQ(file.Lines().size(), static_cast<std::size_t>(kLines));
  EXPECT_EQ(file.Get("key2499"), "value 2499 of a long settings file");
  ASSERT_TRUE(file.Set("key0000", "changed"));
  ASSERT_TRUE(file.Save());

  const KeyValueFile reread(path);
  EXPECT_EQ(reread.Lines().size(), static_cast<std::size_t>(kLines));
  EXPECT_EQ(reread.Get("key0000"), "changed");
  EXPECT_EQ(reread.Get("key1280"), "value 1280 of a long settings file");
  EXPECT_EQ(reread.Get("key2499"), "value 2499 of a long settings file");
}

TEST_F(KeyValueFileOnDisk, FailedSaveLeavesTheOldFile) {
  const fs::path path = dir_.path() / "s.txt";
  ASSERT_TRUE(platform::WriteUtf16FileAtomic(path, "project=P\r\neasting=1"));
  for (platform::FileOp failing : {platform::FileOp::Write, platform::FileOp::Rename}) {
    KeyValueFile file(path);
    ASSERT_TRUE(file.Set("easting", "2"));
    platform::SetFileFaultHook([failing](platform::FileOp op, const fs::path&) {
      return op == failing ? platform::FaultAction::Fail : platform::FaultAction::Proceed;
    });
    EXPECT_FALSE(file.Save());
    platform::SetFileFaultHook(nullptr);
    EXPECT_EQ(*platform::ReadUtf16File(path), "project=P\r\neasting=1");
    EXPECT_EQ(platform::FindFiles(dir_.path(), "*").size(), 1u) << "no temporary left";
  }
}

TEST_F(KeyValueFileOnDisk, SaveAsWritesElsewhereAndKeepsItsOwnPath) {
  const fs::path path = dir_.path() / "a.txt";
  const fs::path other = dir_.path() / "b.txt";
  KeyValueFile file(path, "x=1");
  ASSERT_TRUE(file.SaveAs(other));
  EXPECT_FALSE(platform::FileExists(path));
  EXPECT_EQ(KeyValueFile(other).Get("x"), "1");
  EXPECT_EQ(file.Path(), path);
}

}  // namespace
}  // namespace vigil::store
