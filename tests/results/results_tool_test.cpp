// vigil-results from its command line: exit codes and messages for every kind of bad request,
// and an import whose CSV and GeoJSON exports carry every point and cycle.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "SyntheticSite.h"
#include "TempFolder.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "results/ResultsTool.h"
#include "training/TrainingFileFormat.h"

namespace vigil::results {
namespace {

struct ToolRun {
  int code;
  std::string out, err;
};

ToolRun Tool(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = RunResultsTool(args, out, err);
  return {code, out.str(), err.str()};
}

TEST(ResultsTool, RequestsItCannotServeEndWithTheirReasonAndExitCode) {
  test::TempFolder dir;
  const std::string d = platform::PathText(dir.path());
  struct Case {
    std::vector<std::string> args;
    int code;
    const char* said;  // on stderr (stdout for --help)
  };
  const Case cases[] = {
      {{"--help"}, 0, "usage: vigil-results import"},
      {{}, 2, "no command given"},
      {{"compress"}, 2, "unknown command compress"},
      {{"export", "--verbose"}, 2, "unknown option --verbose"},
      {{"export", "--db"}, 2, "--db needs a value"},
      {{"export"}, 2, "needs --db FILE or --home DIR"},
      {{"export", "--db", d + "/none.sqlite"}, 1, "no results database at"},
      {{"import", "--db", d + "/r.sqlite"}, 2, "import needs --settings FILE"},
      {{"import", "--settings", d + "/none.txt", "--db", d + "/r.sqlite"}, 1, "not a project-station file"},
      {{"export", "--db", d + "/r.sqlite", "--from", "7.12.2026"}, 2, "--from and --to take"},
  };
  for (const Case& c : cases) {
    const ToolRun r = Tool(c.args);
    EXPECT_EQ(r.code, c.code) << c.said;
    EXPECT_NE((c.code == 0 ? r.out : r.err).find(c.said), std::string::npos) << r.err;
  }
}

TEST(ResultsTool, AnImportedFolderExportsEveryPointAndCycle) {
  test::TempFolder dir;
  const survey::StationPosition station{2250.0, 5120.0, 438.15};
  ASSERT_TRUE(platform::CreateFolder(dir.path() / "Station"));
  ASSERT_TRUE(platform::CreateFolder(dir.path() / "Training"));
  ASSERT_TRUE(platform::CreateFolder(dir.path() / "Data"));
  ASSERT_TRUE(
      platform::WriteUtf16FileAtomic(dir.path() / "Station" / "DAM_P1.txt", "project=DAM\r\nstation=P1\r\n"));
  std::string training = "Stat\tName\tHa\tVa\tSD\tEasting\tNorthing\tRL\tType\tLabel\r\n";
  for (const evaluation::TrainedPoint& t : evaluation::test::Trained(station)) {
    training += platform::Format(
        "1\t%s\t%.5lf\t%.5lf\t%.4lf\t%.4lf\t%.4lf\t%.4lf\t%d\t\r\n",
        {t.name, t.haGon, t.vaGon, t.sdMetres, t.eastingMetres, t.northingMetres, t.rlMetres, t.prismType});
  }
  ASSERT_TRUE(platform::WriteUtf16FileAtomic(dir.path() / "Training" / "DAM_P1.ini", training));
  for (int cycle : {1, 2})
    ASSERT_TRUE(platform::WriteUtf16FileAtomic(
        dir.path() / "Data" / platform::Format("P1_DAM_08-Dec-2026_Cycle_%d.vgl", {cycle}),
        evaluation::test::CycleText(station, station, 0.0, cycle)));
  const std::string home = platform::PathText(dir.path());
  const ToolRun imported = Tool({"import", "--home", home, "--project", "DAM", "--station", "P1"});
  ASSERT_EQ(imported.code, 0) << imported.err;
  EXPECT_NE(imported.out.find("imported 2 cycles of DAM P1 (2 corrected"), std::string::npos) << imported.out;

  const ToolRun csv = Tool({"export", "--home", home});
  ASSERT_EQ(csv.code, 0) << csv.err;
  const std::vector<std::string> lines = platform::Split(csv.out, "\r\n");
  ASSERT_EQ(lines.size(), 1u + 2 * 8 + 1) << "a header, 8 points in 2 cycles, the final line end";
  for (const char* column : {"time", "point", "dE_mm", "dN_mm", "dH_mm", "sigma_dE_mm", "significant"})
    EXPECT_NE(lines[0].find(column), std::string::npos) << column;
  const ToolRun geojson = Tool({"export", "--home", home, "--format", "geojson", "--point", "M1"});
  ASSERT_EQ(geojson.code, 0) << geojson.err;
  EXPECT_NE(geojson.out.find("\"point\": \"M1\""), std::string::npos);
  EXPECT_EQ(geojson.out.find("\"point\": \"M2\""), std::string::npos) << "only the point asked for";
  const ToolRun report = Tool({"report", "--home", home, "--from", "2026-12-08", "--to", "2026-12-08"});
  ASSERT_EQ(report.code, 0) << report.err;
  EXPECT_NE(report.out.find("Cycles: 2 from 2026-12-08"), std::string::npos) << report.out;
}

}  // namespace
}  // namespace vigil::results
