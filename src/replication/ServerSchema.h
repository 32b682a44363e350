// The server's tables and their version (table schema_version). A server of an older version
// is brought up to this one; a newer one is refused, so an old station never writes rows the
// server's readers do not expect. Stations starting together take turns (an advisory lock).
#pragma once

#include <string>

#include <pqxx/connection>

namespace vigil::replication {

/// 2 adds the index for one point's history, 3 the station's alarms and status for the dashboard.
inline constexpr int kServerSchemaVersion = 3;

enum class SchemaOutcome { kReady = 0, kNewer = 1, kFailed = 2 };

/// Creates or migrates the tables up to `upTo` (tests build an older server with it).
SchemaOutcome PrepareServerSchema(pqxx::connection_base& connection, std::string& error,
                                  int upTo = kServerSchemaVersion);

}  // namespace vigil::replication
