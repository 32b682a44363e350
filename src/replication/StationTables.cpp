#include "replication/StationTables.h"

#include <pqxx/pqxx>

#include <charconv>
#include <cmath>
#include <set>
#include <vector>

#include "results/Sqlite.h"

namespace vigil::replication {

namespace {

struct Table {
  const char* name;
  const char* columns;  // after project and station
  const char* types;    // one letter per column: i integer, r real, t text
  const char* key;      // the conflict target after project and station
};

constexpr Table kEvents{"alarm_events",
                        "id, file, time_ms, kind, point, level, quantity, value, limit_value, why",
                        "ittttttrrt", "id"};
constexpr Table kStates{"alarm_states", "point, level, open, confirmed, beyond_cycles", "ttiii",
                        "point, level"};
constexpr Table kStatus{"station_status", "updated_ms, last_cycle_ms, next_cycle_ms, link", "iiit", ""};

std::string Real(double v) {
  if (std::isnan(v)) return "'NaN'";
  if (std::isinf(v)) return v > 0 ? "'Infinity'" : "'-Infinity'";
  char buffer[32];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, r.ptr);
}

bool HasTable(results::Database& db, const char* name) {
  results::Statement s = db.Prepare("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1");
  s.Bind(1, std::string_view(name));
  return s.Step();
}

// The station's rows of `t` (only those after `afterId` for the events) as a VALUES list.
bool Values(results::Database& db, const Table& t, const std::string& project, const std::string& station,
            std::int64_t afterId, pqxx::connection& server, std::string& values, std::int64_t& rows) {
  results::Statement s =
      db.Prepare(std::string("SELECT ") + t.columns + " FROM " + t.name +
                 " WHERE project = ?1 AND station = ?2" + (&t == &kEvents ? " AND id > ?3 ORDER BY id" : ""));
  s.Bind(1, project).Bind(2, station);
  if (&t == &kEvents) s.Bind(3, afterId);
  const std::string prefix = "(" + server.quote(project) + ", " + server.quote(station);
  while (s.Step()) {
    std::string row = prefix;
    for (int c = 0; t.types[c]; ++c) {
      row += ", ";
      if (s.IsNull(c)) {
        row += "NULL";
      } else if (t.types[c] == 'i') {
        row += std::to_string(s.Int(c));
      } else if (t.types[c] == 'r') {
        row += Real(s.Double(c));
      } else {
        row += server.quote(s.Text(c));
      }
    }
    values += (values.empty() ? "" : ", ") + row + ")";
    ++rows;
  }
  return s.Done();
}

std::string Upsert(const Table& t, const std::string& values) {
  std::string updates;
  const std::string columns = t.columns;
  std::size_t at = 0;
  while (at < columns.size()) {
    const std::size_t comma = columns.find(',', at);
    const std::string name = columns.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
    updates += (updates.empty() ? "" : ", ") + name + " = EXCLUDED." + name;
    at = comma == std::string::npos ? columns.size() : comma + 2;
  }
  return std::string("INSERT INTO ") + t.name + " (project, station, " + t.columns + ") VALUES " + values +
         " ON CONFLICT (project, station" + (t.key[0] ? std::string(", ") + t.key : "") + ") DO UPDATE SET " +
         updates;
}

}  // namespace

bool SendStationTables(results::Database& local, pqxx::connection& server, SentStations& sent,
                       std::int64_t& rows) {
  const bool alarms = HasTable(local, "alarm_events") && HasTable(local, "alarm_states");
  const bool status = HasTable(local, "station_status");
  if (!alarms && !status) return true;
  std::string union_;
  if (alarms)
    union_ = "SELECT project, station FROM alarm_events UNION SELECT project, station FROM alarm_states";
  if (status) union_ += std::string(alarms ? " UNION " : "") + "SELECT project, station FROM station_status";
  results::Statement list = local.Prepare(union_);
  std::set<std::pair<std::string, std::string>> stations;
  while (list.Step()) stations.insert({list.Text(0), list.Text(1)});
  if (!list.Done()) return false;

  for (const auto& key : stations) {
    const auto& [project, station] = key;
    // What would be sent from scratch: when it is what went last time, nothing has changed.
    std::string states, status_, events;
    std::int64_t written = 0, allEvents = 0;
    if (alarms && (!Values(local, kStates, project, station, 0, server, states, written) ||
                   !Values(local, kEvents, project, station, -1, server, events, allEvents)))
      return false;
    if (status && !Values(local, kStatus, project, station, 0, server, status_, written)) return false;
    const std::string fingerprint =
        states + "\n" + status_ + "\n" + std::to_string(allEvents) + "|" + std::to_string(events.size());
    auto it = sent.find(key);
    if (it != sent.end() && it->second == fingerprint) continue;

    pqxx::work tx(server);
    std::int64_t after = -1;
    if (alarms) {
      after = tx.exec("SELECT coalesce(max(id), -1) FROM alarm_events WHERE project = " + tx.quote(project) +
                      " AND station = " + tx.quote(station))[0][0]
                  .as<std::int64_t>();
      events.clear();
      if (!Values(local, kEvents, project, station, after, server, events, rows)) return false;
      tx.exec("DELETE FROM alarm_states WHERE project = " + tx.quote(project) +
              " AND station = " + tx.quote(station));
      if (!states.empty()) tx.exec(Upsert(kStates, states));
      if (!events.empty()) tx.exec(Upsert(kEvents, events));
    }
    if (!status_.empty()) tx.exec(Upsert(kStatus, status_));
    tx.commit();
    rows += written;
    sent[key] = fingerprint;
  }
  return true;
}

}  // namespace vigil::replication
