// Where the program finds the instrument: the Basic-mode application on the socket transport,
// or, when it is not there and a scenario is given, the simulated instrument started inside
// the program on a thread and event loop of its own (in-process transport, real time).
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "app/SimulatorThread.h"
#include "platform/WindowMessages.h"

namespace vigil::app {

enum class InstrumentSource {
  BasicMode,   ///< the Basic-mode application answers on the socket transport
  Simulator,   ///< the embedded simulated instrument
  NotFoundYet  ///< nothing there now; Enable looks again on the socket transport
};

struct InstrumentBus {
  std::unique_ptr<platform::MessageBus> bus;
  std::unique_ptr<SimulatorThread> simulator;
  InstrumentSource source = InstrumentSource::NotFoundYet;

  InstrumentBus() = default;
  InstrumentBus(const InstrumentBus&) = delete;
  InstrumentBus& operator=(const InstrumentBus&) = delete;
  /// The simulator goes before the bus it is registered on.
  ~InstrumentBus() { Reset(); }
  void Reset();
};

/// Opens the bus. `socketBus` is the socket transport (made by the caller, for tests a
/// folder of their own); `scenarioPath` may be empty. False with `error` set when the
/// scenario cannot be loaded or the simulator cannot start.
bool OpenInstrumentBus(std::unique_ptr<platform::MessageBus> socketBus,
                       const std::filesystem::path& scenarioPath, InstrumentBus& out, std::string& error);

}  // namespace vigil::app
