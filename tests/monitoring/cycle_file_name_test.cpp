#include "monitoring/CycleFileName.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/Files.h"

namespace vigil::monitoring {
namespace {

TEST(CycleFileName, DateBaseAndName) {
  EXPECT_EQ(CycleFileDate({2026, 12, 6, 23, 59, 0, 0, 0}), "06-Dec-2026");
  EXPECT_EQ(CycleFileDate({2027, 1, 1, 0, 0, 0, 0, 5}), "01-Jan-2027");
  EXPECT_EQ(MonthAbbreviation(5), "May");
  EXPECT_EQ(MonthAbbreviation(0), "00");
  EXPECT_EQ(MonthAbbreviation(13), "13");
  EXPECT_EQ(DayBaseName("STN1", "PROJ", "06-Dec-2026"), "STN1_PROJ_06-Dec-2026");
  EXPECT_EQ(CycleFileName("STN1_PROJ_06-Dec-2026", 1), "STN1_PROJ_06-Dec-2026_Cycle_1.vgl");
  EXPECT_EQ(CycleFileName("S_P_06-Dec-2026", 12), "S_P_06-Dec-2026_Cycle_12.vgl");
}

TEST(CycleFileName, SplitForTheCycleList) {
  struct Case {
    const char* name;
    bool shown;
    const char* date;
    const char* cycle;
  };
  const Case cases[] = {
      {"STN1_PROJ_06-Dec-2026_Cycle_3.vgl", true, "06-Dec-2026", "3"},
      {"STN1_PROJ_06-Dec-2026_Cycle_3", true, "06-Dec-2026", "3"},
      {"STN1_PROJ_06-Dec-2026_Cycle.vgl", false, "", ""},   // four pieces
      {"STN1_PROJ__Cycle_3.vgl", false, "", ""},            // no date
      {"STN1_PROJ_06-Dec-2026_Cycle_.vgl", false, "", ""},  // no number
      {"", false, "", ""},
  };
  for (const Case& c : cases) {
    const auto parts = SplitCycleFileName(c.name);
    ASSERT_EQ(parts.has_value(), c.shown) << c.name;
    if (!parts) continue;
    EXPECT_EQ(parts->date, c.date);
    EXPECT_EQ(parts->cycle, c.cycle);
    EXPECT_EQ(parts->station, "STN1");
    EXPECT_EQ(parts->project, "PROJ");
  }
}

class NumberingTest : public ::testing::Test {
 protected:
  void Touch(const std::string& name) {
    ASSERT_TRUE(platform::WriteUtf16FileAtomic(dir_.path() / name, "x\r\n"));
  }
  vigil::test::TempFolder dir_;
};

TEST_F(NumberingTest, CountsTheDaysFilesOfThisStationOnly) {
  const std::string base = "STN1_PROJ_06-Dec-2026";
  EXPECT_EQ(NextCycleNumber(dir_.path() / "missing", base), 1);
  EXPECT_EQ(NextCycleNumber(dir_.path(), base), 1);
  Touch(base + "_Cycle_1.vgl");
  EXPECT_EQ(NextCycleNumber(dir_.path(), base), 2);
  Touch(base + "_Cycle_2.vgl");
  Touch("STN1_PROJ_05-Dec-2026_Cycle_7.vgl");  // another day
  Touch("STN2_PROJ_06-Dec-2026_Cycle_9.vgl");  // another station
  Touch(base + "_Cycle_3.txt");                // not a data file
  EXPECT_EQ(NextCycleNumber(dir_.path(), base), 3);
}

// Counting alone named the deleted file's successor again and appended a new cycle to it.
TEST_F(NumberingTest, ADeletedEarlierFileNeverMakesTwoCyclesShareAFile) {
  const std::string base = "STN1_PROJ_06-Dec-2026";
  Touch(base + "_Cycle_1.vgl");
  Touch(base + "_Cycle_2.vgl");
  ASSERT_TRUE(platform::DeleteFileAt(dir_.path() / (base + "_Cycle_1.vgl")));
  EXPECT_EQ(NextCycleNumber(dir_.path(), base), 3);
  Touch(base + "_Cycle_40.vgl");
  EXPECT_EQ(NextCycleNumber(dir_.path(), base), 41);
  Touch(base + "_Cycle_x.vgl");  // counts, has no number
  EXPECT_EQ(NextCycleNumber(dir_.path(), base), 41);
  Touch(base + "_Cycle_99999999999.vgl");  // does not fit: counted only
  EXPECT_EQ(NextCycleNumber(dir_.path(), base), 41);
}

}  // namespace
}  // namespace vigil::monitoring
