// Alarms kept in the results database: a version-1 database gains the alarm tables in place,
// and a point's count towards confirmation carries from cycle to cycle through the database.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "SyntheticSite.h"
#include "TempFolder.h"
#include "alarms/AlarmLimitsFile.h"
#include "alarms/StoredAlarms.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "results/CycleStore.h"
#include "results/Schema.h"

namespace vigil::alarms {
namespace {

const survey::StationPosition kStation{2250.0, 5120.0, 438.15};

results::CycleKey Day(int day) {
  return {"DAM", "P1", platform::Format("P1_DAM_%02d-Dec-2026_Cycle_1.vgl", {8 + day})};
}

// Day d: M1 has moved d/3 of (3, -2, 1) mm; M4 is never seen.
void StoreDays(results::ResultsDatabase& db, const std::filesystem::path& folder, int days) {
  store::ProjectStationSettings s;
  s.project = "DAM";
  s.station = "P1";
  for (int day = 0; day < days; ++day) {
    const auto path = folder / Day(day).file;
    const std::string date = platform::Format("%02d-12-2026", {8 + day});
    ASSERT_TRUE(platform::WriteUtf16FileAtomic(
        path, evaluation::test::CycleText(kStation, kStation, 0.0, 1, date.c_str(), day / 3.0)));
    ASSERT_EQ(results::StoreCycleFile(db, path, s, evaluation::test::Trained(kStation), {}).outcome,
              results::StoreOutcome::kStored);
  }
}

std::int64_t Count(results::ResultsDatabase& db, const char* table) {
  results::Statement s = db.Raw().Prepare(std::string("SELECT count(*) FROM ") + table);
  return s.Step() ? s.Int(0) : -1;
}

TEST(StoredAlarms, AVersionOneDatabaseMigratedAndTheStateCarriedAcrossReopening) {
  test::TempFolder dir;
  const auto file = dir.path() / results::kResultsFileName;
  std::string error;
  {
    auto db = results::ResultsDatabase::Open(file, error);
    ASSERT_TRUE(db) << error;
    StoreDays(*db, dir.path(), 5);
    ASSERT_TRUE(
        db->Raw().Execute("DROP TABLE notifications; DROP TABLE station_status; DROP TABLE alarm_events; "
                          "DROP TABLE alarm_states; DROP TABLE alarm_cycles; PRAGMA user_version = 1"));
  }
  AlarmLimits limits;
  ASSERT_TRUE(ParseAlarmLimits("group.m.points = M*\ngroup.m.alert.de_mm = 1.5\n", limits, error)) << error;

  std::string events;
  for (int day = 0; day < 5; ++day) {
    auto db = results::ResultsDatabase::Open(file, error);  // a restart before every cycle
    ASSERT_TRUE(db) << error;
    JudgedCycle judged;
    ASSERT_TRUE(JudgeStoredCycle(*db, Day(day), limits, judged, error)) << error;
    for (const AlarmEvent& e : judged.events) {
      events +=
          std::to_string(day) + ":" + e.point + " " + EventKindName(e.kind) + " " + LevelName(e.level) + " ";
    }
    EXPECT_TRUE(judged.stationEvents.empty()) << "every reference used, corrected";
  }
  EXPECT_EQ(events, "3:M1 raised alert 4:M1 confirmed alert ")
      << "day 2 beyond the limit within the noise; M4 hidden throughout raises nothing";

  auto db = results::ResultsDatabase::Open(file, error);
  ASSERT_TRUE(db) << error;
  results::Statement version = db->Raw().Prepare("PRAGMA user_version");
  ASSERT_TRUE(version.Step());
  EXPECT_EQ(version.Int(0), results::kSchemaVersion);
  EXPECT_EQ(db->Cycles("DAM", "P1").size(), 5u) << "the cycles of version 1 kept";
  EXPECT_EQ(Count(*db, "alarm_events"), 2);

  JudgedCycle again;
  ASSERT_TRUE(JudgeStoredCycle(*db, Day(4), limits, again, error));
  EXPECT_TRUE(again.alreadyJudged);
  EXPECT_EQ(Count(*db, "alarm_events"), 2) << "a cycle counts once";
  EXPECT_FALSE(JudgeStoredCycle(*db, Day(9), limits, again, error));
  EXPECT_NE(error.find("not in the results database"), std::string::npos) << error;
}

TEST(StoredAlarms, EachEventQueuedPerTransportInItsOwnTransaction) {
  test::TempFolder dir;
  const auto file = dir.path() / results::kResultsFileName;
  std::string error;
  {
    auto db = results::ResultsDatabase::Open(file, error);
    ASSERT_TRUE(db) << error;
    StoreDays(*db, dir.path(), 5);
    ASSERT_TRUE(
        db->Raw().Execute("DROP TABLE notifications; DROP TABLE station_status; PRAGMA user_version = 2"));
  }
  AlarmLimits limits;
  ASSERT_TRUE(ParseAlarmLimits("group.m.points = M*\ngroup.m.alert.de_mm = 1.5\n", limits, error)) << error;
  auto db = results::ResultsDatabase::Open(file, error);
  ASSERT_TRUE(db) << error << " (version 2 gains the outbox)";
  const std::vector<std::string> transports = {"mqtt", "command"};
  for (int day = 0; day < 3; ++day) {
    JudgedCycle judged;
    ASSERT_TRUE(JudgeStoredCycle(*db, Day(day), limits, judged, error, transports)) << error;
  }
  // The outbox refuses: the raising cycle's event must not be stored without its rows.
  ASSERT_TRUE(db->Raw().Execute(
      "CREATE TRIGGER refuse BEFORE INSERT ON notifications BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
  JudgedCycle judged;
  EXPECT_FALSE(JudgeStoredCycle(*db, Day(3), limits, judged, error, transports));
  EXPECT_EQ(Count(*db, "alarm_events"), 0);
  EXPECT_EQ(Count(*db, "alarm_cycles"), 3) << "the cycle not counted as judged";
  ASSERT_TRUE(db->Raw().Execute("DROP TRIGGER refuse"));
  for (int day = 3; day < 5; ++day) {
    ASSERT_TRUE(JudgeStoredCycle(*db, Day(day), limits, judged, error, transports)) << error;
  }

  results::Statement rows = db->Raw().Prepare(
      "SELECT n.transport, e.id, e.kind, n.payload, n.point_state FROM notifications n JOIN alarm_events e "
      "ON "
      "e.id = n.event_id ORDER BY n.id");
  std::string seen;
  while (rows.Step()) {
    const auto payload = nlohmann::json::parse(rows.Text(3));
    const auto state = nlohmann::json::parse(rows.Text(4));
    EXPECT_EQ(payload["event_id"], rows.Int(1));
    EXPECT_EQ(payload["kind"], rows.Text(2));
    EXPECT_EQ(payload["unit"], "mm");
    seen += rows.Text(0) + " " + payload["kind"].get<std::string>() + " " +
            state["level"].get<std::string>() + (state["confirmed"].get<bool>() ? " confirmed; " : "; ");
  }
  EXPECT_EQ(
      seen,
      "mqtt raised alert; command raised alert; mqtt confirmed alert confirmed; command confirmed alert "
      "confirmed; ");
  results::Statement columns =
      db->Raw().Prepare("SELECT group_concat(name, ',') FROM pragma_table_info('station_status')");
  ASSERT_TRUE(columns.Step());
  EXPECT_EQ(columns.Text(0), "project,station,updated_ms,last_cycle_ms,next_cycle_ms,link")
      << "as the dashboard reads it";
}

}  // namespace
}  // namespace vigil::alarms
