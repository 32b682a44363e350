#include <chrono>

#include "demo/AlarmReport.h"
#include "demo/DashboardShots.h"
#include "demo/DemoOptions.h"
#include "demo/DemoWorld.h"
#include "demo/OfficeResults.h"
#include "demo/Operator.h"
#include "demo/Screenshots.h"
#include "evaluation/EvaluationSettings.h"
#include "monitoring/CycleFileName.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "results/ResultsDatabase.h"
#include "training/TrainingFile.h"
#include "training/TrainingStore.h"

namespace vigil::demo {

namespace {

// Files of an earlier demo run of the same project-station (a run may have been killed):
// without this, the new project-station would be refused as existing.
void ClearEarlierRun(const store::StorageLayout& layout, const std::filesystem::path& stick) {
  platform::DeleteFileAt(layout.StationFilePath(kProject, kStation));
  platform::DeleteFileAt(layout.TrainingFilePath(kProject, kStation));
  const std::string prefix = std::string(kStation) + "_" + kProject + "_*.vgl";
  for (const std::string& name : platform::FindFiles(layout.DataFolder(), prefix)) {
    platform::DeleteFileAt(layout.DataFolder() / name);
  }
  for (const std::string& name : platform::FindFiles(stick, prefix)) platform::DeleteFileAt(stick / name);
  const std::filesystem::path db = layout.DataFolder() / results::kResultsFileName;
  for (const char* suffix : {"", "-wal", "-shm"}) platform::DeleteFileAt(db.string() + suffix);
}

// The operator states the instrument's precision for the evaluation: the simulated noise.
bool WriteEvaluationSettings(const std::filesystem::path& home, const sim::Scenario& site) {
  return platform::WriteFileBytesAtomic(
      home / evaluation::kEvaluationFileName,
      platform::Format("# The instrument's stated precision of one reading\n"
                       "angle_sigma_mgon = %.3lf\ndistance_sigma_mm = %.3lf\ndistance_sigma_ppm = %.3lf\n"
                       "confidence = 0.95\nreference_confidence = 0.999\nvelocity_window_days = 2\n",
                       {site.angleNoiseMgon, site.distanceNoiseMm, site.distanceNoisePpm}));
}

std::string StationName(const CorrectedTable& table, const std::string& simPrism) {
  for (const CorrectedRow& row : table.rows) {
    if (row.simPrism == simPrism) return row.point;
  }
  return simPrism;
}

std::vector<training::TrainingPoint> TrainedPoints(ui::AppContext& context) {
  training::TrainingStore list(context.Settings(),
                               training::TrainingFileOf(context.Layout(), context.Settings()));
  list.LoadTrainingFile();
  return list.Rows();
}

}  // namespace

DemoReport RunDemo(const DemoOptions& options) {
  DemoReport report;
  const auto wallStart = std::chrono::steady_clock::now();
  DemoSite site;
  std::string error;
  if (!LoadDemoSite(options.scenarioPath, site, error)) {
    report.problems.push_back("scenario " + platform::PathText(options.scenarioPath) + ": " + error);
    report.text = report.problems.back() + "\n";
    return report;
  }
  if (!platform::CreateFolder(options.outputFolder)) {
    report.problems.push_back("cannot create " + platform::PathText(options.outputFolder));
    report.text = report.problems.back() + "\n";
    return report;
  }
  const int days = options.days < 1 ? 1 : options.days;

  DemoWorld world(site, options.outputFolder);
  ui::ScriptedHost& host = world.Host();
  host.SetFailureHandler([&report](const std::string& what) { report.problems.push_back(what); });
  std::unique_ptr<Screenshots> shots =
      MakeScreenshots(options.screens, world.Loop(), world.DeviceRoot(), options.outputFolder / "screens");
  Operator op(world, site, *shots, days);
  ClearEarlierRun(world.Layout(), op.StickFolder());
  if (!WriteEvaluationSettings(options.outputFolder, site.scenario))
    report.problems.push_back("cannot write the evaluation settings");
  if (!world.Start()) report.problems.push_back("the simulated instrument could not start");

  op.ScriptEnableAndNewStation();
  op.ScriptManualResection();
  op.ScriptTraining();
  op.ScriptResectionOnTrained();
  op.ScriptMonitoringDays();
  op.ScriptDownload();
  op.ScriptDisableAndClose();
  AlarmDemo alarmDemo(options.outputFolder, world.Hooks().Alarms());
  host.Run(world.App().Window());
  for (const std::string& step : host.RemainingSteps()) report.problems.push_back("not done: " + step);
  for (const std::string& p : op.Problems()) report.problems.push_back(p);

  report.cycles = ReadCycleFiles(op.StickFolder());
  report.table = CompareDisplacements(site.scenario, TrainedPoints(world.App().Context()), op.TrainedAtMs(),
                                      report.cycles);
  report.pictures = shots->Saved();
  {
    std::string dbError;
    auto db =
        results::ResultsDatabase::Open(world.Layout().DataFolder() / results::kResultsFileName, dbError);
    if (db) {
      report.corrected = CompareCorrected(site.scenario, TrainedPoints(world.App().Context()),
                                          op.TrainedAtMs(), *db, kProject, kStation);
    } else {
      report.problems.push_back("the station's results database: " + dbError);
    }
  }
  for (const std::string& p : report.corrected.referenceProblems) report.problems.push_back(p);
  const OfficeResults office = ImportAtTheOffice(options.outputFolder, op.StickFolder(), kProject, kStation);
  report.officeAgrees = office.agrees;
  const DashboardShots dashboard =
      options.screens
          ? TakeDashboardShots(BuiltDashboardPaths(), world.Layout().DataFolder() / results::kResultsFileName,
                               options.outputFolder / "alarms.conf", kProject, kStation, "",
                               options.outputFolder / "screens")
          : DashboardShots{};
  for (const std::string& p : office.problems) report.problems.push_back(p);

  std::string& text = report.text;
  text += "VigilStation demo: " + platform::PathText(options.scenarioPath) + ", " +
          platform::Format("%d simulated day(s)\n", {days});
  for (const std::string& note : op.Notes()) text += "note: " + note + "\n";
  text +=
      "\nEvery prism's displacement since training, corrected from the reference prisms of each cycle,\n"
      "beside the raw difference of the Differences page (the pillar's own settling and twist in it):\n\n" +
      FormatCorrected(report.corrected) + "\n";
  text +=
      platform::Format("cycle files: %d on the stick, %d unreadable; %d measured lines, %d failed lines\n",
                       {report.cycles.files, report.cycles.unreadable, report.cycles.measuredLines,
                        report.cycles.failedLines});
  const auto layout = world.Layout();
  text += "project-station: " + platform::PathText(layout.StationFilePath(kProject, kStation)) + "\n";
  text += "training file:   " + platform::PathText(layout.TrainingFilePath(kProject, kStation)) + "\n";
  text += "cycle files:     " + platform::PathText(layout.DataFolder()) + "\n";
  text += "USB stick copy:  " + platform::PathText(op.StickFolder()) + "\n";
  text += "results:         " + platform::PathText(layout.DataFolder() / results::kResultsFileName) + "\n";
  text += office.text;
  const AlarmOutcome alarms = alarmDemo.Finish(
      layout.DataFolder() / results::kResultsFileName, site.scenario, op.TrainedAtMs(),
      StationName(report.corrected, kSteppingPrism), StationName(report.corrected, kHiddenPrism));
  text += "\n" + alarms.text;
  for (const std::string& p : alarmDemo.Problems()) report.problems.push_back(p);
  if (alarms.stepExpected && !alarms.steppingRaised)
    report.problems.push_back(std::string(kSteppingPrism) + " raised no alarm");
  if (alarms.hiddenRaisedAnything) report.problems.push_back(std::string(kHiddenPrism) + " raised an alarm");
  if (!report.pictures.empty()) {
    text += platform::Format("screens:         %d pictures in ", {static_cast<int>(report.pictures.size())}) +
            platform::PathText(options.outputFolder / "screens") + "\n";
  }
  if (!dashboard.pictures.empty())
    text += "dashboard:       vigil-web's overview and plots in the same folder\n";
  if (!dashboard.note.empty()) text += "note: " + dashboard.note + "\n";
  report.pictures.insert(report.pictures.end(), dashboard.pictures.begin(), dashboard.pictures.end());
  for (const std::string& p : report.problems) text += "problem: " + p + "\n";
  const bool filesGood =
      report.cycles.files > 0 && report.cycles.unreadable == 0 && report.cycles.measuredLines > 0;
  if (!filesGood) text += "problem: no readable cycle files on the stick\n";
  report.exitCode = report.problems.empty() && filesGood && report.corrected.outside == 0 &&
                            !report.corrected.rows.empty() && report.officeAgrees
                        ? 0
                        : 1;
  const double wallSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
  text += platform::Format("%s in %.1lf s\n", {report.exitCode == 0 ? "PASSED" : "FAILED", wallSeconds});
  return report;
}

}  // namespace vigil::demo
