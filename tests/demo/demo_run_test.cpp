// The whole demo for one simulated day against the dam-wall site, without pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "TempFolder.h"
#include "demo/DemoOptions.h"
#include "platform/Files.h"
#include "sim/ScenarioLoader.h"

namespace vigil::demo {
namespace {

const std::filesystem::path kScenario =
    std::filesystem::path(VIGIL_SOURCE_DIR) / "sim/scenarios/dam-wall.json";

DemoOptions OneDay(const std::filesystem::path& out) {
  DemoOptions o;
  o.outputFolder = out;
  o.scenarioPath = kScenario;
  o.days = 1;
  o.screens = false;
  return o;
}

const DisplacementRow* RowOf(const DemoReport& r, const std::string& simPrism) {
  for (const DisplacementRow& row : r.table.rows) {
    if (row.simPrism == simPrism) return &row;
  }
  return nullptr;
}

class DemoRun : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new vigil::test::TempFolder();
    report_ = new DemoReport(RunDemo(OneDay(folder_->path())));
  }
  static void TearDownTestSuite() {
    delete report_;
    delete folder_;
  }
  static vigil::test::TempFolder* folder_;
  static DemoReport* report_;
};
vigil::test::TempFolder* DemoRun::folder_ = nullptr;
DemoReport* DemoRun::report_ = nullptr;

TEST_F(DemoRun, EveryStepIsDoneAndEveryCorrectedDisplacementIsTheTruthWithinItsUncertainty) {
  const DemoReport& r = *report_;
  EXPECT_EQ(r.exitCode, 0) << r.text;
  EXPECT_TRUE(r.problems.empty()) << r.text;
  EXPECT_TRUE(r.officeAgrees) << "the stick's import gives the station's own results";
  sim::Scenario site;
  std::string error;
  ASSERT_TRUE(sim::LoadScenarioFile(kScenario, site, error)) << error;
  ASSERT_EQ(r.corrected.rows.size(), site.prisms.size()) << "every prism trained once";
  double worstRawMm = 0.0;
  for (const CorrectedRow& row : r.corrected.rows) {
    EXPECT_TRUE(row.measured && row.corrected) << row.point;
    EXPECT_LE(row.largestSigmas, kAllowedSigmas) << row.point;
    worstRawMm = std::max(
        {worstRawMm, std::fabs(row.raw.eMm - row.simulated.eMm), std::fabs(row.raw.nMm - row.simulated.nMm)});
  }
  EXPECT_GT(worstRawMm, 2.0) << "the pillar's twist shows in the raw differences";
  const auto stepping = std::find_if(r.corrected.rows.begin(), r.corrected.rows.end(),
                                     [](const CorrectedRow& row) { return row.simPrism == "REF003"; });
  ASSERT_NE(stepping, r.corrected.rows.end());
  EXPECT_NE(r.text.find("excluded " + stepping->point + ": moved"), std::string::npos)
      << "the stepping reference is left out";
  EXPECT_TRUE(r.pictures.empty());
}

TEST_F(DemoRun, TheStepAndTheTypesShowInWhatTheProgramReports) {
  const DemoReport& r = *report_;
  struct Case {
    const char* prism;
    const char* namePrefix;  ///< the program's name after the type was chosen
    double dnMinMm;          ///< reported northing shift at least (mm)
    const char* comment;
  };
  const Case cases[] = {
      {"CRS004", "XYZ", 9.0, "the 12 mm step of the evening is reported"},
      {"REF001", "REF", -3.0, "reference prisms renamed by their type"},
      {"SPW001", "CON", -3.0, "connection prism retrained with its -7 mm (else 23 mm off radially)"},
      {"FCE003", "SHT", -3.0, "sheet retrained without constant"},
  };
  for (const Case& c : cases) {
    const DisplacementRow* row = RowOf(r, c.prism);
    ASSERT_NE(row, nullptr) << c.comment;
    EXPECT_EQ(row->point.substr(0, 3), c.namePrefix) << c.comment;
    EXPECT_GE(row->reported.nMm, c.dnMinMm) << c.comment;
  }
}

TEST_F(DemoRun, TheDownloadedCycleFilesParseAndOnlyTheHiddenPrismFailed) {
  const CycleFileSummary& c = report_->cycles;
  EXPECT_EQ(c.files, 6) << "six cycles a day";
  EXPECT_EQ(c.unreadable, 0);
  // 14 prisms, two faces, two repeats
  EXPECT_EQ(c.measuredLines + c.failedLines, 6 * 14 * 2 * 2);
  ASSERT_EQ(c.failedByPoint.size(), 1u);
  const DisplacementRow* hidden = RowOf(*report_, "CRS005");
  ASSERT_NE(hidden, nullptr);
  EXPECT_EQ(c.failedByPoint.begin()->first, hidden->point) << "behind the crane at 09:00";
  EXPECT_EQ(c.failedLines, 4) << "both faces, both repeats, once a day";
}

TEST_F(DemoRun, TheFilesAreLeftInTheOutputFolder) {
  const std::filesystem::path out = folder_->path();
  EXPECT_TRUE(platform::FileExists(out / "Station" / "DAM_LEFTBANK.txt"));
  EXPECT_TRUE(platform::FileExists(out / "Training" / "DAM_LEFTBANK.ini"));
  EXPECT_EQ(platform::FindFiles(out / "Data", "*.vgl").size(), 6u);
  EXPECT_EQ(platform::FindFiles(out / "device" / "Removable Disk" / "VIGIL-DEMO", "*.vgl").size(), 6u);
}

TEST(DemoRunAgain, ASecondRunIntoTheSameFolderStartsAfresh) {
  // A killed or finished run leaves its project-station; the next one must not be refused.
  vigil::test::TempFolder folder;
  DemoOptions o = OneDay(folder.path());
  ASSERT_TRUE(platform::CreateFolder(folder.path() / "Station"));
  ASSERT_TRUE(
      platform::WriteUtf16FileAtomic(folder.path() / "Station" / "DAM_LEFTBANK.txt", "project=DAM\r\n"));
  const DemoReport r = RunDemo(o);
  EXPECT_EQ(r.exitCode, 0) << r.text;
}

// Started at 23:30 on 31 December the start day has no cycle: the download once waited for
// "the day's first cycle" named from the start date until it timed out.
TEST(DemoRunLate, AStartDayWithoutACycleDownloadsTheFirstCycleThereIs) {
  vigil::test::TempFolder folder;
  vigil::test::TempFolder site;
  std::string scenario = platform::ReadFileBytes(kScenario).value_or("");
  const std::string epoch = "\"epoch\": \"2026-12-07T07:00:00\"";
  ASSERT_NE(scenario.find(epoch), std::string::npos);
  scenario.replace(scenario.find(epoch), epoch.size(), "\"epoch\": \"2026-12-31T23:30:00\"");
  ASSERT_TRUE(platform::WriteFileBytesAtomic(site.path() / "late.json", scenario));
  DemoOptions o = OneDay(folder.path());
  o.scenarioPath = site.path() / "late.json";
  const DemoReport r = RunDemo(o);
  EXPECT_EQ(r.exitCode, 0) << r.text;
  EXPECT_TRUE(r.problems.empty()) << r.problems.front();
}

TEST(DemoRunBad, AMissingScenarioIsAProblemNotACrash) {
  vigil::test::TempFolder folder;
  DemoOptions o = OneDay(folder.path());
  o.scenarioPath = folder.path() / "none.json";
  const DemoReport r = RunDemo(o);
  EXPECT_NE(r.exitCode, 0);
  ASSERT_FALSE(r.problems.empty());
  EXPECT_NE(r.problems[0].find("none.json"), std::string::npos);
}

}  // namespace
}  // namespace vigil::demo
