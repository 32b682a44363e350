#include "replication/ServerSchema.h"

#include <pqxx/pqxx>

#include "replication/ServerTables.h"

namespace vigil::replication {

namespace {

constexpr long kSchemaLock = 0x56494731;  // any number the stations agree on

// Version 1: the copied tables, keyed by project, station and file; the cycle row holds the
// fingerprint of what was copied, so a station learns from the server what it still has to send.
std::string Version1() {
  std::string sql;
  for (const CopiedTable& t : CopiedTables()) {
    const bool cycles = std::string(t.name) == "cycles";
    sql += std::string("CREATE TABLE ") + t.name +
           " (project TEXT NOT NULL, station TEXT NOT NULL, file TEXT NOT NULL";
    for (const ColumnSpec& c : ColumnsOf(t))
      sql += ", " + c.name + (c.type == 'i' ? " BIGINT" : c.type == 'r' ? " DOUBLE PRECISION" : " TEXT");
    if (cycles) sql += ", fingerprint TEXT NOT NULL, replicated_at TIMESTAMPTZ NOT NULL DEFAULT now()";
    sql += ", PRIMARY KEY (project, station, file" + (t.key[0] ? std::string(", ") + t.key : "") + ")";
    if (!cycles) sql += ", FOREIGN KEY (project, station, file) REFERENCES cycles ON DELETE CASCADE";
    sql += ");\n";
  }
  return sql + "CREATE INDEX cycles_by_time ON cycles (project, station, first_ms);\n";
}

constexpr const char* kVersion2 =
    "CREATE INDEX point_results_by_point ON point_results (project, station, point, time_ms);";

// Kept per station rather than per cycle: an alarm's state changes between cycles (confirmed,
// closed) and the status with every tick. An event keeps the station's own id as its key.
constexpr const char* kVersion3 = R"sql(
CREATE TABLE alarm_events (project TEXT NOT NULL, station TEXT NOT NULL, id BIGINT NOT NULL,
  file TEXT NOT NULL, time_ms BIGINT NOT NULL, kind TEXT NOT NULL, point TEXT NOT NULL, level TEXT NOT NULL,
  quantity TEXT NOT NULL, value DOUBLE PRECISION, limit_value DOUBLE PRECISION, why TEXT NOT NULL,
  PRIMARY KEY (project, station, id));
CREATE INDEX alarm_events_by_time ON alarm_events (project, station, time_ms);
CREATE TABLE alarm_states (project TEXT NOT NULL, station TEXT NOT NULL, point TEXT NOT NULL,
  level TEXT NOT NULL, open BIGINT NOT NULL, confirmed BIGINT NOT NULL, beyond_cycles BIGINT NOT NULL,
  PRIMARY KEY (project, station, point, level));
CREATE TABLE station_status (project TEXT NOT NULL, station TEXT NOT NULL, updated_ms BIGINT,
  last_cycle_ms BIGINT, next_cycle_ms BIGINT, link TEXT, PRIMARY KEY (project, station));
)sql";

}  // namespace

SchemaOutcome PrepareServerSchema(pqxx::connection_base& connection, std::string& error, int upTo) {
  try {
    pqxx::work tx(connection);
    tx.exec("SELECT pg_advisory_xact_lock(" + std::to_string(kSchemaLock) + ")");
    tx.exec("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)");
    const pqxx::result r = tx.exec("SELECT coalesce(max(version), 0) FROM schema_version");
    const int version = r[0][0].as<int>();
    if (version > kServerSchemaVersion) {
      error = "the replication server's tables are of a newer version (" + std::to_string(version) +
              ") than this program (" + std::to_string(kServerSchemaVersion) + "): nothing is copied";
      return SchemaOutcome::kNewer;
    }
    if (version >= upTo) return SchemaOutcome::kReady;
    if (version < 1) tx.exec(Version1());
    if (version < 2 && upTo >= 2) tx.exec(kVersion2);
    if (version < 3 && upTo >= 3) tx.exec(kVersion3);
    tx.exec("DELETE FROM schema_version");
    tx.exec("INSERT INTO schema_version VALUES (" + std::to_string(upTo) + ")");
    tx.commit();
    return SchemaOutcome::kReady;
  } catch (const std::exception& e) {
    error = std::string("cannot prepare the replication server's tables: ") + e.what();
    return SchemaOutcome::kFailed;
  }
}

}  // namespace vigil::replication
