// A month of scheduled monitoring through the real program on the virtual clock: the main
// window with the schedule armed, the Monitoring screen open in interval mode, and the
// in-process simulated instrument with many prisms. Prints how fast it runs, how memory
// behaves day after day, and checks the cycle files hold every reading.
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "TempFolder.h"
#include "monitoring/MonitoringDialog.h"
#include "monitoring/ScheduleHooks.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/WindowMessages.h"
#include "sim/SimClock.h"
#include "sim/Simulator.h"
#include "support/CampaignSite.h"
#include "support/CycleCount.h"
#include "support/ProcStats.h"
#include "support/Report.h"
#include "training/TrainingFile.h"
#include "ui/MainWindow.h"
#include "ui/MonitoringApp.h"
#include "ui/scripted/ScriptedHost.h"

namespace {

using namespace vigil;
using bench::Figure;
using bench::FigureText;
using bench::Say;
using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kDayMs = 86'400'000;
// 90 s before 01:00: the first schedule tick after arming falls just before the first cycle.
constexpr platform::LocalDateTime kStart{2026, 12, 7, 0, 58, 30, 0, 1};
constexpr std::uint64_t kStartOfDayMs = (58 * 60 + 30) * 1000;

struct Options {
  bench::CampaignShape shape;
  bool keepSimLog = false;
  bool ok = true;
};

Options ParseOptions(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--days" && i + 1 < argc && platform::ScanInt(argv[i + 1], o.shape.days) &&
        o.shape.days >= 1) {
      ++i;
    } else if (arg == "--keep-sim-log") {
      o.keepSimLog = true;
    } else {
      o.ok = false;
    }
  }
  return o;
}

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

struct DaySample {
  double wallSeconds = 0.0;
  double residentMiB = 0.0;
};

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseOptions(argc, argv);
  if (!options.ok) {
    Say("usage: bench_campaign [--days N] [--keep-sim-log]");
    return 2;
  }
  const bench::CampaignShape& shape = options.shape;

  vigil::test::TempFolder dir;
  platform::EventLoop loop(std::make_unique<platform::VirtualTimeDriver>(0, kStart));
  auto bus = platform::MakeInProcessBus();
  sim::VirtualSimClock simClock(*loop.Virtual());
  sim::Simulator simulator(*bus, simClock, bench::CampaignSite(shape.prisms));
  ui::ScriptedHost host(loop);
  std::vector<std::string> failures;
  host.SetFailureHandler([&failures](const std::string& what) { failures.push_back(what); });
  ui::MonitoringApp app(loop, *bus, host,
                        store::StorageLayout(platform::Paths(dir.path(), dir.path() / "device")));
  monitoring::ScheduleHooks hooks;
  app.SetHooks(&hooks);

  if (!simulator.Start() || !app.Context().Link().Connect()) {
    Say("bench_campaign: no link with the simulated instrument");
    return 1;
  }
  store::ProjectStationSettings& settings = app.Context().Settings();
  bench::SetUpCampaign(settings, simulator.scenario(), shape);
  const training::TrainingFileLocation training = training::TrainingFileOf(app.Context().Layout(), settings);
  if (!platform::CreateFolder(training.folder) ||
      !platform::WriteUtf16FileAtomic(training.file, bench::TrainingTextOf(settings, simulator.scenario()))) {
    Say("bench_campaign: the training file cannot be written");
    return 1;
  }

  using MW = ui::MainWindow;
  const double residentAtStart = bench::ResidentMiB(0).value_or(0.0);
  std::vector<DaySample> days;
  const Clock::time_point started = Clock::now();
  const double cpuAtStart = bench::SelfCpuSeconds();
  host.Do("arm the schedule as a confirmed sheet in interval mode does",
          [&] {
            app.Window().Enable(MW::kMonitorButtonId, true);
            app.Window().UpdateNextCycleLabel(true);
            app.Window().ArmSchedule(true);
          })
      .Press(MW::kMonitorButtonId)
      .WaitForDialog<monitoring::MonitoringDialog>();
  for (int day = 1; day <= shape.days; ++day) {
    // Midnight after the day: its last cycle has long ended, the next day's first not begun.
    const std::uint64_t midnightMs = static_cast<std::uint64_t>(day) * kDayMs - kStartOfDayMs;
    host.WaitUntil(
            platform::Format("day %d done", {day}),
            [&loop, midnightMs] { return loop.Time().ElapsedMs() >= midnightMs; }, kDayMs + 60000)
        .Do(platform::Format("sample day %d", {day}), [&] {
          // The simulator's record of every command is the test oracle's, not the program's.
          if (!options.keepSimLog) simulator.log().Clear();
          days.push_back({SecondsSince(started), bench::ResidentMiB(0).value_or(0.0)});
        });
  }
  host.EndAll();
  host.Run(app.Window());
  const double wallSeconds = SecondsSince(started);
  const double cpuSeconds = bench::SelfCpuSeconds() - cpuAtStart;
  const double simulatedSeconds = static_cast<double>(loop.Time().ElapsedMs()) / 1000.0;
  simulator.Stop();

  const bench::CycleLineCount lines = bench::CountCycleFiles(app.Context().Layout().DataFolder());
  const long long expected = bench::ExpectedReadings(shape);

  Say(platform::Format("bench_campaign: %d days x %d cycles x %d prisms x %d faces x %d repeats",
                       {
                           shape.days,
                           shape.cyclesPerDay,
                           shape.prisms,
                           shape.faces,
                           shape.repeats,
                       }));
  Say("resident memory after each simulated day (MiB), wall seconds so far:");
  for (std::size_t d = 0; d < days.size(); ++d) {
    Say(platform::Format("  day %2d  %8.1lf MiB  %8.1lf s",
                         {static_cast<int>(d + 1), days[d].residentMiB, days[d].wallSeconds}));
  }
  Figure("wall time", wallSeconds, 1, "s");
  Figure("CPU time of the process", cpuSeconds, 1, "s");
  Figure("readings per wall second", static_cast<double>(lines.Lines()) / wallSeconds, 0, "");
  Figure("wall time per reading", wallSeconds * 1e6 / static_cast<double>(std::max(lines.Lines(), 1LL)), 0,
         "us");
  Figure("simulated seconds per wall second", simulatedSeconds / wallSeconds, 0, "");
  Figure("resident memory before the campaign", residentAtStart, 1, "MiB");
  if (!days.empty()) {
    Figure("resident memory after day 1", days.front().residentMiB, 1, "MiB");
    Figure("resident memory after the last day", days.back().residentMiB, 1, "MiB");
  }
  Figure("peak resident memory (ru_maxrss)", bench::PeakResidentMiB(), 1, "MiB");
  FigureText("cycle files", platform::FormatInt(lines.files));
  FigureText("data lines (measured + failed)",
             platform::Format("%d (%d + %d), expected %d",
                              {static_cast<long long>(lines.Lines()), static_cast<long long>(lines.measured),
                               static_cast<long long>(lines.failed), static_cast<long long>(expected)}));
  if (lines.malformed > 0) FigureText("malformed lines", platform::FormatInt(lines.malformed));
  for (const std::string& f : failures) Say("script: " + f);

  const bool complete = lines.Lines() == expected && lines.malformed == 0 &&
                        lines.files == static_cast<long long>(shape.days) * shape.cyclesPerDay &&
                        failures.empty();
  Say(complete ? "every reading is in the cycle files" : "THE CYCLE FILES DO NOT HOLD THE CAMPAIGN");
  return complete ? 0 : 1;
}
