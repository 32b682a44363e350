#include <gtest/gtest.h>

#include "alarms/AlarmLimitsFile.h"

namespace vigil::alarms {
namespace {

constexpr const char* kGoodFile =
    "# dam crest\n"
    "group.crest.points = C1, C2 , WALL*\r\n"
    "group.crest.alert.dh_mm = 5\n"
    "group.crest.alarm.dh_mm=10\n"
    "group.crest.action.3d_mm = 25\n"
    "group.crest.confirm_cycles = 3\n"
    "group.crest.hysteresis_mm = 1.5\n"
    "\n"
    "group.walls.points = WALL.N*\n"
    "group.walls.alert.2d_mm = 8\n"
    "point.WALL.N.7.alert.velocity_mm_per_day = 0.5\n"
    "station.no_cycle_hours = 26\n";

TEST(AlarmLimitsFile, GroupsAndPointsResolvedAndEveryBadLineNamed) {
  struct Case {
    const char* text;
    const char* errorPart;  ///< empty: the file is good
  };
  const Case cases[] = {
      {kGoodFile, ""},
      {"\nno equals sign\n", "line 2: expected key = value"},
      {"limit = 1\n", "line 1: unknown key \"limit\""},
      {"point.P1.alert.dz_mm = 1\n", "unknown key"},
      {"point.P1.points = P1\n", "unknown key"},
      {"point.P1.alert.dh_mm = 0\n", "line 1: point.P1.alert.dh_mm must be a number greater than 0"},
      {"point.P1.alert.dh_mm = 5,5\n", "greater than 0"},
      {"point.P1.alert.dh_mm = 5\npoint.P1.alert.dh_mm = 6\n",
       "line 2: point.P1.alert.dh_mm is already given on line 1"},
      {"group.a.points = A*B\n", "a '*' only at the end"},
      {"group.a.points = A,,B\n", "a '*' only at the end"},
      {"group.dam.alert.dh_mm = 5\n", "line 1: group \"dam\" has no points"},
      {"point.P1.alert.dh_mm = 10\npoint.P1.alarm.dh_mm = 5\n",
       "line 2: point \"P1\": the alarm limit 5 lies below the alert limit 10"},
      {"point.P1.hysteresis_mm = 1\npoint.P1.hysteresis_percent = 10\n", "exclude each other"},
      {"group.all.points = *\ngroup.all.hysteresis_mm = 6\ngroup.all.alert.dh_mm = 5\n",
       "line 2: group \"all\": hysteresis_mm must be smaller"},
      {"point.P1.confirm_cycles = 1.5\n", "whole number from 1 to 100"},
      {"point.P1.hysteresis_percent = 100\n", "from 0 to 99"},
      {"station.no_cycle_hours = -1\n", "no_cycle_hours must be a number from 0 to 8760"},
  };
  for (const Case& c : cases) {
    AlarmLimits limits;
    limits.noCycleHours = 5.0;
    std::string error;
    const bool good = *c.errorPart == '\0';
    ASSERT_EQ(ParseAlarmLimits(c.text, limits, error), good) << c.text << error;
    if (!good) {
      EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
      EXPECT_EQ(limits.noCycleHours, 5.0) << "a bad file changes nothing";
      continue;
    }
    EXPECT_EQ(limits.noCycleHours, 26.0);
    const LimitRules* crest = limits.RulesFor("C2");
    ASSERT_NE(crest, nullptr);
    EXPECT_EQ(crest->confirmCycles, 3);
    EXPECT_DOUBLE_EQ(crest->ClearBelow(5.0), 3.5);
    EXPECT_EQ(crest->limits[2][static_cast<int>(Quantity::kSpace3d)], 25.0);
    EXPECT_EQ(limits.RulesFor("WALL.S1"), crest) << "the crest's prefix";
    const LimitRules* walls = limits.RulesFor("WALL.N3");
    ASSERT_NE(walls, nullptr);
    EXPECT_EQ(walls->confirmCycles, 2) << "the longer prefix wins, with the defaults";
    EXPECT_DOUBLE_EQ(walls->ClearBelow(8.0), 6.4);
    const LimitRules* own = limits.RulesFor("WALL.N.7");
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->limits[0][static_cast<int>(Quantity::kVelocity)], 0.5)
        << "a point's own entry, dots and all";
    EXPECT_EQ(limits.RulesFor("C"), nullptr);
    EXPECT_EQ(limits.RulesFor("C12"), nullptr) << "exact names are not prefixes";
  }
}

}  // namespace
}  // namespace vigil::alarms
