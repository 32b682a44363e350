#include "ResumeWorld.h"

#include "monitoring/Schedule.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "store/ProjectStationStore.h"
#include "store/SettingsEntries.h"
#include "survey/Coordinates.h"
#include "training/TrainingStore.h"
#include "ui/ProjectSelectDialog.h"
#include "ui/StationSettingsSheet.h"

namespace vigil::crashtest {
namespace {

constexpr survey::StationPosition kStation{1000.0, 2000.0, 100.0};
struct Prism {
  const char* name;
  double e, n, rl;
};
constexpr Prism kPrisms[] = {{"P1", 1100.0, 2000.0, 100.0}, {"P2", 1000.0, 2100.0, 105.0}};

sim::Scenario Site() {
  sim::Scenario s;
  s.station = {kStation.eastingMetres, kStation.northingMetres, kStation.levelMetres};
  s.angleNoiseMgon = 0.0;
  s.distanceNoiseMm = 0.0;
  s.distanceNoisePpm = 0.0;
  s.tiltNoiseMgon = 0.0;
  for (const Prism& p : kPrisms)
    s.prisms.push_back({p.name, sim::PrismType::kMonitoring, -30.0, {p.e, p.n, p.rl}, {}, {}});
  return s;
}

std::int64_t MsOf(const platform::LocalDateTime& t) {
  return platform::MillisecondsFromCivil(t);
}

}  // namespace

void ObservedHooks::OnScheduleTick(ui::MainWindow& window) {
  if (report_) report_("tick", MsOf(window.Context().Loop().Now()));
  station_.OnScheduleTick(window);
}

bool ObservedHooks::OnCycleStored(ui::MainWindow& window, const std::filesystem::path& cycleFile) {
  const bool stored = station_.OnCycleStored(window, cycleFile);
  if (report_) report_("stored", MsOf(window.Context().Loop().Now()));
  return stored;
}

void ObservedHooks::OnCycleInterrupted(ui::MainWindow& window, std::int64_t startedMs) {
  ++interrupted_;
  station_.OnCycleInterrupted(window, startedMs);
  if (report_) report_("interrupted", startedMs);
}

ResumeWorld::ResumeWorld(const std::filesystem::path& home, std::int64_t startLocalMs,
                         ObservedHooks::Report report)
    : layout_(platform::Paths(home, home / "device")),
      loop_(std::make_unique<platform::VirtualTimeDriver>(0, platform::CivilFromMilliseconds(startLocalMs))),
      bus_(platform::MakeInProcessBus()),
      simClock_(*loop_.Virtual()),
      sim_(*bus_, simClock_, Site()),
      host_(loop_),
      app_(loop_, *bus_, host_, layout_),
      hooks_(std::move(report)) {
  sim_.Start();
  app_.SetHooks(&hooks_);
}

ResumeWorld::~ResumeWorld() {
  sim_.Stop();
}

std::int64_t ResumeWorld::NowMs() {
  return MsOf(loop_.Now());
}

bool ResumeWorld::WriteStation(bool resume, const std::string& intervalHours) {
  store::ProjectStationStore store(layout_);
  store::ProjectStationSettings& s = store.Settings();
  s.easting = kStation.eastingMetres;
  s.northing = kStation.northingMetres;
  s.reduced_level = kStation.levelMetres;
  s.sequence = 2;
  s.repeat = 1;
  s.rounds = 1;
  s.mode = 0;
  s.start_time = "12:00 AM";
  s.interval = intervalHours;
  s.cycles = monitoring::BuildCycleList(s.start_time, s.interval);
  s.resume_after_restart = resume;
  // A run stopped before its Enable finished may have written it already.
  const bool isNew = !platform::FileExists(layout_.StationFilePath(s.project, s.station));
  if (store.SaveProjectStation(s.project, s.station, isNew, store::SettingsEntriesFor(s)) !=
      store::SaveResult::Saved)
    return false;
  training::TrainingStore points(s, training::TrainingFileOf(layout_, s));
  for (const Prism& p : kPrisms) {
    const survey::Observation o = survey::ComputeHaVaSd(kStation, p.e, p.n, p.rl);
    points.AddTrainingRow(p.name, platform::FormatFixed(o.haGon, 5), platform::FormatFixed(o.vaGon, 5),
                          platform::FormatFixed(o.sdMetres, 4), platform::FormatFixed(p.e, 4),
                          platform::FormatFixed(p.n, 4), platform::FormatFixed(p.rl, 4), "2");
  }
  return points.SaveTrainingFile();
}

ui::ScriptedHost& ResumeWorld::ScriptEnableStation() {
  return host_.Press(ui::MainWindow::kEnableButtonId)
      .AnswerMessageBox("Instrument will initialize to MONITORING setting.  Proceed to Enable?",
                        platform::kIdYes)
      .WaitForDialog<ui::ProjectSelectDialog>()
      .SelectText(ui::ProjectSelectDialog::kJobListId, "PROJ_STN1")
      .Press(ui::ProjectSelectDialog::kLoadButtonId)
      .WaitForDialog<ui::StationSettingsSheet>()
      .Press(ui::StationSettingsSheet::kOkKeyId)
      .WaitForDialog<ui::MainWindow>();
}

ui::ScriptedHost& ResumeWorld::WaitInForce(std::uint64_t timeoutMs) {
  return host_.WaitUntil(
      "the schedule in force",
      [this] {
        return Window().MonitoringEnabled() && Window().ScheduleInForce() && Window().ScheduleArmed();
      },
      timeoutMs);
}

ui::ScriptedHost& ResumeWorld::WaitUntilLocal(std::int64_t untilMs) {
  const std::int64_t left = untilMs - NowMs();
  return host_.WaitUntil(
      "the local time reached", [this, untilMs] { return NowMs() >= untilMs; },
      static_cast<std::uint64_t>(left > 0 ? left : 0) + 3600000);
}

int ResumeWorld::Run(bool resume) {
  Window().SetResumeAtStart(resume);
  return host_.Run(Window());
}

}  // namespace vigil::crashtest
