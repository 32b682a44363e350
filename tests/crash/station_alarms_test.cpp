// The alarms in the running program: every stored cycle judged even under a refused
// alarms.conf (nothing watched, the station measures on), each of its events queued for the
// configured command, and the station's status kept for readers outside it.
#include <gtest/gtest.h>

#include "StationScenario.h"
#include "TempFolder.h"
#include "platform/Files.h"
#include "results/ResultsDatabase.h"

namespace vigil::crashtest {
namespace {

std::int64_t Number(results::ResultsDatabase& db, const char* sql) {
  results::Statement s = db.Raw().Prepare(sql);
  return s.Step() && !s.IsNull(0) ? s.Int(0) : -1;
}

TEST(StationAlarms, CyclesJudgedUnderARefusedLimitsFileTheirEventsQueuedAndTheStatusKept) {
  test::TempFolder dir;
  ASSERT_TRUE(platform::WriteFileBytesAtomic(
      dir.path() / "alarms.conf", "group.all.points = *\ngroup.all.alert.3d_mm = 0.01\nbogus = 1\n"));
  ASSERT_TRUE(platform::WriteFileBytesAtomic(
      dir.path() / "notify.conf", "command.run = cat >> '" + (dir.path() / "got.jsonl").string() + "'\n"));
  const ScenarioOutcome outcome = RunStationScenario(dir.path());
  ASSERT_TRUE(outcome.scriptCompleted) << (outcome.failures.empty() ? "" : outcome.failures.front());

  std::string error;
  auto db = results::ResultsDatabase::Open(dir.path() / "Data" / results::kResultsFileName, error);
  ASSERT_TRUE(db) << error;
  EXPECT_EQ(Number(*db, "SELECT count(*) FROM alarm_cycles"), 2);
  EXPECT_EQ(Number(*db, "SELECT count(*) FROM alarm_events WHERE point <> '' AND level <> ''"), 0)
      << "a refused limits file watches nothing";
  EXPECT_GT(Number(*db, "SELECT count(*) FROM alarm_events"), 0) << "the station's own events still come";
  EXPECT_EQ(
      Number(*db,
             "SELECT count(*) FROM alarm_events e WHERE NOT EXISTS (SELECT 1 FROM notifications n WHERE "
             "n.event_id = e.id AND n.transport = 'command')"),
      0);
  EXPECT_EQ(
      Number(*db,
             "SELECT count(*) FROM station_status s WHERE s.project = 'PROJ' AND s.station = 'STN1' AND "
             "s.link = 'connected' AND s.last_cycle_ms = (SELECT max(last_ms) FROM cycles)"),
      1);
}

}  // namespace
}  // namespace vigil::crashtest
