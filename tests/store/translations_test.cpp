#include "store/Translations.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "TempFolder.h"
#include "platform/Files.h"
#include "store/Placeholders.h"

namespace vigil::store {
namespace {

class TranslationsTest : public ::testing::Test {
 protected:
  void TearDown() override { platform::SetFileFaultHook(nullptr); }
  void WriteTranslations(std::string_view text) { ASSERT_TRUE(platform::WriteUtf16FileAtomic(file_, text)); }
  test::TempFolder dir_;
  fs::path file_ = dir_.path() / "translations.txt";
};

TEST_F(TranslationsTest, LookupEscapesAndDefaults) {
  WriteTranslations(
      "\xEF\xBB\xBFIDS_COMMON_OK=Gut\r\n"
      "IDS_COMMON_CANCEL=Abbrechen\r\n"
      "IDS_EMPTY=\r\n"
      "IDS_TWO_LINES=Erste\\r\\nZweite\r\n"
      "IDS_ONLY_N=a\\nb\r\n"
      "IDS_OTHER_ESCAPE=C:\\temp\\x\r\n"
      "IDS_EQUALS=a=b\r\n"
      "IDS_PLACEHOLDER=Projekt {project_name}?\r\n"
      "IDS_DOUBLE_BACKSLASH=a\\\\nb");
  const struct {
    const char* key;
    const char* defaultText;
    const char* expected;
    const char* comment;
  } cases[] = {
      {"IDS_COMMON_OK", "OK", "OK", "a byte-order mark hides the first entry"},
      {"IDS_COMMON_CANCEL", "Cancel", "Abbrechen", "translated"},
      {"IDS_EMPTY", "Default", "Default", "an empty value gives the default"},
      {"IDS_MISSING", "Default", "Default", "a missing key gives the default"},
      {"IDS_TWO_LINES", "", "Erste\r\nZweite", "two lines"},
      {"IDS_ONLY_N", "", "a\nb", "\\n alone"},
      {"IDS_OTHER_ESCAPE", "", "C:\\temp\\x", "no other escapes"},
      {"IDS_EQUALS", "", "a=b", "= inside the text"},
      {"IDS_PLACEHOLDER", "", "Projekt {project_name}?", "placeholders are left to the caller"},
      {"IDS_DOUBLE_BACKSLASH", "", "a\\\nb", "plain replacement, left to right"},
      {"ids_common_cancel", "Cancel", "Cancel", "keys are case-sensitive"},
  };
  for (const auto& c : cases) EXPECT_EQ(Translate(file_, c.key, c.defaultText), c.expected) << c.comment;
}

TEST_F(TranslationsTest, NoFileGivesEveryDefault) {
  EXPECT_EQ(Translate(file_, "IDS_COMMON_OK", "OK"), "OK");
  std::vector<TextEntry> entries = {{"IDS_A", "A", ""}, {"IDS_B", "B", "stale"}};
  TranslateAll(file_, entries);
  EXPECT_EQ(entries[0].translated, "A");
  EXPECT_EQ(entries[1].translated, "B");
}

TEST_F(TranslationsTest, TranslateAllReadsOnceAndTranslateReadsOnlyAChangedFile) {
  WriteTranslations("IDS_A=Eins\r\nIDS_C=Drei\\r\\n");
  int reads = 0;
  platform::SetFileFaultHook([&reads, this](platform::FileOp op, const fs::path& path) {
    if (op == platform::FileOp::Read && path == file_) ++reads;
    return platform::FaultAction::Proceed;
  });
  std::vector<TextEntry> entries = {{"IDS_A", "One", ""}, {"IDS_B", "Two", ""}, {"IDS_C", "Three", ""}};
  TranslateAll(file_, entries);
  EXPECT_EQ(reads, 1);
  EXPECT_EQ(entries[0].translated, "Eins");
  EXPECT_EQ(entries[1].translated, "Two");
  EXPECT_EQ(entries[2].translated, "Drei\r\n");

  // A replaced file takes effect on the next lookup.
  EXPECT_EQ(Translate(file_, "IDS_A", "One"), "Eins");
  WriteTranslations("IDS_A=Un");
  EXPECT_EQ(Translate(file_, "IDS_A", "One"), "Un");
  EXPECT_EQ(reads, 2);
}

TEST_F(TranslationsTest, OnlyABoundedRegularFileIsRead) {
  std::string longFile(25600 / 2 - 8, 'x');
  longFile = "IDS_A=Eins\r\n" + longFile + "\r\nIDS_B=Zwei\r\n";
  const struct {
    const char* comment;
    std::function<void(const fs::path&)> make;
    const char* a;  // what IDS_A reads
    const char* b;
  } cases[] = {
      {"a link to an endless device", [](const fs::path& f) { fs::create_symlink("/dev/zero", f); }, "A",
       "B"},
      {"a FIFO nobody writes to", [](const fs::path& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0600), 0); }, "A",
       "B"},
      {"a folder", [](const fs::path& f) { fs::create_directory(f); }, "A", "B"},
      {"a file longer than one block",
       [&](const fs::path& f) { ASSERT_TRUE(platform::WriteUtf16FileAtomic(f, longFile)); }, "Eins", "B"},
  };
  for (const auto& c : cases) {
    test::TempFolder dir;
    const fs::path file = dir.path() / "translations.txt";
    c.make(file);
    EXPECT_EQ(Translate(file, "IDS_A", "A"), c.a) << c.comment;
    EXPECT_EQ(Translate(file, "IDS_B", "B"), c.b) << c.comment;
  }
}

TEST(Placeholders, ReplacedWholeAndOnlyOnce) {
  const struct {
    const char* text;
    std::vector<PlaceholderValue> values;
    const char* expected;
    const char* comment;
  } cases[] = {
      {"Delete job {project_name}?", {{"{project_name}", "Dam_N1"}}, "Delete job Dam_N1?", "one"},
      {"{a} and {a}", {{"{a}", "x"}}, "x and x", "every occurrence"},
      {"{prism_name}: {distance}", {{"{prism_name}", "P1"}, {"{distance}", "12.3"}}, "P1: 12.3", "two"},
      {"{project_name}",
       {{"{project_name}", "{distance}"}, {"{distance}", "9"}},
       "{distance}",
       "a value is not scanned again"},
      {"{unknown} {a", {{"{a}", "x"}}, "{unknown} {a", "unknown and unclosed stay"},
      {"", {{"{a}", "x"}}, "", "empty text"},
      {"{PROJ-STN}", {{"{PROJ-STN}", "P-S"}}, "P-S", "names with a dash"},
  };
  for (const auto& c : cases) EXPECT_EQ(FillPlaceholders(c.text, c.values), c.expected) << c.comment;
}

}  // namespace
}  // namespace vigil::store
