// The program's link in this process and `basic-mode-sim` in another, over the socket
// transport in real time: connect, measure one prism, disconnect, byte for byte.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fcntl.h>

#include <fstream>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "link/BasicModeLink.h"
#include "link/MeasurementEngine.h"
#include "link/Notices.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/WindowMessages.h"
#include "store/ProjectStationSettings.h"
#include "survey/Reading.h"

extern char** environ;

namespace vigil::sim::test {
namespace {

// Station at (1000, 2000, 100), one monitoring prism 100 m due east on the level, no noise.
constexpr const char* kScenario = R"({
  "station": {"easting": 1000.0, "northing": 2000.0, "level": 100.0, "circleZeroGon": 0.0},
  "atmosphere": {"temperatureC": 20.0, "pressureHpa": 1013.25},
  "noise": {"angleMgon": 0, "distanceMm": 0, "distancePpm": 0, "tiltMgon": 0},
  "instrument": {"searchMs": 200, "distanceFirstMs": 300, "angleMs": 100},
  "prisms": [{"name": "EAST", "type": "monitoring", "constantMm": -30.0,
              "easting": 1100.0, "northing": 2000.0, "level": 100.0}]
})";

struct Quiet final : link::Notices {
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  void Beep(link::BeepKind) override {}
  std::vector<std::string> messages;
};

struct MainWindow final : platform::Window {
  link::MeasurementEngine* engine = nullptr;
  void OnTimer(int) override { engine->OnTimer(); }
};

class SimProcess {
 public:
  SimProcess(const std::filesystem::path& scenario, const std::filesystem::path& runtime,
             const std::filesystem::path& output) {
    const std::string program = BASIC_MODE_SIM_PATH;
    const std::string scenarioText = scenario.string();
    const std::string runtimeText = runtime.string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const char* argv[] = {program.c_str(), "--scenario",        scenarioText.c_str(),
                          "--runtime-dir", runtimeText.c_str(), "--verbose",
                          nullptr};
    started_ = posix_spawn(&pid_, program.c_str(), &actions, nullptr, const_cast<char**>(argv), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~SimProcess() {
    if (!started_) return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
  bool started() const { return started_; }

 private:
  pid_t pid_ = 0;
  bool started_ = false;
};

// The commands the simulator printed as received ("<- " lines), in order.
std::vector<std::string> ReceivedCommands(const std::filesystem::path& output) {
  std::vector<std::string> commands;
  std::ifstream in(output);
  for (std::string line; std::getline(in, line);) {
    if (platform::StartsWith(line, "<- ")) commands.push_back(line.substr(3));
  }
  return commands;
}

TEST(BetweenProcesses, TheLinkConnectsMeasuresAndDisconnectsWithTheSimulatorProgram) {
  vigil::test::TempFolder dir;
  const auto scenario = dir.path() / "site.json";
  ASSERT_TRUE(platform::WriteFileBytesAtomic(scenario, kScenario));
  const auto runtime = dir.path() / "run";
  const auto output = dir.path() / "sim.log";

  platform::EventLoop loop(std::make_unique<platform::RealTimeDriver>());
  auto bus = platform::MakeSocketBus(runtime);
  SimProcess process(scenario, runtime, output);
  ASSERT_TRUE(process.started());
  ASSERT_TRUE(loop.RunUntil([&] { return bus->Exists("LMX-Message communication"); }, 10000));

  link::BasicModeLink link(loop, *bus);
  Quiet notices;
  store::ProjectStationSettings station;
  station.easting = 1000.0;
  station.northing = 2000.0;
  station.reduced_level = 100.0;
  station.temperature = 20.0;
  station.pressure = 1013.25;
  MainWindow window;
  const platform::WindowHandle handle = loop.AddWindow(&window);
  link::MeasurementEngine engine(loop, handle, link, notices, station);
  window.engine = &engine;

  ASSERT_TRUE(link.Connect());
  engine.SetPrismContext("EAST", survey::kPrismMonitoring);
  bool done = false;
  engine.TurnTo(
      100.0, 100.0, [&] { done = true; }, true, true);
  ASSERT_TRUE(loop.RunUntil([&] { return done; }, 30000));
  EXPECT_EQ(engine.ReadingResult(), 0);
  EXPECT_NEAR(engine.Reading().eastingMetres, 1100.0, 0.0005);
  EXPECT_NEAR(engine.Reading().northingMetres, 2000.0, 0.0005);
  EXPECT_NEAR(engine.Reading().rlMetres, 100.0, 0.0005);
  ASSERT_TRUE(link.Disconnect());
  EXPECT_TRUE(notices.messages.empty());
  loop.RemoveWindow(handle);

  ASSERT_TRUE(loop.RunUntil([&] { return ReceivedCommands(output).size() >= 13; }, 5000));
  EXPECT_EQ(ReceivedCommands(output),
            (std::vector<std::string>{"#STc<0d><0a>", "#ST1 VNT8-Message communication<0d><0a>",
                                      "#ST2 VNT8-Message communication<0d><0a>", "#STs 0<0d><0a>",
                                      "#S*DHA1000000VA1000000<0d><0a>", "#S/C 0<0d><0a><0d><0a>",
                                      "#S*SJ000000<0d><0a>", "#SEe<0d><0a>", "#S/C 0<0d><0a><0d><0a>",
                                      "#S*ST2<0d><0a>", "#S*ST0<0d><0a>", "#STs 2<0d><0a>", "#STc<0d><0a>"}));
}

}  // namespace
}  // namespace vigil::sim::test
