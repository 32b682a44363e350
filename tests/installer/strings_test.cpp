#include "installer/InstallerStrings.h"

#include <gtest/gtest.h>

#include "installer/InstallerMessages.h"

namespace vigil::installer {
namespace {

TEST(InstallerStrings, ParseTable) {
  const InstallerStrings s = InstallerStrings::Parse(
      "; comment\r\n1=Setup\r\n10=Install?\n 12 =spaced key\n13=a=b\n14=two\\nlines\nx=not a number\n"
      "15=\n016=leading zero\n");
  EXPECT_EQ(s.Text(1), "Setup");
  EXPECT_EQ(s.Text(10), "Install?");
  EXPECT_EQ(s.Text(12), "spaced key");
  EXPECT_EQ(s.Text(13), "a=b");
  EXPECT_EQ(s.Text(14), "two\nlines");
  EXPECT_TRUE(s.Has(15));
  EXPECT_EQ(s.Text(15), "");
  EXPECT_FALSE(s.Has(16)) << "016 is not the key 16";
  EXPECT_EQ(s.Text(99), "(99)") << "a missing text shows its number";
}

TEST(InstallerStrings, TheShippedFileHasEveryText) {
  const auto s = InstallerStrings::Load(VIGIL_SETUP_RC_FILE);
  ASSERT_TRUE(s);
  EXPECT_TRUE(s->Has(1));
  for (int n = 10; n <= 62; ++n) {
    EXPECT_TRUE(s->Has(n)) << n;
    EXPECT_FALSE(s->Text(n).empty()) << n;
  }
  for (int n : {msg::kUnsafePath, msg::kOverlongLine, msg::kRecordNotWritten}) EXPECT_TRUE(s->Has(n)) << n;
}

TEST(InstallerStrings, MissingFile) {
  EXPECT_FALSE(InstallerStrings::Load("/nonexistent/SETUP_RC.txt"));
}

}  // namespace
}  // namespace vigil::installer
