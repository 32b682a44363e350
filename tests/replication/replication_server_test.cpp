// Replication against a real server of the test's own: a cycle's copy broken off at each of
// its statements in turn (connection cut, server stopped, station killed) and then caught up
// with, leaving every row on the server exactly once; connections that cannot work saying why
// once, without the password; servers of an older or newer version of the tables.
#include <gtest/gtest.h>

#include "PgServer.h"
#include "ReplicationFixture.h"
#include "TempFolder.h"
#include "replication/Replicator.h"
#include "replication/ServerSchema.h"

namespace vigil::replication {
namespace {

using test::LocalRows;
using test::ServerRows;

constexpr int kStatementsPerCycle = 8;  // BEGIN, DELETE, five tables, COMMIT

// Runs batches until the replicator is up to date (or gives up after `most`).
ReplicationStatus CatchUp(Replicator& r, int most = 20) {
  ReplicationStatus s;
  for (int i = 0; i < most; ++i) {
    s = r.RunBatch();
    if (s.code != ReplicationCode::kSent) break;
  }
  return s;
}

TEST(Replication, ACycleBrokenOffAtAnyStatementEndsUpOnTheServerExactlyOnce) {
  vigil::test::PgServer server;
  ASSERT_TRUE(server.Ok()) << "cannot start PostgreSQL in " << server.Folder();
  vigil::test::TempFolder dir;
  std::string error;
  const auto dbPath = dir.path() / results::kResultsFileName;
  auto station = results::ResultsDatabase::Open(dbPath, error);
  ASSERT_TRUE(station) << error;
  for (int day = 0; day < 3; ++day) ASSERT_TRUE(test::StoreDay(*station, dir.path(), day, day / 3.0));

  enum class Fault { kCut, kServerStopped, kStationKilled };
  int database = 0;
  for (Fault fault : {Fault::kCut, Fault::kServerStopped, Fault::kStationKilled}) {
    for (int k = 1; k <= kStatementsPerCycle; ++k) {
      SCOPED_TRACE(::testing::Message() << "fault " << static_cast<int>(fault) << " at statement " << k);
      const std::string connection = server.NewDatabase("copy" + std::to_string(database++));
      auto replicator = std::make_unique<Replicator>(dbPath, connection, 1);
      ASSERT_EQ(replicator->RunBatch().code, ReplicationCode::kSent);
      bool fired = false;
      replicator->SetStatementHook([&](int statement, int pid) {
        if (statement != k || fired) return true;
        fired = true;
        if (fault == Fault::kCut) {
          pqxx::connection admin(server.Connection());
          pqxx::nontransaction(admin).exec("SELECT pg_terminate_backend(" + std::to_string(pid) + ")");
        } else if (fault == Fault::kServerStopped) {
          EXPECT_TRUE(server.Stop());
        }
        return fault != Fault::kStationKilled;
      });
      const ReplicationStatus broken = replicator->RunBatch();
      EXPECT_TRUE(fired);
      EXPECT_EQ(broken.code, ReplicationCode::kFailed) << broken.message;
      if (fault == Fault::kServerStopped) {
        // The station measures on meanwhile: a cycle stored while the server is away.
        ASSERT_TRUE(test::StoreDay(*station, dir.path(), 3 + k, 1.0));
        EXPECT_EQ(replicator->RunBatch().code, ReplicationCode::kUnreachable);
        ASSERT_TRUE(server.Start());
      }
      if (fault == Fault::kStationKilled) replicator = std::make_unique<Replicator>(dbPath, connection, 1);
      EXPECT_EQ(CatchUp(*replicator).code, ReplicationCode::kUpToDate);
      EXPECT_EQ(ServerRows(connection), LocalRows(station->Raw()));
    }
  }

  // Written again with other results, or sent again after the server forgot what it had: the
  // same rows, once.
  const std::string connection = server.NewDatabase("rewritten");
  Replicator replicator(dbPath, connection, 10);
  ASSERT_EQ(CatchUp(replicator).code, ReplicationCode::kUpToDate);
  ASSERT_TRUE(test::StoreDay(*station, dir.path(), 1, 5.0));
  const ReplicationStatus again = CatchUp(replicator);
  EXPECT_EQ(again.cyclesSent, 1) << "only the cycle written again";
  {
    pqxx::connection admin(connection);
    pqxx::nontransaction(admin).exec("UPDATE cycles SET fingerprint = 'forgotten'");
  }
  const int stored = static_cast<int>(station->Cycles("", "").size());
  EXPECT_EQ(Replicator(dbPath, connection, stored).RunBatch().cyclesSent, stored);
  EXPECT_EQ(ServerRows(connection), LocalRows(station->Raw()));
}

TEST(Replication, ConnectionsAndServersThatCannotBeUsedSayWhyOnce) {
  vigil::test::PgServer server;
  ASSERT_TRUE(server.Ok()) << "cannot start PostgreSQL in " << server.Folder();
  vigil::test::TempFolder dir;
  std::string error;
  const auto dbPath = dir.path() / results::kResultsFileName;
  auto station = results::ResultsDatabase::Open(dbPath, error);
  ASSERT_TRUE(station && test::StoreDay(*station, dir.path(), 0, 0.0)) << error;
  const std::string newer = server.NewDatabase("newer");
  {
    pqxx::connection admin(newer);
    pqxx::nontransaction(admin).exec(
        "CREATE TABLE schema_version (version INTEGER); INSERT INTO schema_version VALUES (99)");
  }
  struct Case {
    const char* what;
    std::string connection;
    ReplicationCode code;
    const char* says;
  };
  const std::string pw = vigil::test::PgServer::kPassword;
  const Case cases[] = {
      // libpq quotes the word it stumbled over: here a piece of the password.
      {"bad string", "host=/tmp port=5432 password=" + pw + " Pw-tail", ReplicationCode::kBadConnection,
       "replication.conf: the connection string is not valid: "},
      {"wrong password", server.Connection("postgres", "not-" + pw), ReplicationCode::kRefused,
       "refused the login: "},
      {"no server", "host=" + (dir.path() / "nothing").string() + " user=vigil password=" + pw,
       ReplicationCode::kUnreachable, "cannot be reached: "},
      {"newer tables", newer, ReplicationCode::kNewerServer,
       "tables are of a newer version (99) than this program (3): nothing is copied"},
  };
  for (const Case& c : cases) {
    const ReplicationStatus s = Replicator(dbPath, c.connection, 10).RunBatch();
    EXPECT_EQ(s.code, c.code) << c.what << ": " << s.message;
    EXPECT_NE(s.message.find(c.says), std::string::npos) << c.what << ": " << s.message;
    EXPECT_EQ(s.message.find(pw), std::string::npos) << c.what << ": " << s.message;
    EXPECT_EQ(s.message.find("Pw-tail"), std::string::npos) << c.what << ": " << s.message;
    EXPECT_EQ(s.message.find('\n'), std::string::npos) << c.what << ": one line";
  }

  // A server of version 1 is brought up to the current version and copied to.
  const std::string older = server.NewDatabase("older");
  {
    pqxx::connection admin(older);
    ASSERT_EQ(PrepareServerSchema(admin, error, 1), SchemaOutcome::kReady) << error;
  }
  EXPECT_EQ(Replicator(dbPath, older, 10).RunBatch().code, ReplicationCode::kUpToDate);
  pqxx::connection admin(older);
  pqxx::read_transaction read(admin);
  EXPECT_EQ(read.exec("SELECT version FROM schema_version")[0][0].as<int>(), kServerSchemaVersion);
  EXPECT_EQ(
      read.exec("SELECT count(*) FROM pg_indexes WHERE indexname = 'point_results_by_point'")[0][0].as<int>(),
      1);
  EXPECT_EQ(ServerRows(older), LocalRows(station->Raw()));
}

// The station's alarms and status as the dashboard reads them: a state that closes and one
// that goes, a new event, a status that moved on, each ending up on the server as on the station.
TEST(Replication, AlarmsAndStatusFollowTheStation) {
  vigil::test::PgServer server;
  ASSERT_TRUE(server.Ok()) << "cannot start PostgreSQL in " << server.Folder();
  vigil::test::TempFolder dir;
  std::string error;
  const auto dbPath = dir.path() / results::kResultsFileName;
  auto station = results::ResultsDatabase::Open(dbPath, error);
  ASSERT_TRUE(station && test::StoreDay(*station, dir.path(), 0, 0.0)) << error;
  const std::string connection = server.Connection();
  const char* tables[] = {
      "SELECT id, file, time_ms, kind, point, level, quantity, value, limit_value, why FROM alarm_events",
      "SELECT point, level, open, confirmed, beyond_cycles FROM alarm_states",
      "SELECT updated_ms, last_cycle_ms, next_cycle_ms, link FROM station_status"};
  auto local = [&] {
    std::vector<std::string> out;
    for (const char* t : tables) {
      results::Statement s = station->Raw().Prepare(std::string(t) + " ORDER BY 1, 2");
      while (s.Step()) {
        std::string line;
        for (int c = 0; c < s.Columns(); ++c) line += "|" + (s.IsNull(c) ? "NULL" : s.Text(c));
        out.push_back(line);
      }
    }
    return out;
  };
  auto remote = [&] {
    std::vector<std::string> out;
    pqxx::connection c(connection);
    pqxx::read_transaction read(c);
    for (const char* t : tables) {
      for (const auto& row :
           read.exec(std::string(t) + " WHERE project = 'DAM' AND station = 'P1' ORDER BY 1, 2")) {
        std::string line;
        for (const auto& f : row) line += "|" + (f.is_null() ? "NULL" : f.as<std::string>());
        out.push_back(line);
      }
    }
    return out;
  };
  ASSERT_TRUE(station->Raw().Execute(
      "INSERT INTO alarm_events VALUES (1, 'DAM', 'P1', 'a.vgl', 100, 'raised', 'M1', 'alert', 'level', "
      "12.5, 10.5, "
      "''), (2, 'DAM', 'P1', 'a.vgl', 100, 'raised', 'M2', 'alarm', 'east', NULL, NULL, 'no result');"
      "INSERT INTO alarm_states VALUES ('DAM', 'P1', 'M1', 'alert', 1, 0, 1), ('DAM', 'P1', 'M2', 'alarm', "
      "1, 1, 2);"
      "INSERT INTO station_status VALUES ('DAM', 'P1', 5, 4, 3600004, 'up')"));
  Replicator replicator(dbPath, connection, 10);
  ASSERT_EQ(CatchUp(replicator).code, ReplicationCode::kUpToDate);
  EXPECT_EQ(remote(), local());
  ASSERT_TRUE(station->Raw().Execute(
      "INSERT INTO alarm_events VALUES (3, 'DAM', 'P1', 'b.vgl', 200, 'closed', 'M1', 'alert', 'level', "
      "1.25, 10.5, '');"
      "UPDATE alarm_states SET open = 0 WHERE point = 'M1'; DELETE FROM alarm_states WHERE point = 'M2';"
      "UPDATE station_status SET updated_ms = 6, link = 'down'"));
  ASSERT_EQ(CatchUp(replicator).code, ReplicationCode::kUpToDate);
  EXPECT_EQ(remote(), local());
  // Written twice (the station restarted and forgot what it sent): the same rows.
  ASSERT_EQ(CatchUp(*std::make_unique<Replicator>(dbPath, connection, 10)).code, ReplicationCode::kUpToDate);
  EXPECT_EQ(remote(), local());
}

}  // namespace
}  // namespace vigil::replication
