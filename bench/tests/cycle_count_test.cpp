// Counting the readings of cycle files: measured, failed and what is not a reading.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolder.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "support/CycleCount.h"

namespace vigil::bench {
namespace {

std::string Row(const std::string& easting, int fields = 18) {
  std::vector<std::string> f(static_cast<std::size_t>(fields), "1");
  if (fields > 13) f[13] = easting;
  return platform::Join(f, "\t");
}

const std::string kHeader =
    "Epoch\tCycle\tRound\tDate\tTime\tPoint\tFace\tHa\tVa\tSD\tPressure\tTemp\tPPM\tEasting\tNorthing\tRL\tTi"
    "ltX\tTiltY";

struct CountCase {
  std::string text;
  long long measured, failed, malformed;
  const char* comment;
};

TEST(CountCycleLines, MeasuredFailedAndMalformed) {
  const std::string measured = Row("5012.3456");
  const std::string failed = Row("");
  const CountCase cases[] = {
      {kHeader + "\r\n", 0, 0, 0, "header only"},
      {kHeader + "\r\n" + measured + "\r\n" + failed + "\r\n", 1, 1, 0, "one of each"},
      {kHeader + "\r\n" + Row(" ") + "\r\n", 0, 1, 0, "a blank easting is no coordinate"},
      {kHeader + "\r\n" + measured + "\r\n" + measured, 1, 0, 1, "last line cut before its CR LF"},
      {kHeader + "\r\n" + Row("1", 17) + "\r\n" + Row("1", 19) + "\r\n", 0, 0, 2, "wrong field counts"},
      {kHeader + "\r\n\r\n" + measured + "\r\n", 1, 0, 1, "an empty line inside"},
      {measured + "\r\n" + measured + "\r\n", 2, 0, 0, "no header"},
      {"", 0, 0, 0, "empty file"},
  };
  for (const CountCase& c : cases) {
    const CycleLineCount n = CountCycleLines(c.text);
    EXPECT_EQ(n.measured, c.measured) << c.comment;
    EXPECT_EQ(n.failed, c.failed) << c.comment;
    EXPECT_EQ(n.malformed, c.malformed) << c.comment;
    EXPECT_EQ(n.files, 1) << c.comment;
  }
}

TEST(CountCycleFiles, AddsUpEveryCycleFileAndNothingElse) {
  vigil::test::TempFolder dir;
  const std::string two = kHeader + "\r\n" + Row("1.0") + "\r\n" + Row("") + "\r\n";
  ASSERT_TRUE(platform::WriteUtf16FileAtomic(dir.path() / "STN1_PROJ_07-Dec-2026_Cycle_1.vgl", two));
  ASSERT_TRUE(platform::WriteUtf16FileAtomic(dir.path() / "STN1_PROJ_07-Dec-2026_Cycle_2.vgl", two));
  ASSERT_TRUE(platform::WriteUtf16FileAtomic(dir.path() / "notes.txt", two));
  const CycleLineCount n = CountCycleFiles(dir.path());
  EXPECT_EQ(n.files, 2);
  EXPECT_EQ(n.measured, 2);
  EXPECT_EQ(n.failed, 2);
  EXPECT_EQ(n.Lines(), 4);
  EXPECT_EQ(CountCycleFiles(dir.path() / "none").files, 0);
}

}  // namespace
}  // namespace vigil::bench
