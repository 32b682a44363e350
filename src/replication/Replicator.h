// Copies a station's results database to the replication server, a bounded batch of cycles at
// a time. Each cycle goes in one server transaction that first removes the cycle's old rows,
// then writes every row with INSERT ... ON CONFLICT, and records the cycle's fingerprint: a
// batch cut anywhere leaves the server with the cycle as it was or as it is, never half of it
// or twice. What is still to send is learnt from the server's fingerprints on each connection,
// so a new replicator (the station restarted) carries on where the last one stopped.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include <pqxx/connection>

#include "replication/StationTables.h"

namespace vigil::results {
class Database;
}

namespace vigil::replication {

enum class ReplicationCode {
  kUpToDate = 0,       ///< nothing left to send
  kSent = 1,           ///< a batch went; more may be left
  kBadConnection = 2,  ///< the connection string cannot be read
  kRefused = 3,        ///< the server refused the user or password
  kUnreachable = 4,    ///< no server there (down, network gone)
  kNewerServer = 5,    ///< the server's tables are of a newer version
  kFailed = 6,         ///< the connection broke or a statement failed during a batch
  kNoResults = 7,      ///< the station's results database cannot be read
};

struct ReplicationStatus {
  ReplicationCode code = ReplicationCode::kUpToDate;
  int cyclesSent = 0;
  int cyclesPending = 0;  ///< after this batch
  std::int64_t rowsSent = 0;
  std::string message;  ///< for the operator; passwords masked
};

class Replicator {
 public:
  Replicator(std::filesystem::path resultsDatabase, std::string connection, int batchCycles);
  ~Replicator();
  Replicator(const Replicator&) = delete;
  Replicator& operator=(const Replicator&) = delete;

  /// Connects when needed and sends at most one batch of cycles.
  ReplicationStatus RunBatch();

  /// Fault injection: called before each server statement of a cycle (counted from 1 in each
  /// cycle) with the connection's server process id. Returning false ends the batch on the
  /// spot, as a station killed there would, leaving the transaction open.
  void SetStatementHook(std::function<bool(int statement, int serverPid)> hook) { hook_ = std::move(hook); }

 private:
  using Key = std::tuple<std::string, std::string, std::string>;
  ReplicationStatus Connect();
  bool SendCycle(results::Database& local, std::int64_t id, const Key& key, const std::string& fingerprint,
                 std::int64_t& rows);

  std::filesystem::path resultsPath_;
  std::string connection_;
  int batchCycles_;
  std::unique_ptr<pqxx::connection> server_;
  std::map<Key, std::string> serverFingerprints_;
  SentStations sentStations_;
  std::function<bool(int, int)> hook_;
  bool abandoned_ = false;
};

/// A one-line text of a status, for a log or the screen.
std::string StatusText(const ReplicationStatus& status);

}  // namespace vigil::replication
