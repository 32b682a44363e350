// When the status row says the next cycle is due: the next listed hour after now, else
// tomorrow's first; the 12-hour texts read as the schedule writes them.
#include <gtest/gtest.h>

#include "app/StationStatus.h"

namespace vigil::app {
namespace {

TEST(StationStatus, NextCycleFromTheList) {
  struct Case {
    const char* cycles;
    int hour, minute;
    int expectedDay, expectedHour;  // day of December 2026; 0: none
  };
  const Case cases[] = {
      {"1,09:00 AM|2,01:00 PM|3,05:00 PM", 8, 59, 7, 9},
      {"1,09:00 AM|2,01:00 PM|3,05:00 PM", 9, 0, 7, 13},   // the hour begun counts as past
      {"1,09:00 AM|2,01:00 PM|3,05:00 PM", 17, 30, 8, 9},  // tomorrow's first
      {"1,12:00 AM|2,12:00 PM", 11, 0, 7, 12},             // 12 PM is noon
      {"1,12:00 AM|2,12:00 PM", 13, 0, 8, 0},              // 12 AM is midnight
      {"", 8, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const platform::LocalDateTime now{2026, 12, 7, c.hour, c.minute, 0, 0, 1};
    const auto next = NextCycleMs(c.cycles, now);
    if (c.expectedDay == 0) {
      EXPECT_FALSE(next) << c.cycles;
      continue;
    }
    ASSERT_TRUE(next) << c.cycles;
    EXPECT_EQ(*next, platform::MillisecondsFromCivil({2026, 12, c.expectedDay, c.expectedHour, 0, 0, 0, 1}))
        << c.cycles << " at " << c.hour << ":" << c.minute;
  }
}

}  // namespace
}  // namespace vigil::app
