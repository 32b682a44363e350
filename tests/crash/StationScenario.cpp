#include "StationScenario.h"

#include <memory>
#include <utility>

#include "app/StationHooks.h"
#include "monitoring/MonitoringDialog.h"
#include "orientation/OrientationDialog.h"
#include "platform/EventLoop.h"
#include "platform/WindowMessages.h"
#include "sim/SimClock.h"
#include "sim/Simulator.h"
#include "survey/Coordinates.h"
#include "training/NewPointNameDialog.h"
#include "training/TrainingDialog.h"
#include "ui/MonitoringApp.h"
#include "ui/ProjectSelectDialog.h"
#include "ui/StationSettingsSheet.h"
#include "ui/scripted/ScriptedHost.h"
#include "ui/settings/CoordinatesPage.h"
#include "ui/settings/CyclesPage.h"
#include "ui/settings/ReadingPage.h"

namespace vigil::crashtest {
namespace {

using monitoring::MonitoringDialog;
using orientation::OrientationDialog;
using training::NewPointNameDialog;
using training::TrainingDialog;
using ui::MainWindow;
using ui::ScriptedHost;
using ui::StationSettingsSheet;
using ui::TextMatch;
using Sheet = StationSettingsSheet;

constexpr const char* kEnableQuestion =
    "Instrument will initialize to MONITORING setting.  Proceed to Enable?";
constexpr const char* kCaptured = "Target captured and stored. Please move to next point.";
constexpr const char* kStationQuestion = "STATION COORDINATE:\n";
constexpr const char* kStartQuestion = "Start monitoring now?";
constexpr const char* kCompleted = "Monitoring cycle completed.";

// Texts of the boxes that tell the operator a file was not written.
constexpr const char* kWriteFailureTexts[] = {
    "The project-station could not be saved.",
    "The training file could not be written.",
    "The station could not be saved to the project-station file.",
    "The recomputed training observations could not be saved to the training file.",
};

struct Target {
  const char* name;  // the name training gives it
  double eastingMetres;
  double northingMetres;
  double levelMetres;
};
constexpr survey::StationPosition kStation{1000.0, 2000.0, 100.0};
constexpr Target kTargets[] = {{"XYZ001", 1100.0, 2000.0, 100.0}, {"XYZ002", 1000.0, 2100.0, 105.0}};

sim::Scenario Site() {
  sim::Scenario s;
  s.station = {kStation.eastingMetres, kStation.northingMetres, kStation.levelMetres};
  s.angleNoiseMgon = 0.0;
  s.distanceNoiseMm = 0.0;
  s.distanceNoisePpm = 0.0;
  s.tiltNoiseMgon = 0.0;
  for (const Target& t : kTargets)
    s.prisms.push_back({t.name,
                        sim::PrismType::kMonitoring,
                        -30.0,
                        {t.eastingMetres, t.northingMetres, t.levelMetres},
                        {},
                        {}});
  return s;
}

class StationWorld {
 public:
  StationWorld(const std::filesystem::path& home, const ScenarioOptions& options)
      : options_(options),
        loop_(std::make_unique<platform::VirtualTimeDriver>(
            0, platform::LocalDateTime{2026, 12, 7, 8, 0, 0, 0, 1})),
        bus_(platform::MakeInProcessBus()),
        simClock_(*loop_.Virtual()),
        sim_(*bus_, simClock_, Site()),
        host_(loop_),
        app_(loop_, *bus_, host_, store::StorageLayout(platform::Paths(home, home / "device"))) {
    host_.SetFailureHandler([this](const std::string& what) { failures_.push_back(what); });
    if (options_.tolerateWriteFailures) {
      for (const char* text : kWriteFailureTexts) host_.AlwaysAnswer(text, platform::kIdOk);
    }
    sim_.Start();
    app_.SetHooks(&hooks_);
  }
  ~StationWorld() { sim_.Stop(); }

  ScenarioOutcome Run() {
    ScriptSettings();
    ScriptTraining();
    ScriptResection();
    ScriptMonitoring();
    host_.EndAll();
    host_.Run(app_.Window());
    ScenarioOutcome outcome;
    outcome.failures = failures_;
    outcome.messages = host_.MessageTexts();
    outcome.scriptCompleted = failures_.empty() && host_.RemainingSteps().empty();
    outcome.sheetStayedOpen = sheetStayedOpen_;
    outcome.unwrittenReadings = unwritten_;
    outcome.notWrittenLabel = notWrittenLabel_;
    outcome.readingRows = readingRows_;
    return outcome;
  }

 private:
  // A new project-station at the simulated station, measuring face 1 once per point, one
  // cycle per start.
  void ScriptSettings() {
    host_.Press(MainWindow::kEnableButtonId)
        .AnswerMessageBox(kEnableQuestion, platform::kIdYes)
        .WaitForDialog<ui::ProjectSelectDialog>()
        .Press(ui::ProjectSelectDialog::kNewButtonId)
        .WaitForDialog<Sheet>()
        .Select(Sheet::kTabId, Sheet::kCoordinates)
        .Type(ui::CoordinatesPage::kEastingEditId, "1000", Sheet::kCoordinates)
        .Type(ui::CoordinatesPage::kNorthingEditId, "2000", Sheet::kCoordinates)
        .Type(ui::CoordinatesPage::kLevelEditId, "100", Sheet::kCoordinates)
        .Select(Sheet::kTabId, Sheet::kReading)
        .Select(ui::ReadingPage::kSequenceListId, 2, Sheet::kReading)
        .Type(ui::ReadingPage::kRepeatsEditId, "1", Sheet::kReading)
        .Select(Sheet::kTabId, Sheet::kCycles)
        .Select(ui::CyclesPage::kModeListId, ui::CyclesPage::kModeSingle, Sheet::kCycles)
        .Press(Sheet::kOkKeyId);
    // A sheet that could not save stays up with its entries; the operator gives up on it.
    host_.Do("sheet closed or kept", [this] {
      if (auto* sheet = host_.Front<Sheet>()) {
        sheetStayedOpen_ = true;
        sheet->EndDialog(platform::kIdCancel);
      }
    });
    host_.WaitForDialog<MainWindow>();
  }

  ScriptedHost& ScriptPointAt(const Target& t) {
    link::MeasurementEngine& engine = app_.Context().Engine();
    return host_
        .Do(std::string("turn to ") + t.name,
            [this, t] {
              const survey::Observation o =
                  survey::ComputeHaVaSd(kStation, t.eastingMetres, t.northingMetres, t.levelMetres);
              app_.Context().Engine().TurnTo(o.haGon, o.vaGon, nullptr, false, true);
            })
        .WaitUntil("the telescope still", [&engine] { return !engine.Turning() && !engine.Measuring(); });
  }

  void ScriptTraining() {
    host_.Press(MainWindow::kTrainingButtonId)
        .WaitForDialog<TrainingDialog>()
        .Press(TrainingDialog::kPageKeyId);
    for (const Target& t : kTargets) {
      ScriptPointAt(t)
          .Press(TrainingDialog::kKey1Id)
          .WaitForDialog<NewPointNameDialog>()
          .Press(NewPointNameDialog::kOkButtonId)
          .WaitUntil("point measured", [this] {
            auto* d = host_.Front<TrainingDialog>();
            return d != nullptr && !d->MeasurementPending();
          });
    }
    host_.Close().WaitForDialog<MainWindow>();
  }

  void ScriptResection() {
    host_.Press(MainWindow::kOrientationButtonId).WaitForDialog<OrientationDialog>();
    for (const Target& t : kTargets) {
      ScriptPointAt(t)
          .SelectText(OrientationDialog::kListId, t.name)
          .PressSoftKey(2)
          .AnswerMessageBox(std::string("Please make sure that the instrument is now pointing to ") + t.name +
                                ". Continue?",
                            platform::kIdYes);
      if (&t == &kTargets[0]) {
        host_.AnswerMessageBox(kCaptured);
      } else {
        host_.AnswerMessageBox(kStationQuestion, platform::kIdYes, TextMatch::Contains);
      }
    }
    host_.Close().WaitForDialog<MainWindow>();
  }

  void ScriptMonitoring() {
    if (options_.beforeMonitoring) host_.Do("before monitoring", options_.beforeMonitoring);
    host_.Press(MainWindow::kMonitorButtonId).WaitForDialog<MonitoringDialog>();
    for (int c = 0; c < options_.cycles; ++c) {
      host_.Press(MonitoringDialog::kButton1Id)
          .AnswerMessageBox(kStartQuestion, platform::kIdYes)
          .AnswerMessageBox(kCompleted)
          .WaitUntil("cycle ended",
                     [this] {
                       auto* d = host_.Front<MonitoringDialog>();
                       return d != nullptr && !d->Running();
                     })
          .Do("cycle recorded", [this] {
            auto* d = host_.Front<MonitoringDialog>();
            if (d == nullptr) return;  // the screen did not open: nothing measured
            readingRows_.push_back(d->ListRowCount(MonitoringDialog::kReadingsListId));
            unwritten_ = d->UnwrittenReadings();
            notWrittenLabel_ = d->IsShown(MonitoringDialog::kNotWrittenLabelId)
                                   ? d->Text(MonitoringDialog::kNotWrittenLabelId)
                                   : "";
          });
    }
  }

  ScenarioOptions options_;
  platform::EventLoop loop_;
  std::unique_ptr<platform::MessageBus> bus_;
  sim::VirtualSimClock simClock_;
  sim::Simulator sim_;
  ScriptedHost host_;
  ui::MonitoringApp app_;
  app::StationHooks hooks_;
  std::vector<std::string> failures_;
  bool sheetStayedOpen_ = false;
  int unwritten_ = 0;
  std::string notWrittenLabel_;
  std::vector<int> readingRows_;
};

}  // namespace

ScenarioOutcome RunStationScenario(const std::filesystem::path& home, const ScenarioOptions& options) {
  StationWorld world(home, options);
  return world.Run();
}

}  // namespace vigil::crashtest
