// basic-mode-sim: the simulated instrument as its own program, in real time, behind the
// window "LMX-Message communication" of the socket transport.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "platform/WindowMessages.h"
#include "sim/ScenarioLoader.h"
#include "sim/Simulator.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) {
  g_stop = 1;
}

void Print(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

constexpr std::string_view kUsage =
    "usage: basic-mode-sim --scenario FILE [--runtime-dir DIR] [--verbose] [--help]";

int Usage() {
  Print(kUsage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vigil;
  std::string scenarioPath, runtimeDir;
  bool verbose = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--scenario" && i + 1 < argc) {
      scenarioPath = argv[++i];
    } else if (arg == "--runtime-dir" && i + 1 < argc) {
      runtimeDir = argv[++i];
    } else if (arg == "--verbose") {
      verbose = true;
    } else if (arg == "--help") {
      Print(kUsage);
      return 0;
    } else {
      return Usage();
    }
  }
  if (scenarioPath.empty()) return Usage();

  sim::Scenario scenario;
  std::string error;
  if (!sim::LoadScenarioFile(platform::PathFromText(scenarioPath), scenario, error)) {
    Print(error);
    return 1;
  }
  if (!runtimeDir.empty()) ::setenv("VIGIL_RUNTIME_DIR", runtimeDir.c_str(), 1);
  const auto folder =
      runtimeDir.empty() ? platform::DefaultRuntimeFolder() : std::filesystem::path(runtimeDir);

  platform::EventLoop loop(std::make_unique<platform::RealTimeDriver>());
  auto bus = platform::MakeSocketBus(folder, &error);
  if (!bus) {
    Print("basic-mode-sim: " + error);
    return 1;
  }
  sim::LoopSimClock clock(loop);
  sim::Simulator simulator(*bus, clock, std::move(scenario));
  if (verbose) simulator.SetLogger(Print);
  simulator.log().SetCapacity(10000);  // it runs for months: the record keeps the newest
  if (!simulator.Start()) {
    Print("basic-mode-sim: the window \"LMX-Message communication\" is already there in " +
          platform::PathText(folder));
    return 1;
  }
  Print("basic-mode-sim: listening in " + platform::PathText(folder));

  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  while (!g_stop) loop.RunFor(200);
  simulator.Stop();
  return 0;
}
