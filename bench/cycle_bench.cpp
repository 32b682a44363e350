// One monitoring cycle's readings through the link and the measuring engine, reply-driven
// and on the fixed poll periods: the cycle's time against the time the instrument is busy
// (turning, searching, reading angles, measuring the distance, from each command to its
// first answer), for 100 prisms x 2 faces, 1 and 3 repeats, on the virtual clock with the
// simulator in process, then a shortened cycle in real time against `basic-mode-sim` as a
// program of its own on the socket transport.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "TempFolder.h"
#include "link/BasicModeLink.h"
#include "link/MeasurementEngine.h"
#include "link/Notices.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/WindowMessages.h"
#include "sim/SimClock.h"
#include "sim/Simulator.h"
#include "store/ProjectStationSettings.h"
#include "support/CampaignSite.h"
#include "support/ChildProgram.h"
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

constexpr std::uint64_t kReadingWaitMs = 200000;

struct Row {
  std::string name;
  double haGon = 0.0;
  double vaGon = 0.0;
};

struct Silent final : link::Notices {
  void ShowMessage(std::string_view) override {}
  void Beep(link::BeepKind) override {}
};

// The rows of a cycle as the monitoring run orders them with sequence 0: every prism in
// face 1 `repeats` times, then every prism in face 2.
std::vector<Row> CycleRows(const sim::Scenario& site, const store::ProjectStationSettings& s, int prisms,
                           int repeats) {
  std::vector<Row> rows;
  for (int face = 1; face <= 2; ++face) {
    for (int i = 0; i < prisms; ++i) {
      const sim::Prism& p = site.prisms[static_cast<std::size_t>(i)];
      survey::Observation o = survey::ComputeHaVaSd(survey::StationOf(s), p.truth.eastingMetres,
                                                    p.truth.northingMetres, p.truth.levelMetres);
      if (face == 2) o = survey::OtherFace(o);
      for (int r = 0; r < repeats; ++r) rows.push_back({p.name, o.haGon, o.vaGon});
    }
  }
  return rows;
}

// The program's side: a loop, the link and the engine on a window's timer slot, which also
// receives the link's notifications as the main window does.
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
  bool Measure(const Row& row) {
    engine_->SetPrismContext(row.name, survey::kPrismMonitoring);
    bool done = false;
    engine_->TurnTo(
        row.haGon, row.vaGon, [&done] { done = true; }, true, true);
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

struct CycleRun {
  bool ok = false;
  int readings = 0;
  int failed = 0;
  double cycleMs = 0.0;
  bench::BusyTime busy;
};

// The cycle's rows after one reading that brings the telescope to the first row's prism
// from wherever it pointed at start.
CycleRun RunRows(Rig& rig, const std::vector<Row>& rows, const std::function<double()>& nowMs,
                 const std::function<void()>& startTrace) {
  CycleRun run;
  rig.Measure(rows.front());
  startTrace();
  const double start = nowMs();
  for (const Row& row : rows) {
    if (!rig.Measure(row)) ++run.failed;
    ++run.readings;
  }
  run.cycleMs = nowMs() - start;
  run.ok = true;
  return run;
}

CycleRun VirtualCycle(const sim::Scenario& site, store::ProjectStationSettings s,
                      const std::vector<Row>& rows, bool replyDriven) {
  s.reply_driven = replyDriven;
  Rig rig(std::make_unique<platform::VirtualTimeDriver>(), s);
  auto bus = platform::MakeInProcessBus();
  sim::VirtualSimClock clock(*rig.Loop().Virtual());
  sim::Simulator simulator(*bus, clock, site);
  std::vector<bench::TraceLine> trace;
  bool tracing = false;
  simulator.SetLogger([&](std::string_view line) {
    if (tracing) trace.push_back({static_cast<double>(rig.Loop().Time().ElapsedMs()), std::string(line)});
  });
  if (!simulator.Start() || !rig.Connect(*bus)) return {};
  CycleRun run = RunRows(
      rig, rows, [&] { return static_cast<double>(rig.Loop().Time().ElapsedMs()); }, [&] { tracing = true; });
  run.busy = bench::InstrumentBusy(trace);
  rig.Disconnect();
  simulator.Stop();
  return run;
}

// The site as a scenario file for `basic-mode-sim` (the prisms stand still: one cycle).
std::string ScenarioJson(const sim::Scenario& site) {
  using platform::FormatFixed;
  std::string j = "{\n  \"seed\": " + std::to_string(site.seed) + ",\n";
  j += "  \"station\": {\"easting\": " + FormatFixed(site.station.eastingMetres, 4) +
       ", \"northing\": " + FormatFixed(site.station.northingMetres, 4) +
       ", \"level\": " + FormatFixed(site.station.levelMetres, 4) +
       ", \"circleZeroGon\": " + FormatFixed(site.circleZeroGon, 5) + "},\n";
  j += "  \"atmosphere\": {\"temperatureC\": " + FormatFixed(site.temperatureC, 1) +
       ", \"pressureHpa\": " + FormatFixed(site.pressureHpa, 1) + "},\n";
  j += "  \"instrument\": {\"turnSpeedGonPerS\": " + FormatFixed(site.turnSpeedGonPerS, 3) +
       ", \"searchFieldGon\": " + FormatFixed(site.searchFieldGon, 3) +
       ", \"beamGon\": " + FormatFixed(site.beamGon, 3) +
       ", \"replyDelayMs\": " + std::to_string(site.replyDelayMs) + "},\n  \"prisms\": [\n";
  for (std::size_t i = 0; i < site.prisms.size(); ++i) {
    const sim::Prism& p = site.prisms[i];
    j += "    {\"name\": \"" + p.name +
         "\", \"type\": \"monitoring\", \"constantMm\": " + FormatFixed(p.constantMm, 1) +
         ", \"easting\": " + FormatFixed(p.truth.eastingMetres, 4) +
         ", \"northing\": " + FormatFixed(p.truth.northingMetres, 4) +
         ", \"level\": " + FormatFixed(p.truth.levelMetres, 4) + "}" +
         (i + 1 < site.prisms.size() ? ",\n" : "\n");
  }
  return j + "  ]\n}\n";
}

CycleRun RealCycle(const std::filesystem::path& scenario, store::ProjectStationSettings s,
                   const std::vector<Row>& rows, bool replyDriven) {
  s.reply_driven = replyDriven;
  vigil::test::TempFolder dir;
  Rig rig(std::make_unique<platform::RealTimeDriver>(), s);
  auto bus = platform::MakeSocketBus(dir.path() / "run");
  bench::ChildProgram simulator({BASIC_MODE_SIM_PATH, "--scenario", platform::PathText(scenario),
                                 "--runtime-dir", platform::PathText(dir.path() / "run"), "--verbose"});
  if (!simulator.Started()) return {};
  if (!rig.Loop().RunUntil([&] { return bus->Exists("LMX-Message communication"); }, 10000)) return {};
  if (!rig.Connect(*bus)) return {};
  Clock::time_point origin;
  CycleRun run = RunRows(
      rig, rows, [&] { return std::chrono::duration<double, std::milli>(Clock::now() - origin).count(); },
      [&] {
        simulator.ClearLines();
        origin = Clock::now();
      });
  run.busy = bench::InstrumentBusy(simulator.Lines(origin));
  rig.Disconnect();
  simulator.Stop();
  return run;
}

void Report(std::string_view what, const CycleRun& run) {
  Figure(std::string(what) + ": cycle time", run.cycleMs / 1000.0, 1, "s");
  Figure(std::string(what) + ": instrument busy", run.busy.totalMs / 1000.0, 1, "s");
  Figure(std::string(what) + ": cycle / busy", run.busy.totalMs > 0 ? run.cycleMs / run.busy.totalMs : 0.0, 3,
         "");
  FigureText(std::string(what) + ": readings",
             platform::Format("%d, %d failed, %d operations traced (%d unanswered)",
                              {run.readings, run.failed, run.busy.operations, run.busy.unanswered}));
}

}  // namespace

int main(int argc, char** argv) {
  int prisms = 100;
  int realPrisms = 5;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--prisms" && i + 1 < argc && platform::ScanInt(argv[i + 1], prisms) && prisms >= 1) {
      ++i;
    } else if (arg == "--real-prisms" && i + 1 < argc && platform::ScanInt(argv[i + 1], realPrisms) &&
               realPrisms >= 0) {
      ++i;
    } else {
      Say("usage: bench_cycle [--prisms N] [--real-prisms N (0: no real-time run)]");
      return 2;
    }
  }
  const sim::Scenario site = bench::CampaignSite(prisms);
  store::ProjectStationSettings station;
  bench::CampaignShape shape;
  shape.prisms = prisms;
  bench::SetUpCampaign(station, site, shape);

  bool allRead = true;
  Say(platform::Format("bench_cycle: %d prisms x 2 faces on the virtual clock, simulator in process",
                       {prisms}));
  for (const int repeats : {1, 3}) {
    const auto rows = CycleRows(site, station, prisms, repeats);
    for (const bool replyDriven : {true, false}) {
      const CycleRun run = VirtualCycle(site, station, rows, replyDriven);
      allRead = allRead && run.ok && run.failed == 0;
      Report(platform::Format("%d repeat(s), %s", {repeats, replyDriven ? "reply-driven" : "fixed periods"}),
             run);
    }
  }

  if (realPrisms > 0) {
    vigil::test::TempFolder dir;
    const auto scenario = dir.path() / "cycle.json";
    if (!platform::WriteFileBytesAtomic(scenario, ScenarioJson(site))) {
      Say("bench_cycle: the scenario file could not be written");
      return 1;
    }
    const int n = std::min(realPrisms, prisms);
    Say(platform::Format(
        "bench_cycle: %d of the prisms x 2 faces x 1 repeat in real time against basic-mode-sim", {n}));
    const auto rows = CycleRows(site, station, n, 1);
    for (const bool replyDriven : {true, false}) {
      const CycleRun run = RealCycle(scenario, station, rows, replyDriven);
      if (!run.ok) {
        Say("bench_cycle: basic-mode-sim could not be started or connected");
        return 1;
      }
      allRead = allRead && run.failed == 0;
      Report(platform::Format("real time, %s", {replyDriven ? "reply-driven" : "fixed periods"}), run);
    }
  }
  return allRead ? 0 : 1;
}
