#include "web/SqliteDashboardData.h"

#include <climits>

#include "platform/Text.h"

namespace vigil::web {

namespace {

using results::Statement;
using results::StoredPoint;

// The columns of a point result as results::StoredPoint holds them; `p` is point_results, `c` cycles.
constexpr const char* kPointColumns =
    "p.cycle_id, c.file, p.time_ms, p.point, p.prism_type, p.reference, p.positioned, c.corrected, "
    "p.easting_m, p.northing_m, p.level_m, p.has_displacement, p.d_east_mm, p.d_north_mm, p.d_level_mm, "
    "p.sigma_east_mm, p.sigma_north_mm, p.sigma_level_mm, p.significant, p.raw_east_mm, p.raw_north_mm, "
    "p.raw_level_mm, p.v_east_mm_per_day, p.v_north_mm_per_day, p.v_level_mm_per_day";

StoredPoint ReadPoint(const Statement& s) {
  StoredPoint p;
  p.cycleId = s.Int(0);
  p.file = s.Text(1);
  p.timeMs = s.Int(2);
  p.point = s.Text(3);
  p.prismType = static_cast<int>(s.Int(4));
  p.reference = s.Int(5) != 0;
  p.positioned = s.Int(6) != 0;
  p.corrected = s.Int(7) != 0;
  p.eastingMetres = s.Double(8);
  p.northingMetres = s.Double(9);
  p.levelMetres = s.Double(10);
  p.hasDisplacement = s.Int(11) != 0;
  p.eastMm = s.Double(12);
  p.northMm = s.Double(13);
  p.levelMm = s.Double(14);
  p.sigmaEastMm = s.Double(15);
  p.sigmaNorthMm = s.Double(16);
  p.sigmaLevelMm = s.Double(17);
  p.significant = s.Int(18) != 0;
  p.rawEastMm = s.Double(19);
  p.rawNorthMm = s.Double(20);
  p.rawLevelMm = s.Double(21);
  p.hasVelocity = !s.IsNull(22) && !s.IsNull(23) && !s.IsNull(24);
  p.eastMmPerDay = s.Double(22);
  p.northMmPerDay = s.Double(23);
  p.levelMmPerDay = s.Double(24);
  return p;
}

}  // namespace

OpenLevel LevelIndex(const std::string& name) {
  if (name == "alert") return 0;
  if (name == "alarm") return 1;
  if (name == "action") return 2;
  return -1;
}

std::unique_ptr<DashboardData> DashboardData::Open(const std::filesystem::path& path, std::string& error) {
  auto db = results::ResultsDatabase::OpenReadOnly(path, error);
  if (!db) return nullptr;
  return std::make_unique<SqliteDashboardData>(std::move(db));
}

bool SqliteDashboardData::HasTable(const char* name) {
  Statement s = db_->Raw().Prepare("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1");
  s.Bind(1, std::string_view(name));
  return s.Step();
}

std::vector<StationKey> SqliteDashboardData::Stations() {
  std::lock_guard lock(mutex_);
  Statement s = db_->Raw().Prepare("SELECT DISTINCT project, station FROM cycles ORDER BY project, station");
  std::vector<StationKey> out;
  while (s.Step()) out.push_back({s.Text(0), s.Text(1)});
  return out;
}

bool SqliteDashboardData::HasStation(const StationKey& key) {
  std::lock_guard lock(mutex_);
  Statement s = db_->Raw().Prepare("SELECT 1 FROM cycles WHERE project = ?1 AND station = ?2 LIMIT 1");
  s.Bind(1, key.project).Bind(2, key.station);
  return s.Step();
}

StationState SqliteDashboardData::State(const StationKey& key) {
  std::lock_guard lock(mutex_);
  results::Database& db = db_->Raw();
  StationState out;
  out.key = key;
  Statement count = db.Prepare("SELECT count(*) FROM cycles WHERE project = ?1 AND station = ?2");
  count.Bind(1, key.project).Bind(2, key.station);
  if (count.Step()) out.cycleCount = static_cast<int>(count.Int(0));

  Statement last = db.Prepare(
      "SELECT id, file, cycle_number, first_ms, last_ms, measured_lines, failed_lines, corrected, "
      "uncorrected_why FROM cycles WHERE project = ?1 AND station = ?2 ORDER BY first_ms DESC, file DESC "
      "LIMIT 1");
  last.Bind(1, key.project).Bind(2, key.station);
  if (last.Step()) {
    results::StoredCycle c;
    c.id = last.Int(0);
    c.key = {key.project, key.station, last.Text(1)};
    c.cycleNumber = static_cast<int>(last.Int(2));
    c.firstMs = last.Int(3);
    c.lastMs = last.Int(4);
    c.measuredLines = static_cast<int>(last.Int(5));
    c.failedLines = static_cast<int>(last.Int(6));
    c.corrected = last.Int(7) != 0;
    c.uncorrectedWhy = last.Text(8);
    Statement refs =
        db.Prepare("SELECT point, used, why FROM reference_uses WHERE cycle_id = ?1 ORDER BY rowid");
    refs.Bind(1, c.id);
    std::vector<std::string> used, excluded;
    while (refs.Step()) {
      if (refs.Int(1) != 0) {
        used.push_back(refs.Text(0));
      } else {
        excluded.push_back(refs.Text(0) + ": " + refs.Text(2));
      }
    }
    c.referencesUsed = platform::Join(used, ", ");
    c.referencesExcluded = platform::Join(excluded, "; ");
    out.lastCycle = std::move(c);
  }

  if (HasTable("station_status")) {
    Statement st = db.Prepare(
        "SELECT updated_ms, last_cycle_ms, next_cycle_ms, link FROM station_status WHERE project = ?1 AND "
        "station = ?2");
    st.Bind(1, key.project).Bind(2, key.station);
    if (st.Step()) out.status = StationStatus{st.Int(0), st.Int(1), st.Int(2), st.Text(3)};
  }
  for (const auto& [point, level] : OpenLevels(key)) out.highestLevel = std::max(out.highestLevel, level);
  return out;
}

std::map<std::string, OpenLevel> SqliteDashboardData::OpenLevels(const StationKey& key) {
  std::map<std::string, OpenLevel> out;
  if (!HasTable("alarm_states")) return out;
  Statement s = db_->Raw().Prepare(
      "SELECT point, level FROM alarm_states WHERE project = ?1 AND station = ?2 AND open = 1");
  s.Bind(1, key.project).Bind(2, key.station);
  while (s.Step()) {
    OpenLevel& level = out.try_emplace(s.Text(0), -1).first->second;
    level = std::max(level, LevelIndex(s.Text(1)));
  }
  return out;
}

std::vector<PointRow> SqliteDashboardData::Points(const StationKey& key, const std::string& only) {
  std::lock_guard lock(mutex_);
  results::Database& db = db_->Raw();
  std::vector<std::string> names;
  if (only.empty()) {
    // From the index of point names alone, without reading a result.
    Statement all = db.Prepare(
        "SELECT DISTINCT point FROM point_results WHERE cycle_id IN (SELECT id FROM cycles WHERE project = "
        "?1 "
        "AND station = ?2) ORDER BY point");
    all.Bind(1, key.project).Bind(2, key.station);
    while (all.Step()) names.push_back(all.Text(0));
  } else {
    names.push_back(only);
  }
  // Point by point through the index of point names, its cycles newest first from the cycles'
  // own index, reading a result's row only for the few newest: reading every result of a point
  // to pick the latest took fifty times as long on a year of cycles.
  Statement cycles = db.Prepare(
      "SELECT p.cycle_id FROM point_results p INDEXED BY point_results_by_point JOIN cycles c ON c.id = "
      "p.cycle_id WHERE p.point = ?3 AND c.project = ?1 AND c.station = ?2 ORDER BY c.first_ms DESC, c.file "
      "DESC");
  Statement result =
      db.Prepare(std::string("SELECT ") + kPointColumns +
                 " FROM point_results p JOIN cycles c ON c.id = p.cycle_id WHERE p.cycle_id = ?1 AND "
                 "p.point = ?2");
  const std::map<std::string, OpenLevel> levels = OpenLevels(key);
  std::vector<PointRow> out;
  for (const std::string& name : names) {
    cycles.Bind(1, key.project).Bind(2, key.station).Bind(3, name);
    std::vector<std::int64_t> ids;
    while (cycles.Step()) ids.push_back(cycles.Int(0));
    cycles.Reset();
    std::optional<PointRow> row;
    for (std::int64_t id : ids) {
      result.Bind(1, id).Bind(2, name);
      if (result.Step()) {
        results::StoredPoint p = ReadPoint(result);
        if (!row || p.positioned) {
          const bool positioned = p.positioned;
          row = PointRow{std::move(p), -1, static_cast<int>(ids.size())};
          if (positioned) {
            result.Reset();
            break;
          }
        }
      }
      result.Reset();
    }
    if (!row) continue;
    const auto it = levels.find(name);
    if (it != levels.end()) row->level = it->second;
    out.push_back(std::move(*row));
  }
  return out;
}

bool SqliteDashboardData::HasPoint(const StationKey& key, const std::string& point) {
  std::lock_guard lock(mutex_);
  Statement s = db_->Raw().Prepare(
      "SELECT 1 FROM point_results p JOIN cycles c ON c.id = p.cycle_id WHERE p.point = ?3 AND c.project = "
      "?1 AND c.station = ?2 LIMIT 1");
  s.Bind(1, key.project).Bind(2, key.station).Bind(3, point);
  return s.Step();
}

std::vector<StoredPoint> SqliteDashboardData::Series(const StationKey& key, const std::string& point) {
  std::lock_guard lock(mutex_);
  Statement s =
      db_->Raw().Prepare(std::string("SELECT ") + kPointColumns +
                         " FROM point_results p JOIN cycles c ON c.id = p.cycle_id WHERE p.point = ?3 "
                         "AND c.project = ?1 AND c.station = ?2 ORDER BY p.time_ms");
  s.Bind(1, key.project).Bind(2, key.station).Bind(3, point);
  std::vector<StoredPoint> out;
  while (s.Step()) out.push_back(ReadPoint(s));
  return out;
}

std::vector<StoredPoint> SqliteDashboardData::AllResults(const StationKey& key) {
  std::lock_guard lock(mutex_);
  return db_->Points(key.project, key.station, "", LLONG_MIN, LLONG_MAX);
}

std::vector<EventRow> SqliteDashboardData::Events(const StationKey& key, int limit) {
  std::lock_guard lock(mutex_);
  std::vector<EventRow> out;
  if (!HasTable("alarm_events")) return out;
  Statement s = db_->Raw().Prepare(
      "SELECT time_ms, file, kind, point, level, quantity, value, limit_value, why FROM alarm_events WHERE "
      "project = ?1 AND station = ?2 ORDER BY time_ms DESC, id DESC LIMIT ?3");
  s.Bind(1, key.project).Bind(2, key.station).Bind(3, limit);
  while (s.Step()) {
    EventRow e;
    e.timeMs = s.Int(0);
    e.file = s.Text(1);
    e.kind = s.Text(2);
    e.point = s.Text(3);
    e.level = s.Text(4);
    e.quantity = s.Text(5);
    if (!s.IsNull(6)) e.value = s.Double(6);
    if (!s.IsNull(7)) e.limit = s.Double(7);
    e.why = s.Text(8);
    out.push_back(std::move(e));
  }
  return out;
}

}  // namespace vigil::web
