#include "app/InstrumentBus.h"

#include "sim/ScenarioLoader.h"
#include "sim/Simulator.h"

namespace vigil::app {

void InstrumentBus::Reset() {
  simulator.reset();
  bus.reset();
  source = InstrumentSource::NotFoundYet;
}

bool OpenInstrumentBus(std::unique_ptr<platform::MessageBus> socketBus,
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
  out.simulator = std::make_unique<SimulatorThread>();
  if (!out.simulator->Start(*out.bus, std::move(scenario))) {
    error = "the simulated instrument could not start";
    out.Reset();
    return false;
  }
  out.source = InstrumentSource::Simulator;
  return true;
}

}  // namespace vigil::app
