#include "app/SimulatorThread.h"

#include <future>
#include <memory>
#include <utility>

#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "sim/SimClock.h"
#include "sim/Simulator.h"

namespace vigil::app {

namespace {
// Commands kept for looking back; the window program runs for months.
constexpr std::size_t kCommandsKept = 10000;
}  // namespace

bool SimulatorThread::Start(platform::MessageBus& bus, sim::Scenario scenario) {
  Stop();
  stop_ = false;
  std::promise<bool> started;
  std::future<bool> result = started.get_future();
  thread_ = std::thread([this, &bus, &started, scenario = std::move(scenario)]() mutable {
    platform::EventLoop loop(std::make_unique<platform::RealTimeDriver>());
    sim::LoopSimClock clock(loop);
    sim::Simulator simulator(bus, clock, std::move(scenario));
    simulator.log().SetCapacity(kCommandsKept);
    const bool ok = simulator.Start();
    if (ok) loop_ = &loop;
    started.set_value(ok);  // `started` is gone once this is read: no use after it
    if (!ok) return;
    // Sleeps until the instrument has something to do; Stop wakes it with the quit.
    while (!stop_) loop.Run();
    simulator.Stop();
  });
  const bool ok = result.get();
  if (!ok) Stop();
  return ok;
}

void SimulatorThread::Stop() {
  if (!thread_.joinable()) return;
  stop_ = true;
  if (platform::EventLoop* loop = loop_.exchange(nullptr)) loop->PostFromAnyThread([loop] { loop->Quit(); });
  thread_.join();
}

}  // namespace vigil::app
