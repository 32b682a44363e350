#include "replication/Replicator.h"

#include <libpq-fe.h>
#include <pqxx/pqxx>

#include <charconv>
#include <cmath>
#include <set>
#include <vector>

#include "platform/Files.h"
#include "replication/MaskedText.h"
#include "replication/ServerSchema.h"
#include "replication/ServerTables.h"
#include "replication/StationTables.h"
#include "results/Sqlite.h"

namespace vigil::replication {

namespace {

struct Abandoned {};

// What changes when a cycle is written again. A cycle written again gets a new row id unless
// it was the newest one; its station solution then tells a re-evaluation apart. Both are
// looked up by row id, so listing a year of cycles stays cheap.
constexpr const char* kLocalCycles =
    "SELECT c.id, c.project, c.station, c.file, c.id || '|' || c.cycle_number || '|' || c.first_ms || '|' || "
    "c.last_ms || '|' || c.measured_lines || '|' || c.failed_lines || '|' || c.skipped_lines || '|' || "
    "c.corrected || '|' || c.uncorrected_why || '|' || coalesce((SELECT quote(s.easting_m) || "
    "quote(s.northing_m) "
    "|| quote(s.level_m) || quote(s.orientation_correction_gon) || quote(s.sigma0) FROM station_solutions s "
    "WHERE s.cycle_id = c.id), '') FROM cycles c ORDER BY c.first_ms, c.file";

std::string Fnv1a(const std::string& text) {
  std::uint64_t h = 1469598103934665603ull;
  for (unsigned char ch : text) h = (h ^ ch) * 1099511628211ull;
  char out[17];
  for (int i = 15; i >= 0; --i, h >>= 4) out[i] = "0123456789abcdef"[h & 15];
  out[16] = '\0';
  return out;
}

std::string Real(double v) {
  if (std::isnan(v)) return "'NaN'";
  if (std::isinf(v)) return v > 0 ? "'Infinity'" : "'-Infinity'";
  char buffer[32];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, r.ptr);
}

bool IsUri(const std::string& c) {
  return c.rfind("postgresql://", 0) == 0 || c.rfind("postgres://", 0) == 0;
}

// A waiting connect would hold the replication thread, and a stopping station with it.
std::string WithTimeout(const std::string& c) {
  if (c.find("connect_timeout") != std::string::npos) return c;
  if (IsUri(c)) return c + (c.find('?') == std::string::npos ? "?" : "&") + "connect_timeout=10";
  return c + " connect_timeout=10";
}

bool Readable(const std::string& connection, std::string& error) {
  char* message = nullptr;
  PQconninfoOption* options = PQconninfoParse(connection.c_str(), &message);
  if (options) PQconninfoFree(options);
  if (message) {
    error = message;
    PQfreemem(message);
  }
  return options != nullptr;
}

std::string FirstLine(const std::string& text) {
  return text.substr(0, text.find('\n'));
}

}  // namespace

Replicator::Replicator(std::filesystem::path resultsDatabase, std::string connection, int batchCycles)
    : resultsPath_(std::move(resultsDatabase)),
      connection_(std::move(connection)),
      batchCycles_(batchCycles) {}

Replicator::~Replicator() = default;

ReplicationStatus Replicator::Connect() {
  ReplicationStatus s;
  const std::string shown = MaskedConnection(connection_);
  std::string error;
  if (!Readable(connection_, error)) {
    s.code = ReplicationCode::kBadConnection;
    s.message =
        "replication.conf: the connection string is not valid: " + MaskedMessage(error, connection_, true);
    return s;
  }
  try {
    server_ = std::make_unique<pqxx::connection>(WithTimeout(connection_));
    // A connection that broke is never silently replaced in the middle of a cycle.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    server_->inhibit_reactivation(true);
#pragma GCC diagnostic pop
  } catch (const std::exception& e) {
    server_.reset();
    const std::string why = MaskedMessage(FirstLine(e.what()), connection_, false);
    // The client library's messages are in the user's language: whether a server answers
    // tells a refused login from an absent server.
    const bool refused = PQping(WithTimeout(connection_).c_str()) == PQPING_OK;
    s.code = refused ? ReplicationCode::kRefused : ReplicationCode::kUnreachable;
    s.message =
        "replication server " + shown + (refused ? " refused the login: " : " cannot be reached: ") + why;
    return s;
  }
  const SchemaOutcome schema = PrepareServerSchema(*server_, error);
  if (schema != SchemaOutcome::kReady) {
    server_.reset();
    s.code = schema == SchemaOutcome::kNewer ? ReplicationCode::kNewerServer : ReplicationCode::kFailed;
    s.message = "replication server " + shown + ": " + MaskedMessage(error, connection_, false);
  }
  serverFingerprints_.clear();
  sentStations_.clear();
  return s;
}

ReplicationStatus Replicator::RunBatch() {
  ReplicationStatus s;
  if (abandoned_) {
    s.code = ReplicationCode::kFailed;
    s.message = "replication was abandoned";
    return s;
  }
  if (!platform::FileExists(resultsPath_)) return s;  // no cycle stored yet
  std::string error;
  std::unique_ptr<results::Database> local = results::Database::Open(resultsPath_, error);
  struct LocalCycle {
    std::int64_t id;
    Key key;
    std::string fingerprint;
  };
  std::vector<LocalCycle> cycles;
  if (local) {
    results::Statement list = local->Prepare(kLocalCycles);
    while (list.Step())
      cycles.push_back({list.Int(0), {list.Text(1), list.Text(2), list.Text(3)}, Fnv1a(list.Text(4))});
    if (!list.Done()) error = local->LastError();
  }
  if (!local || !error.empty()) {
    s.code = ReplicationCode::kNoResults;
    s.message = "the results database cannot be read for replication: " + error;
    return s;
  }
  if (!server_) {
    s = Connect();
    if (!server_) return s;
  }
  const std::string shown = MaskedConnection(connection_);
  try {
    if (serverFingerprints_.empty()) {
      std::set<std::pair<std::string, std::string>> stations;
      for (const LocalCycle& c : cycles) stations.insert({std::get<0>(c.key), std::get<1>(c.key)});
      pqxx::nontransaction read(*server_);
      for (const auto& [project, station] : stations) {
        const pqxx::result r =
            read.exec("SELECT file, fingerprint FROM cycles WHERE project = " + read.quote(project) +
                      " AND station = " + read.quote(station));
        for (const auto& row : r)
          serverFingerprints_[{project, station, row[0].as<std::string>()}] = row[1].as<std::string>();
      }
    }
    for (const LocalCycle& c : cycles) {
      auto it = serverFingerprints_.find(c.key);
      if (it != serverFingerprints_.end() && it->second == c.fingerprint) continue;
      if (s.cyclesSent >= batchCycles_) {
        ++s.cyclesPending;
        continue;
      }
      if (!SendCycle(*local, c.id, c.key, c.fingerprint, s.rowsSent)) {
        s.code = ReplicationCode::kNoResults;
        s.message = "the results database cannot be read for replication: " + local->LastError();
        return s;
      }
      serverFingerprints_[c.key] = c.fingerprint;
      ++s.cyclesSent;
    }
    if (s.cyclesPending == 0 && !SendStationTables(*local, *server_, sentStations_, s.rowsSent)) {
      s.code = ReplicationCode::kNoResults;
      s.message = "the results database cannot be read for replication: " + local->LastError();
      return s;
    }
  } catch (const Abandoned&) {
    abandoned_ = true;
    s.code = ReplicationCode::kFailed;
    s.message = "replication abandoned in the middle of a cycle";
    return s;
  } catch (const std::exception& e) {
    // Whether the last COMMIT arrived is unknown: the server's fingerprints are read again.
    server_.reset();
    serverFingerprints_.clear();
    sentStations_.clear();
    s.code = ReplicationCode::kFailed;
    s.message = "replication to " + shown +
                " broke off (tried again later): " + MaskedMessage(FirstLine(e.what()), connection_, false);
    return s;
  }
  s.code = s.cyclesPending > 0 ? ReplicationCode::kSent : ReplicationCode::kUpToDate;
  return s;
}

bool Replicator::SendCycle(results::Database& local, std::int64_t id, const Key& key,
                           const std::string& fingerprint, std::int64_t& rows) {
  pqxx::nontransaction nt(*server_);
  int statement = 0;
  auto exec = [&](const std::string& sql) {
    if (hook_ && !hook_(++statement, server_->backendpid())) throw Abandoned{};
    nt.exec(sql);
  };
  const auto& [project, station, file] = key;
  const std::string keyValues = nt.quote(project) + ", " + nt.quote(station) + ", " + nt.quote(file);
  const std::string where = " WHERE project = " + nt.quote(project) + " AND station = " + nt.quote(station) +
                            " AND file = " + nt.quote(file);
  // Read every table before the server transaction opens: a slow station disk never holds it.
  std::vector<std::string> inserts;
  for (const CopiedTable& t : CopiedTables()) {
    const bool isCycle = std::string(t.name) == "cycles";
    const std::vector<ColumnSpec> columns = ColumnsOf(t);
    results::Statement select = local.Prepare(t.select);
    select.Bind(1, id);
    std::string values;
    while (select.Step()) {
      std::string row = "(" + keyValues;
      for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        row += ", ";
        if (select.IsNull(c)) {
          row += "NULL";
        } else if (columns[static_cast<std::size_t>(c)].type == 'i') {
          row += std::to_string(select.Int(c));
        } else if (columns[static_cast<std::size_t>(c)].type == 'r') {
          row += Real(select.Double(c));
        } else {
          row += nt.quote(select.Text(c));
        }
      }
      if (isCycle) row += ", " + nt.quote(fingerprint);
      values += (values.empty() ? "" : ", ") + row + ")";
      ++rows;
    }
    if (!select.Done()) return false;
    if (values.empty()) continue;
    std::string names = "project, station, file", updates;
    for (const ColumnSpec& c : columns) {
      names += ", " + c.name;
      updates += (updates.empty() ? "" : ", ") + c.name + " = EXCLUDED." + c.name;
    }
    if (isCycle) {
      names += ", fingerprint";
      updates += ", fingerprint = EXCLUDED.fingerprint, replicated_at = now()";
    }
    inserts.push_back(std::string("INSERT INTO ") + t.name + " (" + names + ") VALUES " + values +
                      " ON CONFLICT (project, station, file" + (t.key[0] ? std::string(", ") + t.key : "") +
                      ") DO UPDATE SET " + updates);
  }
  exec("BEGIN");
  // A cycle written again may have fewer lines than before: its old rows go first.
  exec("DELETE FROM cycles" + where);
  for (const std::string& sql : inserts) exec(sql);
  exec("COMMIT");
  return true;
}

std::string StatusText(const ReplicationStatus& s) {
  if (!s.message.empty()) return s.message;
  return "replication: " + std::to_string(s.cyclesSent) + " cycles sent, " + std::to_string(s.cyclesPending) +
         " to go";
}

}  // namespace vigil::replication
