#include <gtest/gtest.h>

#include <sstream>

#include "alarms/AlarmLimitsFile.h"
#include "alarms/LevelTracker.h"
#include "alarms/StationEvents.h"
#include "platform/Format.h"

namespace vigil::alarms {
namespace {

constexpr std::int64_t kHourMs = 3'600'000;

// A run of cycles of one point "P1" moving in height: "10.4" significant, "12?" not
// significant, "h" hidden. The events come back as "cycle:kind level quantity value".
std::string RunCycles(const std::string& limitsText, const std::string& cycles) {
  AlarmLimits limits;
  std::string error;
  if (!ParseAlarmLimits(limitsText, limits, error)) return "bad limits: " + error;
  LevelTracker tracker(limits);
  std::istringstream in(cycles);
  std::string word, out;
  for (int cycle = 1; in >> word; ++cycle) {
    PointSample s;
    s.point = "P1";
    s.measured = word != "h";
    s.significant = word.back() != '?';
    if (s.measured) platform::ScanDouble(word, s.levelMm);
    s.eastMm = 0.5;
    for (const AlarmEvent& e : tracker.Update(cycle * kHourMs, {s})) {
      out += (out.empty() ? "" : " ") + std::to_string(cycle) + ":" + EventKindName(e.kind) + " " +
             LevelName(e.level) + " " + QuantityKey(e.quantity) + " " + platform::FormatFixed(e.value, 1);
    }
  }
  return out;
}

TEST(LevelTracker, RaisedConfirmedAndClearedOverCycles) {
  const std::string kAll = "group.all.points = *\ngroup.all.alert.dh_mm = 10\ngroup.all.alarm.dh_mm = 20\n";
  struct Case {
    std::string limits;
    const char* cycles;
    const char* events;
    const char* comment;
  };
  const Case cases[] = {
      {kAll, "10.4 9.7 10.3 9.6 10.2 9.8 10.1", "1:raised alert dh_mm 10.4",
       "noise about the limit stays raised, never confirmed, no flapping"},
      {kAll, "1 1 15 15.5 15.2", "3:raised alert dh_mm 15.0 4:confirmed alert dh_mm 15.5", "a real step"},
      {kAll + "group.all.confirm_cycles = 3\n", "15 15 9 15 15 15",
       "1:raised alert dh_mm 15.0 6:confirmed alert dh_mm 15.0",
       "a cycle back in the band restarts the count"},
      {kAll, "15 h 15 h h 2",
       "1:raised alert dh_mm 15.0 3:confirmed alert dh_mm 15.0 6:cleared alert dh_mm 2.0",
       "a hidden prism neither raises, clears nor breaks the count"},
      {kAll, "h h h", "", "never seen"},
      {kAll, "12? 12? 12?", "", "beyond the limit but within the noise"},
      {kAll, "15 8.1 7.9", "1:raised alert dh_mm 15.0 3:cleared alert dh_mm 7.9", "20 % below 10 clears"},
      {kAll + "group.all.hysteresis_mm = 0.5\n", "10.4 9.6 9.4",
       "1:raised alert dh_mm 10.4 3:cleared alert dh_mm 9.4", "hysteresis in mm"},
      {kAll, "25 25 3",
       "1:raised alert dh_mm 25.0 1:raised alarm dh_mm 25.0 2:confirmed alert dh_mm 25.0 2:confirmed alarm "
       "dh_mm 25.0 "
       "3:cleared alert dh_mm 3.0 3:cleared alarm dh_mm 3.0",
       "levels are judged each on its own"},
      {kAll + "point.P1.alert.dh_mm = 30\n", "15 15", "", "the point's own entry over its group"},
      {"group.all.points = *\ngroup.all.alert.3d_mm = 10\n", "9.99 -9.99 9.98",
       "1:raised alert 3d_mm 10.0 2:confirmed alert 3d_mm 10.0",
       "the 3D length of dE 0.5 and dH, whatever the sign"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RunCycles(c.limits, c.cycles), c.events) << c.comment;
  }
}

TEST(StationEvents, ReferencesCorrectionAndCyclesStopping) {
  evaluation::CycleEvaluation ev;
  ev.lastMs = 5 * kHourMs;
  ev.station.corrected = false;
  ev.station.uncorrectedWhy = "fewer than two usable references";
  ev.station.references = {{"R1", true, ""}, {"R2", false, "moved or disturbed"}};
  const std::vector<StationEvent> events = StationEventsOf(ev);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].kind, StationEventKind::kReferenceExcluded);
  EXPECT_EQ(events[0].point + ": " + events[0].why, "R2: moved or disturbed");
  EXPECT_EQ(events[1].kind, StationEventKind::kNotCorrected);
  EXPECT_EQ(events[1].timeMs, 5 * kHourMs);

  CycleWatch watch(24.0, 0);
  EXPECT_FALSE(watch.Check(24 * kHourMs - 1));
  const auto noCycle = watch.Check(24 * kHourMs);
  ASSERT_TRUE(noCycle);
  EXPECT_EQ(noCycle->why, "no cycle for 24.0 h");
  EXPECT_FALSE(watch.Check(30 * kHourMs)) << "raised once";
  const auto resumed = watch.CycleCompleted(31 * kHourMs);
  ASSERT_TRUE(resumed);
  EXPECT_EQ(resumed->kind, StationEventKind::kCyclesResumed);
  EXPECT_FALSE(watch.CycleCompleted(32 * kHourMs));
  EXPECT_FALSE(watch.Check(55 * kHourMs));
  EXPECT_TRUE(watch.Check(56 * kHourMs)) << "counted from the last cycle";
  EXPECT_FALSE(CycleWatch(0.0, 0).Check(1000 * kHourMs)) << "0 hours: never";
}

}  // namespace
}  // namespace vigil::alarms
