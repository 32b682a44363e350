// The station's alarms and status on the server, for a dashboard reading many stations. They
// belong to the station rather than to one cycle, so they go after the cycles, each station in
// one transaction: its alarm states replaced as a whole (a closed state may be gone), its status
// and its new events written by key, so a transaction cut anywhere or written twice leaves the
// server as it was or as it is.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include <pqxx/connection>

namespace vigil::results {
class Database;
}

namespace vigil::replication {

/// What was last sent of each station, to send nothing while it has not changed.
using SentStations = std::map<std::pair<std::string, std::string>, std::string>;

/// Throws what the server throws; false when the station's database cannot be read.
bool SendStationTables(results::Database& local, pqxx::connection& server, SentStations& sent,
                       std::int64_t& rows);

}  // namespace vigil::replication
