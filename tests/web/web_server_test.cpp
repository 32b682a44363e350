// The dashboard reading the replication server: two stations copied there by the replication
// itself, the station list showing both with their highest open level, one station's answers
// and refusals the same as from its own database, a server of other tables refused with one
// message.
#include <gtest/gtest.h>

#include <pqxx/pqxx>

#include <filesystem>

#include "PgServer.h"
#include "SteppingSite.h"
#include "TempFolder.h"
#include "alarms/AlarmLimitsFile.h"
#include "replication/Replicator.h"
#include "results/ResultsDatabase.h"
#include "results/Sqlite.h"
#include "web/DashboardRoutes.h"
#include "web/RequestTarget.h"
#include "webpg/PgDashboardData.h"

namespace vigil::web {
namespace {

namespace fs = std::filesystem;

Reply Answer(DashboardData& data, const alarms::AlarmLimits& limits, const std::string& target) {
  RequestTarget t;
  EXPECT_EQ(ParseRequestTarget(target, t), TargetStatus::kOk) << target;
  return Route(data, &limits, t);
}

TEST(WebServerData, TwoStationsFromTheServerAnswerAsFromTheirOwnFiles) {
  vigil::test::PgServer server;
  ASSERT_TRUE(server.Ok()) << "cannot start PostgreSQL in " << server.Folder();
  vigil::test::TempFolder folder;
  std::string error;
  ASSERT_TRUE(test::WriteSteppingSite(folder.path(), error)) << error;
  const fs::path first = folder.path() / results::kResultsFileName;
  const fs::path second = folder.path() / "second.sqlite";
  fs::copy_file(first, second);
  {
    // The second station: the same cycles under another name, its alarms closed.
    auto db = results::Database::Open(second, error);
    ASSERT_TRUE(db && db->Execute("UPDATE cycles SET station = 'P2'; UPDATE alarm_events SET station = 'P2';"
                                  "UPDATE alarm_states SET station = 'P2', open = 0;"
                                  "INSERT INTO station_status VALUES ('DAM', 'P2', 9, 8, 3600008, 'lost')"))
        << error;
    auto one = results::Database::Open(first, error);
    ASSERT_TRUE(one && one->Execute("INSERT INTO station_status VALUES ('DAM', 'P1', 7, 6, 3600006, 'up')"));
  }
  const std::string connection = server.NewDatabase("stations");
  for (const fs::path& db : {first, second}) {
    replication::Replicator replicator(db, connection, 100);
    ASSERT_EQ(replicator.RunBatch().code, replication::ReplicationCode::kUpToDate) << db;
  }

  std::unique_ptr<DashboardData> pg = webpg::OpenServerDashboard(connection, error);
  ASSERT_TRUE(pg) << error;
  std::unique_ptr<DashboardData> file = DashboardData::Open(first, error);
  ASSERT_TRUE(file) << error;
  alarms::AlarmLimits limits;
  ASSERT_TRUE(alarms::ParseAlarmLimits(test::kSteppingLimits, limits, error)) << error;

  const std::string index = Answer(*pg, limits, "/").body;
  for (const char* shown : {"DAM P1</a>", "DAM P2</a>", "link up", "link lost",
                            "<span class=\"level-action\">action</span>", "<span class=\"level-none\">none"})
    EXPECT_NE(index.find(shown), std::string::npos) << shown << " in " << index;

  const std::string markup = EncodeSegment(test::kMarkupPoint);
  for (const std::string& target : std::vector<std::string>{
           "/api/s/DAM/P1/points", "/api/s/DAM/P1/events", "/api/s/DAM/P1/points/M1/series",
           "/api/s/DAM/P1/points/" + markup + "/series", "/s/DAM/P1/results.csv", "/s/DAM/P1/results.geojson",
           "/s/DAM/P1/point/M1", "/api/s/DAM/P1/points/M9/series", "/s/DAM/P9/", "/s/DAM/P9/point/M1",
           "/api/s/DAM/P1/points/" + markup + "x/series"}) {
    const Reply a = Answer(*pg, limits, target), b = Answer(*file, limits, target);
    EXPECT_EQ(a.status, b.status) << target;
    EXPECT_EQ(a.body, b.body) << target;
    EXPECT_GT(b.body.size(), 20u) << target;
  }
  EXPECT_EQ(Answer(*pg, limits, "/s/DAM/P2/").status, 200);

  // Tables of another version: one message, naming the server without its password.
  const std::string older = server.NewDatabase("older");
  pqxx::connection admin(older);
  pqxx::nontransaction(admin).exec(
      "CREATE TABLE schema_version (version INTEGER); INSERT INTO schema_version VALUES (2)");
  EXPECT_FALSE(webpg::OpenServerDashboard(older, error));
  EXPECT_NE(error.find("its tables are of version 2, this program reads version 3"), std::string::npos)
      << error;
  EXPECT_EQ(error.find(vigil::test::PgServer::kPassword), std::string::npos) << error;
  EXPECT_FALSE(webpg::OpenServerDashboard(server.Connection("postgres", "wrong"), error));
  EXPECT_EQ(error.find(vigil::test::PgServer::kPassword), std::string::npos) << error;
}

}  // namespace
}  // namespace vigil::web
