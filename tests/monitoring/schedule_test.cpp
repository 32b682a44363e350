#include "monitoring/Schedule.h"

#include <gtest/gtest.h>

#include <string>

#include "TempFolder.h"
#include "monitoring/ClockText.h"
#include "platform/Files.h"

namespace vigil::monitoring {
namespace {

constexpr const char* kDefaults = "1,01:00 AM|2,05:00 AM|3,09:00 AM|4,01:00 PM|5,05:00 PM|6,09:00 PM";

TEST(ClockText, TwelveHourTextsReadAndWriteBack) {
  struct Case {
    const char* text;
    int hour;  // -1: refused
  };
  const Case cases[] = {
      {"12:00 AM", 0},  {"01:00 AM", 1},  {"11:00 AM", 11}, {"12:00 PM", 12}, {"01:00 PM", 13},
      {"11:00 PM", 23}, {"00:00 AM", -1}, {"13:00 PM", -1}, {"05:00 XM", -1}, {"05:00", -1},
      {"", -1},         {"ab:00 AM", -1}, {"05:30 PM", 17},  // minutes are never read
  };
  for (const Case& c : cases) {
    const std::optional<int> hour = HourOfClockText(c.text);
    EXPECT_EQ(hour.value_or(-1), c.hour) << c.text;
    if (hour && std::string(c.text).substr(2, 3) == ":00") {
      EXPECT_EQ(ClockTextOfHour(*hour), c.text);
    }
  }
  EXPECT_EQ(ClockTextOfHour(-1), "");
  EXPECT_EQ(ClockTextOfHour(24), "");
}

TEST(ClockText, StartTimeListRunsMidnightToElevenPm) {
  ASSERT_EQ(kStartTimeCount, 24);
  EXPECT_EQ(StartTimeItem(0), "12:00 AM");
  EXPECT_EQ(StartTimeItem(11), "11:00 AM");
  EXPECT_EQ(StartTimeItem(12), "12:00 PM");
  EXPECT_EQ(StartTimeItem(23), "11:00 PM");
  for (int i = 0; i < kStartTimeCount; ++i) EXPECT_EQ(HourOfClockText(StartTimeItem(i)), i);
}

TEST(BuildCycleList, FromStartTimeAndInterval) {
  struct Case {
    const char* start;
    const char* interval;
    const char* expected;
    const char* comment;
  };
  const Case cases[] = {
      {"01:00 AM", "4", kDefaults, "the defaults"},
      {"09:00 PM", "4", "1,09:00 PM", "the next hour would pass midnight"},
      {"12:00 AM", "6", "1,12:00 AM|2,06:00 AM|3,12:00 PM|4,06:00 PM", "noon is 12:00 PM"},
      {"11:00 AM", "1",
       "1,11:00 AM|2,12:00 PM|3,01:00 PM|4,02:00 PM|5,03:00 PM|6,04:00 PM|7,05:00 PM|8,06:00 PM|"
       "9,07:00 PM|10,08:00 PM|11,09:00 PM|12,10:00 PM|13,11:00 PM",
       "23:00 is the last possible item"},
      {"12:00 AM", "23", "1,12:00 AM|2,11:00 PM", "exactly 23:00 still counts"},
      {"12:00 AM", "24", "1,12:00 AM", ""},
      {"01:00 AM", "4 hours", kDefaults, "read as %d"},
      {"01:00 AM", "0", "", "a step of 0 never ended the list"},
      {"01:00 AM", "00", "", ""},
      {"01:00 AM", "", "", ""},
      {"01:00 AM", "-3", "", "a negative step never ended the list"},
      {"01:00 AM", "2147483647", "1,01:00 AM", "adding the step overflowed"},
      {"01:00 AM", "99999999999", "", "does not fit an int"},
      {"", "4", "", "no start time"},
      {"25:00 AM", "4", "", ""},
      {"1,:00 AM", "6", "1,01:00 AM|2,07:00 AM|3,01:00 PM|4,07:00 PM",
       "once a bug: a start read from a file put its \",\" into the list"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BuildCycleList(c.start, c.interval), c.expected)
        << c.start << " / " << c.interval << " " << c.comment;
  }
}

TEST(CycleEntries, OnlyItemsOfTwoPartsCount) {
  const std::vector<CycleEntry> entries = CycleEntries("1,01:00 AM||2,05:00 AM,x|3|4,09:00 PM");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].number, "1");
  EXPECT_EQ(entries[0].time, "01:00 AM");
  EXPECT_EQ(entries[1].number, "4");
  EXPECT_EQ(entries[1].time, "09:00 PM");
  EXPECT_TRUE(CycleEntries("").empty());
}

TEST(NextCycle, TheFirstLaterHourOrTomorrowsFirst) {
  struct Case {
    const char* cycles;
    int hour;
    const char* expected;  // "" for none
    const char* comment;
  };
  const Case cases[] = {
      {kDefaults, 0, "01:00 AM", ""},
      {kDefaults, 4, "05:00 AM", "at 04:59"},
      {kDefaults, 5, "09:00 AM", "at 05:00 the 05:00 item is past"},
      {kDefaults, 12, "01:00 PM", ""},
      {kDefaults, 20, "09:00 PM", ""},
      {kDefaults, 21, "01:00 AM", "none later today: the first of tomorrow"},
      {kDefaults, 22, "01:00 AM", "at 22:30"},
      {"1,12:00 AM|2,12:00 PM", 0, "12:00 PM", "12 AM is hour 0, 12 PM hour 12"},
      {"1,12:00 AM|2,12:00 PM", 12, "12:00 AM", ""},
      {"", 3, "", "no list: the label keeps its text"},
      {"garbage", 3, "", ""},
      {"x|2,05:00 AM", 6, "", "item 0 does not count, so there is no first to fall back to"},
      {"x|2,05:00 AM", 4, "05:00 AM", ""},
      {"1,bad|2,05:00 AM", 6, "bad", "an unreadable time is never later, but is tomorrow's first"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NextCycleTime(c.cycles, c.hour).value_or(""), c.expected)
        << c.cycles << " at " << c.hour << " " << c.comment;
  }
}

TEST(NextCycleLabel, CaptionComesFromTheTranslations) {
  test::TempFolder dir;
  const auto translations = dir.path() / "translations.txt";
  EXPECT_EQ(UpdateNextCycleLabel(kDefaults, 22, translations).value_or("<none>"), "Next Cycle => 01:00 AM");
  EXPECT_EQ(UpdateNextCycleLabel("", 22, translations).value_or("<none>"), "<none>");
  ASSERT_TRUE(platform::WriteUtf16FileAtomic(translations,
                                             "IDS_MAIN_LBL_NEXT_CYCLE=N\xC3\xA4"
                                             "chster"));
  EXPECT_EQ(UpdateNextCycleLabel(kDefaults, 12, translations).value_or("<none>"),
            "N\xC3\xA4"
            "chster => 01:00 PM");
}

}  // namespace
}  // namespace vigil::monitoring

namespace vigil::monitoring {
namespace {

TEST(ScheduleTick, TimeTextAndMatch) {
  struct Case {
    int hour;
    int minute;
    const char* text;
    bool starts;  // with the default list
  };
  const Case cases[] = {
      {0, 0, "12:00 AM", false},  {1, 0, "01:00 AM", true},  {1, 1, "01:01 AM", false},
      {4, 59, "04:59 AM", false}, {5, 0, "05:00 AM", true},  {12, 30, "12:30 PM", false},
      {13, 0, "01:00 PM", true},  {21, 0, "09:00 PM", true}, {22, 30, "10:30 PM", false},
      {24, 0, "", false},         {-1, 0, "", false},        {5, 60, "", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScheduleTimeText(c.hour, c.minute), c.text);
    EXPECT_EQ(IsCycleTime(kDefaults, c.hour, c.minute), c.starts) << c.hour << ":" << c.minute;
  }
  EXPECT_FALSE(IsCycleTime("", 1, 0));
}

}  // namespace
}  // namespace vigil::monitoring
