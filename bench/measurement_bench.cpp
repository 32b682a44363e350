// Wall-clock cost of one complete turn, search and distance measurement against the
// in-process simulator on the virtual clock: what a long simulated campaign pays per reading.
#include <benchmark/benchmark.h>

#include <memory>

#include "link/BasicModeLink.h"
#include "link/MeasurementEngine.h"
#include "link/Notices.h"
#include "platform/EventLoop.h"
#include "platform/WindowMessages.h"
#include "sim/Simulator.h"
#include "store/ProjectStationSettings.h"
#include "survey/Reading.h"

namespace {

using namespace vigil;

struct Silent final : link::Notices {
  void ShowMessage(std::string_view) override {}
  void Beep(link::BeepKind) override {}
};

struct MainWindow final : platform::Window {
  link::MeasurementEngine* engine = nullptr;
  void OnTimer(int) override { engine->OnTimer(); }
  void OnNotify(int code) override {
    if (code == link::kReplyInNotice) engine->OnReplyIn();
  }
};

sim::Scenario OnePrism() {
  sim::Scenario s;
  s.station = {1000.0, 2000.0, 100.0};
  s.prisms.push_back({"EAST", sim::PrismType::kMonitoring, -30.0, {1100.0, 2000.0, 100.0}, {}, {}});
  return s;
}

void TurnSearchAndMeasure(benchmark::State& state) {
  platform::EventLoop loop(std::make_unique<platform::VirtualTimeDriver>());
  auto bus = platform::MakeInProcessBus();
  sim::VirtualSimClock simClock(*loop.Virtual());
  sim::Simulator simulator(*bus, simClock, OnePrism());
  simulator.Start();
  link::BasicModeLink link(loop, *bus);
  Silent notices;
  store::ProjectStationSettings station;
  station.easting = 1000.0;
  station.northing = 2000.0;
  station.reply_driven = state.range(0) != 0;
  MainWindow window;
  const auto handle = loop.AddWindow(&window);
  link::MeasurementEngine engine(loop, handle, link, notices, station);
  window.engine = &engine;
  if (!link.Connect()) state.SkipWithError("no connection to the simulator");
  engine.SetPrismContext("EAST", survey::kPrismMonitoring);

  for (auto _ : state) {
    bool done = false;
    engine.TurnTo(
        100.0, 100.0, [&] { done = true; }, true, true);
    loop.RunUntil([&] { return done; }, 200000);
    if (engine.ReadingResult() != 0) state.SkipWithError("a reading failed");
  }
  state.counters["virtual_s_per_reading"] = benchmark::Counter(
      static_cast<double>(loop.Time().ElapsedMs()) / 1000.0, benchmark::Counter::kAvgIterations);
  loop.RemoveWindow(handle);
}
// 1: reply-driven; 0: on the fixed poll periods.
BENCHMARK(TurnSearchAndMeasure)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
