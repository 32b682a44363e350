// What the program costs while it waits for the next cycle, in real time: CPU share and
// resident memory over a minute.
//
// The window program: `VigilStation` on the offscreen platform with its embedded simulator,
// watched from outside through /proc. From outside it can only be left at its main window
// (the schedule is armed by a confirmed settings sheet), so the program is also measured
// in process: the real-time loop, the scripted host, the main window with the schedule
// armed and the Monitoring screen open in interval mode, `basic-mode-sim` as the instrument.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <QApplication>
#include <QTimer>

#include "TempFolder.h"
#include "app/InstrumentBus.h"
#include "monitoring/MonitoringDialog.h"
#include "monitoring/Schedule.h"
#include "monitoring/ScheduleHooks.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/WindowMessages.h"
#include "sim/ScenarioLoader.h"
#include "sim/Simulator.h"
#include "support/CampaignSite.h"
#include "support/ChildProgram.h"
#include "support/ProcStats.h"
#include "support/Report.h"
#include "training/TrainingFile.h"
#include "ui/MainWindow.h"
#include "ui/MonitoringApp.h"
#include "ui/qt/QtHost.h"
#include "ui/qt/QtTimeDriver.h"
#include "ui/scripted/ScriptedHost.h"

namespace {

using namespace vigil;
using bench::Figure;
using bench::Say;
using Clock = std::chrono::steady_clock;

constexpr const char* kScenario = VIGIL_SOURCE_DIR "/sim/scenarios/dam.json";
constexpr int kSamples = 6;

double SecondsSince(Clock::time_point t) {
  return std::chrono::duration<double>(Clock::now() - t).count();
}

struct Idle {
  bool ok = false;
  double cpuShare = 0.0;           ///< CPU seconds per wall second
  double wakeUpsPerSecond = -1.0;  ///< context switches of all threads per wall second
  double residentMinMiB = 0.0;
  double residentMaxMiB = 0.0;
};

void Print(std::string_view what, const Idle& idle, int seconds) {
  Say(platform::Format("%s, %d s:", {what, seconds}));
  if (!idle.ok) {
    Say("  not measured");
    return;
  }
  Figure("CPU share (user + system)", idle.cpuShare * 100.0, 3, "% of one core");
  if (idle.wakeUpsPerSecond >= 0)
    Figure("wake-ups (context switches, all threads)", idle.wakeUpsPerSecond, 1, "per s");
  Figure("resident memory, least", idle.residentMinMiB, 1, "MiB");
  Figure("resident memory, most", idle.residentMaxMiB, 1, "MiB");
}

// CPU and memory of `pid` sampled over `seconds` while this thread sleeps.
Idle WatchFromOutside(int pid, int seconds) {
  Idle idle;
  const auto cpu0 = bench::ProcessCpuSeconds(pid);
  const auto wakes0 = bench::ThreadSwitches(pid);
  if (!cpu0) return idle;
  idle.residentMinMiB = idle.residentMaxMiB = bench::ResidentMiB(pid).value_or(0.0);
  const Clock::time_point start = Clock::now();
  for (int i = 1; i <= kSamples; ++i) {
    std::this_thread::sleep_until(start + std::chrono::milliseconds(seconds * 1000 * i / kSamples));
    const double rss = bench::ResidentMiB(pid).value_or(0.0);
    idle.residentMinMiB = std::min(idle.residentMinMiB, rss);
    idle.residentMaxMiB = std::max(idle.residentMaxMiB, rss);
  }
  const auto cpu1 = bench::ProcessCpuSeconds(pid);
  const auto wakes1 = bench::ThreadSwitches(pid);
  if (!cpu1) return idle;
  const double wall = SecondsSince(start);
  idle.cpuShare = (*cpu1 - *cpu0) / wall;
  if (wakes0 && wakes1)
    idle.wakeUpsPerSecond = static_cast<double>(bench::WakeUpsBetween(*wakes0, *wakes1)) / wall;
  idle.ok = true;
  return idle;
}

Idle WindowProgram(int seconds) {
  vigil::test::TempFolder dir;
  for (const char* folder : {"home", "device", "run"}) platform::CreateFolder(dir.path() / folder);
  // The program refuses a runtime folder that others may enter.
  std::filesystem::permissions(dir.path() / "run", std::filesystem::perms::owner_all);
  bench::ChildProgram station(
      {VIGIL_STATION_PATH, "-platform", "offscreen", "--sim", kScenario, "--home",
       platform::PathText(dir.path() / "home"), "--device-root", platform::PathText(dir.path() / "device"),
       "--runtime-dir", platform::PathText(dir.path() / "run")},
      {"QT_QPA_PLATFORM=offscreen"});
  if (!station.Started()) return {};
  // Qt and the main window come up first.
  std::this_thread::sleep_for(std::chrono::seconds(3));
  const Idle idle = WatchFromOutside(station.Pid(), seconds);
  station.Stop();
  return idle;
}

Idle InProcess(int seconds) {
  Idle idle;
  sim::Scenario site;
  std::string error;
  if (!sim::LoadScenarioFile(platform::PathFromText(kScenario), site, error)) return idle;
  vigil::test::TempFolder dir;
  // The instrument is another program, as on the controller: the simulator embedded on this
  // loop would not answer while the link waits (see docs/PERFORMANCE.md).
  bench::ChildProgram instrument({BASIC_MODE_SIM_PATH, "--scenario", kScenario, "--runtime-dir",
                                  platform::PathText(dir.path() / "run")});
  platform::EventLoop loop(std::make_unique<platform::RealTimeDriver>());
  auto bus = platform::MakeSocketBus(dir.path() / "run");
  ui::ScriptedHost host(loop);
  host.SetFailureHandler([](const std::string& what) { Say("script: " + what); });
  ui::MonitoringApp app(loop, *bus, host,
                        store::StorageLayout(platform::Paths(dir.path(), dir.path() / "device")));
  monitoring::ScheduleHooks hooks;
  app.SetHooks(&hooks);
  if (!instrument.Started() || !loop.RunUntil([&] { return bus->Exists(sim::kInstrumentTitle); }, 10000) ||
      !app.Context().Link().Connect()) {
    Say("no link with basic-mode-sim");
    return idle;
  }

  store::ProjectStationSettings& s = app.Context().Settings();
  bench::SetUpCampaign(s, site, bench::CampaignShape{});
  // One cycle a day, half a day away: armed, waiting, never measuring during the watch.
  s.cycles = "1," + monitoring::ScheduleTimeText((loop.Now().hour + 12) % 24, 0);
  const training::TrainingFileLocation training = training::TrainingFileOf(app.Context().Layout(), s);
  if (!platform::CreateFolder(training.folder) ||
      !platform::WriteUtf16FileAtomic(training.file, bench::TrainingTextOf(s, site))) {
    Say("the training file cannot be written");
    return idle;
  }

  using MW = ui::MainWindow;
  double cpu0 = 0.0;
  long long selfWakes0 = 0;
  Clock::time_point start;
  host.Do("arm",
          [&] {
            app.Window().Enable(MW::kMonitorButtonId, true);
            app.Window().UpdateNextCycleLabel(true);
            app.Window().ArmSchedule(true);
          })
      .Press(MW::kMonitorButtonId)
      .WaitForDialog<monitoring::MonitoringDialog>()
      .Do("start watching", [&] {
        cpu0 = bench::SelfCpuSeconds();
        selfWakes0 = bench::SelfWakeUps();
        start = Clock::now();
        idle.residentMinMiB = idle.residentMaxMiB = bench::ResidentMiB(0).value_or(0.0);
      });
  for (int i = 0; i < kSamples; ++i) {
    host.WaitMs(static_cast<std::uint64_t>(seconds) * 1000 / kSamples).Do("sample", [&] {
      const double rss = bench::ResidentMiB(0).value_or(0.0);
      idle.residentMinMiB = std::min(idle.residentMinMiB, rss);
      idle.residentMaxMiB = std::max(idle.residentMaxMiB, rss);
    });
  }
  host.Do("stop watching",
          [&] {
            idle.cpuShare = (bench::SelfCpuSeconds() - cpu0) / SecondsSince(start);
            idle.wakeUpsPerSecond =
                static_cast<double>(bench::SelfWakeUps() - selfWakes0) / SecondsSince(start);
            idle.ok = app.Window().ScheduleArmed() && hooks.OpenDialog() != nullptr &&
                      !hooks.OpenDialog()->Running();
          })
      .EndAll();
  host.Run(app.Window());
  app.Context().Link().Disconnect();
  return idle;
}

// The window program's own pieces in this process: Qt on the offscreen platform, the Qt host
// on real time, the simulator embedded on its thread (no Basic-mode application is there), the
// link open, the main window up with the schedule armed (one cycle half a day away).
Idle InQtHost(int seconds) {
  Idle idle;
  sim::Scenario site;
  std::string error;
  if (!sim::LoadScenarioFile(platform::PathFromText(kScenario), site, error)) return idle;
  vigil::test::TempFolder dir;
  for (const char* folder : {"device", "run"}) platform::CreateFolder(dir.path() / folder);
  std::filesystem::permissions(dir.path() / "run", std::filesystem::perms::owner_all);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "bench_idle";
  static char* argv[] = {name, nullptr};
  QApplication qt(argc, argv);
  platform::EventLoop loop(std::make_unique<ui::qt::QtTimeDriver>());
  ui::qt::QtHost host(loop, dir.path() / "device");
  app::InstrumentBus instrument;
  auto socketBus = platform::MakeSocketBus(dir.path() / "run", &error);
  if (!socketBus ||
      !app::OpenInstrumentBus(std::move(socketBus), platform::PathFromText(kScenario), instrument, error)) {
    Say("no instrument: " + error);
    return idle;
  }
  ui::MonitoringApp app(loop, *instrument.bus, host,
                        store::StorageLayout(platform::Paths(dir.path(), dir.path() / "device")));
  monitoring::ScheduleHooks hooks;
  app.SetHooks(&hooks);
  if (!app.Context().Link().Connect()) {
    Say("no link with the embedded simulator");
    return idle;
  }
  store::ProjectStationSettings& s = app.Context().Settings();
  bench::SetUpCampaign(s, site, bench::CampaignShape{});
  s.cycles = "1," + monitoring::ScheduleTimeText((loop.Now().hour + 12) % 24, 0);
  using MW = ui::MainWindow;
  app.Window().Enable(MW::kMonitorButtonId, true);
  app.Window().UpdateNextCycleLabel(true);
  app.Window().ArmSchedule(true);

  double cpu0 = 0.0;
  long long wakes0 = 0;
  Clock::time_point start;
  QTimer::singleShot(3000, &qt, [&] {
    cpu0 = bench::SelfCpuSeconds();
    wakes0 = bench::SelfWakeUps();
    start = Clock::now();
    idle.residentMinMiB = idle.residentMaxMiB = bench::ResidentMiB(0).value_or(0.0);
  });
  for (int i = 1; i <= kSamples; ++i) {
    QTimer::singleShot(3000 + seconds * 1000 * i / kSamples, &qt, [&] {
      const double rss = bench::ResidentMiB(0).value_or(0.0);
      idle.residentMinMiB = std::min(idle.residentMinMiB, rss);
      idle.residentMaxMiB = std::max(idle.residentMaxMiB, rss);
    });
  }
  QTimer::singleShot(3000 + seconds * 1000 + 1, &qt, [&] {
    host.Deliver(&qt, [&] {
      const double wall = SecondsSince(start);
      idle.cpuShare = (bench::SelfCpuSeconds() - cpu0) / wall;
      idle.wakeUpsPerSecond = static_cast<double>(bench::SelfWakeUps() - wakes0) / wall;
      idle.ok = app.Window().ScheduleArmed();
      app.Window().EndDialog(platform::kIdCancel);
    });
  });
  host.RunModal(app.Window());
  app.Context().Link().Disconnect();
  return idle;
}

}  // namespace

int main(int argc, char** argv) {
  int seconds = 60;
  bool window = true;
  bool inProcess = true;
  bool qtHost = true;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--seconds" && i + 1 < argc && platform::ScanInt(argv[i + 1], seconds) && seconds >= 1) {
      ++i;
    } else if (arg == "--window-only") {
      inProcess = qtHost = false;
    } else if (arg == "--in-process-only") {
      window = false;
    } else if (arg == "--qt-host-only") {
      window = inProcess = false;
    } else {
      Say("usage: bench_idle [--seconds N] [--window-only | --in-process-only | --qt-host-only]");
      return 2;
    }
  }
  bool ok = true;
  if (window) {
    const Idle idle = WindowProgram(seconds);
    Print("VigilStation (offscreen, embedded simulator) idle at its main window", idle, seconds);
    ok = ok && idle.ok;
  }
  if (inProcess) {
    const Idle idle = InProcess(seconds);
    Print("in process: real-time loop, schedule armed, Monitoring screen open in interval mode", idle,
          seconds);
    ok = ok && idle.ok;
  }
  if (qtHost) {
    const Idle idle = InQtHost(seconds);
    Print("in process through the Qt host: main window, schedule armed, link open, embedded simulator", idle,
          seconds);
    ok = ok && idle.ok;
  }
  return ok ? 0 : 1;
}
