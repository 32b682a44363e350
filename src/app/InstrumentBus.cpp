#include "app/InstrumentBus.h"

#include "sim/ScenarioLoader.h"

namespace vigil::app {

void InstrumentBus::Reset() {
  if (simulator) simulator->Stop();
  simulator.reset();
  clock.reset();
  bus.reset();
  source = InstrumentSource::NotFoundYet;
}

bool OpenInstrumentBus(platform::EventLoop& loop, std::unique_ptr<platform::MessageBus> socketBus,
                       const std::filesystem::path& scenarioPath, InstrumentBus& out, std::string& error) {
  out.Reset();
  // A Basic-mode application (or a stand-alone simulator) already there wins.
  if (socketBus->Exists(sim::kInstrumentTitle) || scenarioPath.empty()) {
    out.source = socketBus->Exists(sim::kInstrumentTitle) ? InstrumentSource::BasicMode
                                                          : InstrumentSource::NotFoundYet;
    out.bus = std::move(socketBus);
    return true;
  }
  sim::Scenario scenario;
  if (!sim::LoadScenarioFile(scenarioPath, scenario, error)) return false;
  out.bus = platform::MakeInProcessBus();
  out.clock = std::make_unique<sim::LoopSimClock>(loop);
  out.simulator = std::make_unique<sim::Simulator>(*out.bus, *out.clock, std::move(scenario));
  if (!out.simulator->Start()) {
    error = "the simulated instrument could not start";
    out.Reset();
    return false;
  }
  out.source = InstrumentSource::Simulator;
  return true;
}

}  // namespace vigil::app
