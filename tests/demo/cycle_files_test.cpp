// Reading the cycle files back: line times, failed lines, the last good reading per point.
#include <gtest/gtest.h>

#include "demo/CycleFiles.h"
#include "platform/Clock.h"

namespace vigil::demo {
namespace {

TEST(CycleLineTime, DatesAndTimesOfTheFile) {
  struct Case {
    const char* date;
    const char* time;
    bool ok;
    platform::LocalDateTime expected;
    const char* comment;
  };
  const Case cases[] = {
      {"07-12-2026", "09:00:05", true, {2026, 12, 7, 9, 0, 5}, "day-month-year"},
      {"29-02-2028", "23:59:59", true, {2028, 2, 29, 23, 59, 59}, "leap day, last second"},
      {"32-12-2026", "09:00:05", false, {}, "day out of range"},
      {"07-13-2026", "09:00:05", false, {}, "month out of range"},
      {"07-12-2026", "24:00:00", false, {}, "hour out of range"},
      {"07-12-2026", "09:00", false, {}, "seconds missing"},
      {"07-Dec-2026", "09:00:05", false, {}, "the file name's date form is not the line's"},
      {"", "", false, {}, "failed line without time"},
  };
  for (const Case& c : cases) {
    std::int64_t ms = -1;
    EXPECT_EQ(CycleLineTime(c.date, c.time, ms), c.ok) << c.comment;
    if (c.ok) {
      EXPECT_EQ(ms, platform::MillisecondsFromCivil(c.expected)) << c.comment;
    }
  }
}

monitoring::CycleRow Row(const char* point, const char* date, const char* time, const char* e, const char* n,
                         const char* rl) {
  monitoring::CycleRow r{};
  r[monitoring::kCyclePoint] = point;
  r[monitoring::kCycleDate] = date;
  r[monitoring::kCycleTime] = time;
  r[monitoring::kCycleEasting] = e;
  r[monitoring::kCycleNorthing] = n;
  r[monitoring::kCycleRl] = rl;
  return r;
}

TEST(AddCycleRows, FailedLinesAreCountedAndTheLatestGoodReadingWins) {
  CycleFileSummary s;
  // The later file is read first: file order must not decide which reading is the last.
  AddCycleRows({Row("A", "08-12-2026", "09:00:00", "100.0020", "200.0000", "50.0000"),
                Row("B", "08-12-2026", "09:00:10", "", "", "")},
               "day2", s);
  AddCycleRows({Row("A", "07-12-2026", "09:00:00", "100.0000", "200.0000", "50.0000"),
                Row("B", "07-12-2026", "09:00:10", "300.0000", "400.0000", "60.0000"),
                Row("C", "07-12-2026", "09:00:20", "1.0", "", "2.0")},
               "day1", s);
  EXPECT_EQ(s.measuredLines, 3);
  EXPECT_EQ(s.failedLines, 2) << "an empty northing alone makes a line failed";
  EXPECT_EQ(s.failedByPoint["B"], 1);
  EXPECT_EQ(s.failedByPoint["C"], 1);
  ASSERT_EQ(s.lastGood.count("A"), 1u);
  EXPECT_DOUBLE_EQ(s.lastGood["A"].eastingMetres, 100.002);
  EXPECT_EQ(s.lastGood["A"].file, "day2");
  EXPECT_EQ(s.lastGood["B"].file, "day1") << "a failed later reading does not hide the good one";
  EXPECT_EQ(s.lastGood.count("C"), 0u);
}

}  // namespace
}  // namespace vigil::demo
