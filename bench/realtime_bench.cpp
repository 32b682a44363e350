// The program's link and measuring engine in real time against `basic-mode-sim` running as
// its own program on the socket transport: what one reading costs the program beyond the
// time the instrument is busy and the time the engine's poll periods impose.
//
// The same readings run a second time on the virtual clock with the simulator in process:
// there the program costs nothing, so that run's time per reading is the instrument's busy
// time plus the engine's poll slack, and the real run's excess over it is the program's own
// (processing, socket transport, wake-up latency).
#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "TempFolder.h"
#include "demo/KnownSite.h"
#include "link/BasicModeLink.h"
#include "link/MeasurementEngine.h"
#include "link/Notices.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/WindowMessages.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimClock.h"
#include "sim/Simulator.h"
#include "store/ProjectStationSettings.h"
#include "support/ChildProgram.h"
#include "support/ProcStats.h"
#include "support/Report.h"
#include "support/SimTrace.h"
#include "survey/Coordinates.h"
#include "survey/Reading.h"

namespace {

using namespace vigil;
using bench::Figure;
using bench::FigureText;
using bench::Say;
using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kReadingWaitMs = 120000;

struct Target {
  std::string name;
  int prismType = survey::kPrismMonitoring;
  double haGon = 0.0;
  double vaGon = 0.0;
};

struct Silent final : link::Notices {
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  void Beep(link::BeepKind) override {}
  std::vector<std::string> messages;
};

int PrismTypeOf(sim::PrismType type) {
  switch (type) {
    case sim::PrismType::kReference:
      return survey::kPrismReference;
    case sim::PrismType::kConnection:
      return survey::kPrismConnection;
    default:
      return survey::kPrismMonitoring;
  }
}

store::ProjectStationSettings StationOf(const sim::Scenario& site) {
  store::ProjectStationSettings s;
  demo::TakeTrueStation(s, site);
  return s;
}

// Prisms hidden at some time of day would fail depending on when the run happens.
std::vector<Target> TargetsOf(const sim::Scenario& site, const store::ProjectStationSettings& s) {
  std::vector<Target> targets;
  for (const sim::Prism& p : site.prisms) {
    if (!p.hidden.empty()) continue;
    const survey::Observation o = survey::ComputeHaVaSd(survey::StationOf(s), p.truth.eastingMetres,
                                                        p.truth.northingMetres, p.truth.levelMetres);
    targets.push_back({p.name, PrismTypeOf(p.type), o.haGon, o.vaGon});
  }
  return targets;
}

// The program's side: a loop, the link, the engine on a window's timer slot.
class Rig {
 public:
  Rig(std::unique_ptr<platform::TimeDriver> time, const store::ProjectStationSettings& station)
      : loop_(std::move(time)), station_(station) {}
  ~Rig() {
    if (handle_ != 0) loop_.RemoveWindow(handle_);
  }
  platform::EventLoop& Loop() { return loop_; }

  bool Connect(platform::MessageBus& bus) {
    link_ = std::make_unique<link::BasicModeLink>(loop_, bus);
    window_.rig = this;
    handle_ = loop_.AddWindow(&window_);
    engine_ = std::make_unique<link::MeasurementEngine>(loop_, handle_, *link_, notices_, station_);
    return link_->Connect();
  }
  void Disconnect() { link_->Disconnect(); }

  /// Turn, search, angles and distance; true when the reading succeeded.
  bool Measure(const Target& t) {
    engine_->SetPrismContext(t.name, t.prismType);
    bool done = false;
    engine_->TurnTo(
        t.haGon, t.vaGon, [&done] { done = true; }, true, true);
    return loop_.RunUntil([&done] { return done; }, kReadingWaitMs) && engine_->ReadingResult() == 0;
  }

 private:
  struct TimerWindow final : platform::Window {
    Rig* rig = nullptr;
    void OnTimer(int) override { rig->engine_->OnTimer(); }
    void OnNotify(int code) override {
      if (code == link::kReplyInNotice) rig->engine_->OnReplyIn();
    }
  };
  platform::EventLoop loop_;
  store::ProjectStationSettings station_;
  Silent notices_;
  std::unique_ptr<link::BasicModeLink> link_;
  std::unique_ptr<link::MeasurementEngine> engine_;
  TimerWindow window_;
  platform::WindowHandle handle_ = 0;
};

struct RealRun {
  bool ok = false;
  int failed = 0;
  double wallMs = 0.0;
  double programCpuMs = 0.0;
  double simulatorCpuMs = 0.0;
  bench::BusyTime busy;
};

RealRun RunAgainstTheSimulatorProgram(const std::string& scenarioPath, const store::ProjectStationSettings& s,
                                      const std::vector<Target>& targets, int readings) {
  RealRun run;
  vigil::test::TempFolder dir;
  const std::string runtime = platform::PathText(dir.path() / "run");
  Rig rig(std::make_unique<platform::RealTimeDriver>(), s);
  auto bus = platform::MakeSocketBus(dir.path() / "run");
  bench::ChildProgram simulator(
      {BASIC_MODE_SIM_PATH, "--scenario", scenarioPath, "--runtime-dir", runtime, "--verbose"});
  if (!simulator.Started()) return run;
  if (!rig.Loop().RunUntil([&] { return bus->Exists("LMX-Message communication"); }, 10000)) return run;
  if (!rig.Connect(*bus)) return run;
  // The first reading turns from wherever the instrument points at start; it is left out.
  rig.Measure(targets.front());

  simulator.ClearLines();
  const Clock::time_point origin = Clock::now();
  const double cpuBefore = bench::SelfCpuSeconds();
  const double simCpuBefore = bench::ProcessCpuSeconds(simulator.Pid()).value_or(0.0);
  for (int i = 0; i < readings; ++i) {
    if (!rig.Measure(targets[static_cast<std::size_t>(i + 1) % targets.size()])) ++run.failed;
  }
  run.wallMs = std::chrono::duration<double, std::milli>(Clock::now() - origin).count();
  run.programCpuMs = (bench::SelfCpuSeconds() - cpuBefore) * 1000.0;
  run.simulatorCpuMs = (bench::ProcessCpuSeconds(simulator.Pid()).value_or(0.0) - simCpuBefore) * 1000.0;
  run.busy = bench::InstrumentBusy(simulator.Lines(origin));
  rig.Disconnect();
  simulator.Stop();
  run.ok = true;
  return run;
}

// Virtual ms per reading of the same sequence with the simulator in process.
double VirtualMsPerReading(const sim::Scenario& site, const store::ProjectStationSettings& s,
                           const std::vector<Target>& targets, int readings) {
  Rig rig(std::make_unique<platform::VirtualTimeDriver>(), s);
  auto bus = platform::MakeInProcessBus();
  sim::VirtualSimClock clock(*rig.Loop().Virtual());
  sim::Simulator simulator(*bus, clock, site);
  if (!simulator.Start() || !rig.Connect(*bus)) return 0.0;
  rig.Measure(targets.front());
  const std::uint64_t start = rig.Loop().Time().ElapsedMs();
  for (int i = 0; i < readings; ++i) rig.Measure(targets[static_cast<std::size_t>(i + 1) % targets.size()]);
  const double ms = static_cast<double>(rig.Loop().Time().ElapsedMs() - start) / readings;
  rig.Disconnect();
  simulator.Stop();
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  int readings = 10;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--readings" && i + 1 < argc && platform::ScanInt(argv[i + 1], readings) && readings >= 1) {
      ++i;
    } else {
      Say("usage: bench_realtime [--readings N]");
      return 2;
    }
  }

  const std::string scenarioPath = VIGIL_SOURCE_DIR "/sim/scenarios/dam.json";
  sim::Scenario site;
  std::string error;
  if (!sim::LoadScenarioFile(platform::PathFromText(scenarioPath), site, error)) {
    Say("bench_realtime: " + error);
    return 1;
  }
  const store::ProjectStationSettings station = StationOf(site);
  const std::vector<Target> targets = TargetsOf(site, station);
  if (targets.empty()) {
    Say("bench_realtime: the scenario has no prism that is always visible");
    return 1;
  }

  const RealRun real = RunAgainstTheSimulatorProgram(scenarioPath, station, targets, readings);
  if (!real.ok) {
    Say("bench_realtime: basic-mode-sim could not be started or connected");
    return 1;
  }
  const double virtualMs = VirtualMsPerReading(site, station, targets, readings);
  const double n = readings;
  const double wallPer = real.wallMs / n;
  const double busyPer = real.busy.totalMs / n;

  Say(platform::Format("bench_realtime: %d readings (turn, search, angles, distance) of %d prisms of %s",
                       {readings, static_cast<int>(targets.size()), "sim/scenarios/dam.json"}));
  Figure("wall time per reading, real time", wallPer, 0, "ms");
  Figure("instrument busy per reading (simulator's trace)", busyPer, 0, "ms");
  Figure("same readings on the virtual clock", virtualMs, 0, "ms");
  Figure("  of which the engine's poll slack", virtualMs - busyPer, 0, "ms");
  Figure("program's own time per reading (real - virtual)", wallPer - virtualMs, 1, "ms");
  Figure("program CPU per reading (getrusage, this process)", real.programCpuMs / n, 2, "ms");
  Figure("simulator CPU per reading (/proc/<pid>/stat)", real.simulatorCpuMs / n, 2, "ms");
  FigureText("busy operations traced",
             platform::Format("%d answered, %d unanswered", {real.busy.operations, real.busy.unanswered}));
  FigureText("failed readings", platform::FormatInt(real.failed));
  return real.failed == 0 ? 0 : 1;
}
