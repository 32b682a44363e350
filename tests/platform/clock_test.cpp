#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <vector>

namespace vigil::platform {
namespace {

TEST(Civil, DatesRoundTripAndKnowTheirWeekday) {
  const struct {
    LocalDateTime when;
    std::int64_t days;
  } cases[] = {
      {{1970, 1, 1, 0, 0, 0, 0, 4}, 0},      {{2000, 2, 29, 12, 30, 15, 250, 2}, 11016},
      {{2026, 12, 7, 8, 0, 0, 0, 1}, 20794}, {{2028, 2, 29, 23, 59, 59, 999, 2}, 21243},
      {{1969, 12, 31, 23, 0, 0, 0, 3}, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DaysFromCivil(c.when.year, c.when.month, c.when.day), c.days);
    const LocalDateTime back = CivilFromMilliseconds(MillisecondsFromCivil(c.when));
    EXPECT_EQ(back.year, c.when.year);
    EXPECT_EQ(back.month, c.when.month);
    EXPECT_EQ(back.day, c.when.day);
    EXPECT_EQ(back.hour, c.when.hour);
    EXPECT_EQ(back.minute, c.when.minute);
    EXPECT_EQ(back.second, c.when.second);
    EXPECT_EQ(back.millisecond, c.when.millisecond);
    EXPECT_EQ(back.dayOfWeek, c.when.dayOfWeek) << c.when.year << "-" << c.when.month << "-" << c.when.day;
  }
}

TEST(VirtualClock, TickCountWrapsAndLocalTimeRollsOverMidnightAndYear) {
  VirtualTimeDriver clock(0xFFFFFF00u, LocalDateTime{2026, 12, 31, 23, 59, 59, 900, 4});
  EXPECT_EQ(clock.TickCount(), 0xFFFFFF00u);
  clock.Advance(0x100);
  EXPECT_EQ(clock.TickCount(), 0u);
  // Differences of wrapped ticks stay right in unsigned arithmetic.
  EXPECT_EQ(clock.TickCount() - 0xFFFFFF00u, 0x100u);
  const LocalDateTime t = clock.Now();
  EXPECT_EQ(t.year, 2027);
  EXPECT_EQ(t.month, 1);
  EXPECT_EQ(t.day, 1);
  EXPECT_EQ(t.hour, 0);
  EXPECT_EQ(t.second, 0);
  EXPECT_EQ(t.millisecond, 156);
  EXPECT_EQ(t.dayOfWeek, 5);
}

TEST(VirtualClock, ScheduledWorkRunsAtItsTimeInOrder) {
  VirtualTimeDriver clock;
  std::vector<std::pair<int, std::uint64_t>> ran;
  clock.Schedule(50, [&] { ran.push_back({1, clock.ElapsedMs()}); });
  clock.Schedule(10, [&] {
    ran.push_back({2, clock.ElapsedMs()});
    clock.Schedule(5, [&] { ran.push_back({3, clock.ElapsedMs()}); });
  });
  clock.Schedule(50, [&] { ran.push_back({4, clock.ElapsedMs()}); });
  EXPECT_EQ(clock.NextScheduledMs(), 10u);
  clock.WaitUntil(40);
  EXPECT_EQ(ran, (std::vector<std::pair<int, std::uint64_t>>{{2, 10}, {3, 15}}));
  EXPECT_EQ(clock.ElapsedMs(), 40u);
  clock.Advance(100);
  EXPECT_EQ(ran.size(), 4u);
  EXPECT_EQ(ran[2], (std::pair<int, std::uint64_t>{1, 50}));
  EXPECT_EQ(ran[3], (std::pair<int, std::uint64_t>{4, 50}));
  EXPECT_EQ(clock.NextScheduledMs(), UINT64_MAX);
}

}  // namespace
}  // namespace vigil::platform
