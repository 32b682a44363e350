#include "demo/OfficeResults.h"

#include <climits>
#include <cmath>
#include <sstream>

#include "platform/Files.h"
#include "platform/Format.h"
#include "results/ResultsDatabase.h"
#include "results/ResultsTool.h"

namespace vigil::demo {

namespace {

bool Same(const results::StoredPoint& a, const results::StoredPoint& b) {
  constexpr double kMm = 1e-9;
  return a.file == b.file && a.point == b.point && a.timeMs == b.timeMs && a.positioned == b.positioned &&
         a.corrected == b.corrected && a.hasDisplacement == b.hasDisplacement &&
         a.significant == b.significant && std::fabs(a.eastMm - b.eastMm) < kMm &&
         std::fabs(a.northMm - b.northMm) < kMm && std::fabs(a.levelMm - b.levelMm) < kMm &&
         std::fabs(a.sigmaEastMm - b.sigmaEastMm) < kMm && a.hasVelocity == b.hasVelocity &&
         std::fabs(a.eastMmPerDay - b.eastMmPerDay) < kMm;
}

int Tool(const std::vector<std::string>& args, std::string& output) {
  std::ostringstream out, err;
  const int code = results::RunResultsTool(args, out, err);
  output = out.str() + err.str();
  return code;
}

}  // namespace

OfficeResults ImportAtTheOffice(const std::filesystem::path& home, const std::filesystem::path& stick,
                                const std::string& project, const std::string& station) {
  OfficeResults r;
  const std::filesystem::path office = home / "office";
  const std::filesystem::path officeDb = office / results::kResultsFileName;
  std::error_code ec;
  std::filesystem::remove_all(office, ec);
  platform::CreateFolder(office);
  const std::string p = platform::PathText(home);
  std::string output;
  const int imported =
      Tool({"import", "--settings", p + "/Station/" + project + "_" + station + ".txt", "--training",
            p + "/Training/" + project + "_" + station + ".ini", "--evaluation", p + "/evaluation.conf",
            "--db", platform::PathText(officeDb), platform::PathText(stick)},
           output);
  r.text += "office: vigil-results " + output;
  if (imported != 0) r.problems.push_back("the office import failed: " + output);
  const std::string db = platform::PathText(officeDb);
  if (Tool({"export", "--db", db, "--out", platform::PathText(office / "displacements.csv")}, output) != 0 ||
      Tool({"export", "--db", db, "--format", "geojson", "--out",
            platform::PathText(office / "points.geojson")},
           output) != 0 ||
      Tool({"report", "--db", db, "--out", platform::PathText(office / "report.txt")}, output) != 0)
    r.problems.push_back("the office export failed: " + output);

  std::string error;
  auto stationDb = results::ResultsDatabase::Open(home / "Data" / results::kResultsFileName, error);
  auto officeResults = results::ResultsDatabase::Open(officeDb, error);
  if (!stationDb || !officeResults) {
    r.problems.push_back("a results database cannot be opened: " + error);
    return r;
  }
  const auto a = stationDb->Points(project, station, "", LLONG_MIN, LLONG_MAX);
  const auto b = officeResults->Points(project, station, "", LLONG_MIN, LLONG_MAX);
  r.agrees = !a.empty() && a.size() == b.size();
  for (std::size_t i = 0; r.agrees && i < a.size(); ++i) r.agrees = Same(a[i], b[i]);
  r.text += platform::Format(
      "office: %d point results from the stick, %s the station's own %d\n",
      {static_cast<int>(b.size()), r.agrees ? "equal to" : "NOT EQUAL to", static_cast<int>(a.size())});
  if (!r.agrees) r.problems.push_back("the office import differs from the station's results database");
  r.text += "office files:    " + platform::PathText(office) +
            " (results.sqlite, displacements.csv, points.geojson, report.txt)\n";
  return r;
}

}  // namespace vigil::demo
