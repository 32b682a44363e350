// vigil-results with --pg: cycle files imported into the server, and exports and reports read
// back from it giving what the station's own database gives.
#include <gtest/gtest.h>

#include <sstream>

#include "PgServer.h"
#include "ReplicationFixture.h"
#include "TempFolder.h"
#include "replication/ServerResults.h"

namespace vigil::replication {
namespace {

struct ToolRun {
  int code;
  std::string out, err;
};

ToolRun Tool(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = RunResultsProgram(args, out, err);
  return {code, out.str(), err.str()};
}

TEST(ResultsToolServer, ImportedToTheServerExportsAsTheStationsOwnDatabase) {
  vigil::test::PgServer server;
  ASSERT_TRUE(server.Ok()) << "cannot start PostgreSQL in " << server.Folder();
  vigil::test::TempFolder dir;
  for (const char* folder : {"Station", "Training", "Data"})
    ASSERT_TRUE(platform::CreateFolder(dir.path() / folder));
  ASSERT_TRUE(
      platform::WriteUtf16FileAtomic(dir.path() / "Station" / "DAM_P1.txt", "project=DAM\r\nstation=P1\r\n"));
  std::string training = "Stat\tName\tHa\tVa\tSD\tEasting\tNorthing\tRL\tType\tLabel\r\n";
  for (const evaluation::TrainedPoint& t : evaluation::test::Trained(test::kStation)) {
    training += platform::Format(
        "1\t%s\t%.5lf\t%.5lf\t%.4lf\t%.4lf\t%.4lf\t%.4lf\t%d\t\r\n",
        {t.name, t.haGon, t.vaGon, t.sdMetres, t.eastingMetres, t.northingMetres, t.rlMetres, t.prismType});
  }
  ASSERT_TRUE(platform::WriteUtf16FileAtomic(dir.path() / "Training" / "DAM_P1.ini", training));
  for (int day = 0; day < 3; ++day)
    ASSERT_TRUE(platform::WriteUtf16FileAtomic(
        dir.path() / "Data" / platform::Format("P1_DAM_%02d-Dec-2026_Cycle_1.vgl", {8 + day}),
        evaluation::test::CycleText(test::kStation, test::kStation, 0.0, 1,
                                    platform::Format("%02d-12-2026", {8 + day}).c_str(), day / 2.0)));
  const std::string home = platform::PathText(dir.path());
  const std::string pg = server.NewDatabase("office");

  const ToolRun imported =
      Tool({"import", "--pg", pg, "--home", home, "--project", "DAM", "--station", "P1"});
  ASSERT_EQ(imported.code, 0) << imported.err;
  EXPECT_NE(imported.out.find("copied 3 cycles ("), std::string::npos) << imported.out;
  EXPECT_NE(imported.out.find("password=***"), std::string::npos) << imported.out;
  EXPECT_EQ(imported.out.find(vigil::test::PgServer::kPassword), std::string::npos) << imported.out;

  const std::vector<std::vector<std::string>> reads = {
      {"export"},
      {"export", "--format", "geojson", "--point", "M1"},
      {"report", "--from", "2026-12-09", "--to", "2026-12-10"},
  };
  for (std::vector<std::string> args : reads) {
    std::vector<std::string> fromServer = args, fromStation = args;
    fromServer.insert(fromServer.end(), {"--pg", pg});
    fromStation.insert(fromStation.end(), {"--home", home});
    const ToolRun a = Tool(fromServer), b = Tool(fromStation);
    EXPECT_EQ(a.code, 0) << a.err;
    EXPECT_EQ(a.out, b.out) << args[0];
  }
  const ToolRun refused = Tool({"export", "--pg", server.Connection("office", "wrong")});
  EXPECT_EQ(refused.code, 1);
  EXPECT_NE(refused.err.find("password=***: "), std::string::npos) << refused.err;
}

}  // namespace
}  // namespace vigil::replication
