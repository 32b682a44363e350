// The simulated instrument inside the window program, on a thread and event loop of its own:
// the link waits for the instrument's answers the way it waits for another program's, while
// dispatching only its own window's messages, so the instrument must not need the program's
// loop to answer.
#pragma once

#include <atomic>
#include <thread>

#include "platform/EventLoop.h"
#include "platform/WindowMessages.h"
#include "sim/Scenario.h"

namespace vigil::app {

class SimulatorThread {
 public:
  SimulatorThread() = default;
  SimulatorThread(const SimulatorThread&) = delete;
  SimulatorThread& operator=(const SimulatorThread&) = delete;
  ~SimulatorThread() { Stop(); }

  /// Starts the instrument on `bus` in real time; false when it cannot register there.
  /// `bus` must outlive Stop().
  bool Start(platform::MessageBus& bus, sim::Scenario scenario);
  /// Unregisters the instrument and ends the thread; nothing when not running.
  void Stop();

 private:
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<platform::EventLoop*> loop_{nullptr};  ///< the thread's loop while it runs
};

}  // namespace vigil::app
