#include "results/Schema.h"

namespace vigil::results {

namespace {

// Every length in metres, angle in gon, displacement and its sigma in mm, time in ms since
// 1970 on the station's local clock. A cycle is keyed by project, station and file name; its
// lines by their line number in the file, so writing a cycle again replaces its rows.
constexpr const char* kVersion1 = R"sql(
CREATE TABLE cycles (
  id INTEGER PRIMARY KEY,
  project TEXT NOT NULL,
  station TEXT NOT NULL,
  file TEXT NOT NULL,
  cycle_number INTEGER NOT NULL,
  first_ms INTEGER NOT NULL,
  last_ms INTEGER NOT NULL,
  measured_lines INTEGER NOT NULL,
  failed_lines INTEGER NOT NULL,
  skipped_lines INTEGER NOT NULL,
  corrected INTEGER NOT NULL,
  uncorrected_why TEXT NOT NULL,
  UNIQUE (project, station, file)
);
CREATE INDEX cycles_by_time ON cycles (project, station, first_ms);
CREATE TABLE station_solutions (
  cycle_id INTEGER PRIMARY KEY REFERENCES cycles (id) ON DELETE CASCADE,
  as_set_easting_m REAL NOT NULL, as_set_northing_m REAL NOT NULL, as_set_level_m REAL NOT NULL,
  easting_m REAL, northing_m REAL, level_m REAL, orientation_correction_gon REAL,
  sigma_easting_mm REAL, sigma_northing_mm REAL, sigma_level_mm REAL, sigma_orientation_mgon REAL,
  sigma0 REAL, redundancy INTEGER, global_test_value REAL, global_test_critical REAL, global_test_passed INTEGER
);
CREATE TABLE reference_uses (
  cycle_id INTEGER NOT NULL REFERENCES cycles (id) ON DELETE CASCADE,
  point TEXT NOT NULL,
  used INTEGER NOT NULL,
  why TEXT NOT NULL,
  residual_ha_mgon REAL, residual_va_mgon REAL, residual_sd_mm REAL,
  standardised_ha REAL, standardised_va REAL, standardised_sd REAL,
  PRIMARY KEY (cycle_id, point)
);
CREATE TABLE observations (
  cycle_id INTEGER NOT NULL REFERENCES cycles (id) ON DELETE CASCADE,
  line INTEGER NOT NULL,
  point TEXT NOT NULL,
  round INTEGER NOT NULL,
  face INTEGER NOT NULL,
  time_ms INTEGER NOT NULL,
  measured INTEGER NOT NULL,
  ha_gon REAL NOT NULL, va_gon REAL NOT NULL, sd_m REAL NOT NULL,
  easting_m REAL, northing_m REAL, rl_m REAL,
  PRIMARY KEY (cycle_id, line)
);
CREATE TABLE point_results (
  cycle_id INTEGER NOT NULL REFERENCES cycles (id) ON DELETE CASCADE,
  point TEXT NOT NULL,
  prism_type INTEGER NOT NULL,
  reference INTEGER NOT NULL,
  readings INTEGER NOT NULL, failed INTEGER NOT NULL, face1 INTEGER NOT NULL, face2 INTEGER NOT NULL,
  time_ms INTEGER NOT NULL,
  ha_gon REAL, va_gon REAL, sd_m REAL,
  ha_scatter_mgon REAL, va_scatter_mgon REAL, sd_scatter_mm REAL, scatter_suspect INTEGER NOT NULL,
  positioned INTEGER NOT NULL,
  easting_m REAL, northing_m REAL, level_m REAL,
  cov_ee REAL, cov_en REAL, cov_eh REAL, cov_nn REAL, cov_nh REAL, cov_hh REAL,
  has_displacement INTEGER NOT NULL,
  d_east_mm REAL, d_north_mm REAL, d_level_mm REAL,
  sigma_east_mm REAL, sigma_north_mm REAL, sigma_level_mm REAL,
  test_value REAL, test_critical REAL, significant INTEGER NOT NULL,
  raw_east_mm REAL, raw_north_mm REAL, raw_level_mm REAL,
  v_east_mm_per_day REAL, v_north_mm_per_day REAL, v_level_mm_per_day REAL,
  PRIMARY KEY (cycle_id, point)
);
CREATE INDEX point_results_by_point ON point_results (point, cycle_id);
)sql";

// Alarms: the events of each judged cycle, every point's level state carried to the next cycle,
// and the cycles already judged, keyed like cycles by file so that a cycle written again is not
// judged twice (its state would count twice towards confirmation).
constexpr const char* kVersion2 = R"sql(
CREATE TABLE alarm_events (
  id INTEGER PRIMARY KEY,
  project TEXT NOT NULL,
  station TEXT NOT NULL,
  file TEXT NOT NULL,
  time_ms INTEGER NOT NULL,
  kind TEXT NOT NULL,
  point TEXT NOT NULL,
  level TEXT NOT NULL,
  quantity TEXT NOT NULL,
  value REAL,
  limit_value REAL,
  why TEXT NOT NULL
);
CREATE INDEX alarm_events_by_time ON alarm_events (project, station, time_ms);
CREATE TABLE alarm_states (
  project TEXT NOT NULL,
  station TEXT NOT NULL,
  point TEXT NOT NULL,
  level TEXT NOT NULL,
  open INTEGER NOT NULL,
  confirmed INTEGER NOT NULL,
  beyond_cycles INTEGER NOT NULL,
  PRIMARY KEY (project, station, point, level)
);
CREATE TABLE alarm_cycles (
  project TEXT NOT NULL,
  station TEXT NOT NULL,
  file TEXT NOT NULL,
  time_ms INTEGER NOT NULL,
  PRIMARY KEY (project, station, file)
);
)sql";

// Notifications: one row per event and transport, written in the event's own transaction so
// that no event is ever without its notifications; a row is delivered only once its transport
// acknowledged it. station_status is what a reader outside the station sees of it between
// cycles (its link, its last and next cycle).
constexpr const char* kVersion3 = R"sql(
CREATE TABLE notifications (
  id INTEGER PRIMARY KEY,
  event_id INTEGER NOT NULL REFERENCES alarm_events (id),
  transport TEXT NOT NULL,
  project TEXT NOT NULL,
  station TEXT NOT NULL,
  point TEXT NOT NULL,
  payload TEXT NOT NULL,
  point_state TEXT NOT NULL,
  created_ms INTEGER NOT NULL,
  attempts INTEGER NOT NULL DEFAULT 0,
  last_error TEXT NOT NULL DEFAULT '',
  delivered_ms INTEGER
);
CREATE INDEX notifications_pending ON notifications (transport, delivered_ms, id);
CREATE TABLE station_status (
  project TEXT,
  station TEXT,
  updated_ms INTEGER,
  last_cycle_ms INTEGER,
  next_cycle_ms INTEGER,
  link TEXT,
  PRIMARY KEY (project, station)
);
)sql";

int UserVersion(Database& db) {
  Statement s = db.Prepare("PRAGMA user_version");
  return s.Step() ? static_cast<int>(s.Int(0)) : -1;
}

}  // namespace

bool PrepareSchema(Database& db, std::string& error) {
  const int version = UserVersion(db);
  if (version < 0) {
    error = "not a results database: " + db.LastError();
    return false;
  }
  if (version > kSchemaVersion) {
    error = "the results database is of a newer version (" + std::to_string(version) +
            ") than this program (" + std::to_string(kSchemaVersion) + ")";
    return false;
  }
  if (version == kSchemaVersion) return true;
  Transaction t(db);
  if (!t.Began() || (version < 1 && !db.Execute(kVersion1)) || (version < 2 && !db.Execute(kVersion2)) ||
      (version < 3 && !db.Execute(kVersion3)) ||
      !db.Execute("PRAGMA user_version = " + std::to_string(kSchemaVersion)) || !t.Commit()) {
    error = "cannot create the results tables: " + db.LastError();
    return false;
  }
  return true;
}

}  // namespace vigil::results
