#include "alarms/StoredAlarms.h"

#include <cmath>

#include "alarms/EventNotifications.h"

namespace vigil::alarms {

namespace {

using results::Statement;

bool Run(Statement& s) {
  s.Step();
  const bool ok = s.Done();
  s.Reset();
  return ok;
}

std::optional<AlarmLevel> LevelNamed(const std::string& name) {
  for (int l = 0; l < kLevelCount; ++l) {
    if (name == LevelName(static_cast<AlarmLevel>(l))) return static_cast<AlarmLevel>(l);
  }
  return std::nullopt;
}

std::vector<PointSample> StoredSamples(results::Database& db, std::int64_t cycleId) {
  Statement s = db.Prepare(
      "SELECT point, has_displacement, significant, d_east_mm, d_north_mm, d_level_mm, v_east_mm_per_day, "
      "v_north_mm_per_day, v_level_mm_per_day FROM point_results WHERE cycle_id = ?1 ORDER BY rowid");
  s.Bind(1, cycleId);
  std::vector<PointSample> samples;
  while (s.Step()) {
    PointSample p;
    p.point = s.Text(0);
    p.measured = s.Int(1) != 0;
    p.significant = s.Int(2) != 0;
    p.eastMm = s.Double(3);
    p.northMm = s.Double(4);
    p.levelMm = s.Double(5);
    if (!s.IsNull(6) && !s.IsNull(7) && !s.IsNull(8)) {
      p.velocityMmPerDay =
          std::sqrt(s.Double(6) * s.Double(6) + s.Double(7) * s.Double(7) + s.Double(8) * s.Double(8));
    }
    samples.push_back(std::move(p));
  }
  return samples;
}

}  // namespace

bool JudgeStoredCycle(results::ResultsDatabase& rdb, const results::CycleKey& key, const AlarmLimits& limits,
                      JudgedCycle& judged, std::string& error, const std::vector<std::string>& transports) {
  results::Database& db = rdb.Raw();
  judged = JudgedCycle{};
  Statement cycle = db.Prepare(
      "SELECT id, last_ms, corrected, uncorrected_why FROM cycles WHERE project = ?1 AND station = ?2 "
      "AND file = ?3");
  cycle.Bind(1, key.project).Bind(2, key.station).Bind(3, key.file);
  if (!cycle.Step()) {
    error = key.file + " is not in the results database";
    return false;
  }
  const std::int64_t cycleId = cycle.Int(0);
  const std::int64_t timeMs = cycle.Int(1);
  const bool corrected = cycle.Int(2) != 0;
  const std::string uncorrectedWhy = cycle.Text(3);

  results::Transaction t(db);
  if (!t.Began()) {
    error = "cannot write the alarms: " + db.LastError();
    return false;
  }
  // Read inside the transaction: two judges of one database must not both count a cycle.
  Statement done = db.Prepare("SELECT 1 FROM alarm_cycles WHERE project = ?1 AND station = ?2 AND file = ?3");
  done.Bind(1, key.project).Bind(2, key.station).Bind(3, key.file);
  if (done.Step()) {
    judged.alreadyJudged = true;
    return true;
  }

  LevelTracker tracker(limits);
  Statement states = db.Prepare(
      "SELECT point, level, open, confirmed, beyond_cycles FROM alarm_states WHERE project = ?1 AND station "
      "= ?2");
  states.Bind(1, key.project).Bind(2, key.station);
  while (states.Step()) {
    if (const auto level = LevelNamed(states.Text(1))) {
      tracker.Restore(states.Text(0), *level,
                      {states.Int(2) != 0, states.Int(3) != 0, static_cast<int>(states.Int(4))});
    }
  }
  judged.events = tracker.Update(timeMs, StoredSamples(db, cycleId));

  Statement refs =
      db.Prepare("SELECT point, why FROM reference_uses WHERE cycle_id = ?1 AND used = 0 ORDER BY rowid");
  refs.Bind(1, cycleId);
  while (refs.Step()) {
    judged.stationEvents.push_back(
        {StationEventKind::kReferenceExcluded, refs.Text(0), refs.Text(1), timeMs});
  }
  if (!corrected)
    judged.stationEvents.push_back({StationEventKind::kNotCorrected, "", uncorrectedWhy, timeMs});

  Statement event = db.Prepare(
      "INSERT INTO alarm_events (project, station, file, time_ms, kind, point, level, quantity, value, "
      "limit_value, why) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)");
  bool ok = event.Valid();
  const EventOrigin origin{key.project, key.station, key.file};
  for (const AlarmEvent& e : judged.events) {
    event.Bind(1, key.project).Bind(2, key.station).Bind(3, key.file).Bind(4, e.timeMs);
    event.Bind(5, std::string_view(EventKindName(e.kind))).Bind(6, e.point);
    event.Bind(7, std::string_view(LevelName(e.level))).Bind(8, std::string_view(QuantityKey(e.quantity)));
    event.Bind(9, e.value).Bind(10, e.limit).Bind(11, std::string_view(""));
    ok = ok && Run(event);
    const std::int64_t id = db.LastInsertId();
    ok = ok && QueueNotifications(db, id, origin, e.point, EventJson(id, origin, e),
                                  PointStateJson(origin, e.point, tracker, timeMs), timeMs, transports);
  }
  for (const StationEvent& e : judged.stationEvents) {
    event.Bind(1, key.project).Bind(2, key.station).Bind(3, key.file).Bind(4, e.timeMs);
    event.Bind(5, std::string_view(StationEventName(e.kind))).Bind(6, e.point);
    event.Bind(7, std::string_view(""))
        .Bind(8, std::string_view(""))
        .BindNull(9)
        .BindNull(10)
        .Bind(11, e.why);
    ok = ok && Run(event);
    const std::int64_t id = db.LastInsertId();
    ok = ok && QueueNotifications(db, id, origin, e.point, EventJson(id, origin, e), "", timeMs, transports);
  }
  Statement state = db.Prepare(
      "INSERT OR REPLACE INTO alarm_states (project, station, point, level, open, confirmed, beyond_cycles) "
      "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
  ok = ok && state.Valid();
  for (const auto& [point, levels] : tracker.States()) {
    for (int l = 0; l < kLevelCount; ++l) {
      state.Bind(1, key.project).Bind(2, key.station).Bind(3, point);
      state.Bind(4, std::string_view(LevelName(static_cast<AlarmLevel>(l))));
      state.Bind(5, levels[l].open).Bind(6, levels[l].confirmed).Bind(7, levels[l].beyondCycles);
      ok = ok && Run(state);
    }
  }
  Statement mark =
      db.Prepare("INSERT INTO alarm_cycles (project, station, file, time_ms) VALUES (?1, ?2, ?3, ?4)");
  mark.Bind(1, key.project).Bind(2, key.station).Bind(3, key.file).Bind(4, timeMs);
  if (!ok || !mark.Valid() || !Run(mark) || !t.Commit()) {
    error = "cannot write the alarms of " + key.file + ": " + db.LastError();
    judged = JudgedCycle{};
    return false;
  }
  return true;
}

}  // namespace vigil::alarms
