#include "YearRun.h"

#include <memory>

#include "CycleTally.h"
#include "ResidentMemory.h"
#include "TempFolder.h"
#include "YearSite.h"
#include "demo/KnownSite.h"
#include "monitoring/ScheduleHooks.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "platform/WindowMessages.h"
#include "sim/SimClock.h"
#include "sim/Simulator.h"
#include "store/StorageLayout.h"
#include "training/TrainingFile.h"
#include "ui/MonitoringApp.h"
#include "ui/scripted/ScriptedHost.h"

namespace vigil::longrun {

namespace {

constexpr std::uint64_t kDayMs = 24ull * 3600 * 1000;
constexpr int kCyclesPerDay = 6;  // the default list: 01, 05, 09 AM and 01, 05, 09 PM
// Half an hour before the first cycle: every simulated day ends with its six cycles done.
constexpr platform::LocalDateTime kStart{2027, 1, 1, 0, 30, 0, 0, 5};

class Station {
 public:
  Station()
      : loop_(std::make_unique<platform::VirtualTimeDriver>(0, kStart)),
        bus_(platform::MakeInProcessBus()),
        simClock_(*loop_.Virtual()),
        sim_(*bus_, simClock_, YearScenario()),
        host_(loop_),
        app_(loop_, *bus_, host_,
             store::StorageLayout(platform::Paths(dir_.path(), dir_.path() / "device"))) {
    host_.SetFailureHandler([this](const std::string& what) { problems_.push_back("host: " + what); });
  }
  ~Station() { sim_.Stop(); }

  bool Prepare(const YearOptions& o) {
    if (!sim_.Start() || !app_.Context().Link().Connect()) return Problem("the instrument did not connect");
    store::ProjectStationSettings& s = app_.Context().Settings();
    const sim::Scenario& site = sim_.scenario();
    demo::TakeTrueStation(s, site);
    s.mode = 0;
    s.sequence = o.faces ? 0 : 2;
    s.repeat = o.repeat;
    app_.SetHooks(&hooks_);
    const training::TrainingFileLocation where = training::TrainingFileOf(app_.Context().Layout(), s);
    if (!platform::CreateFolder(where.folder) ||
        !platform::WriteUtf16FileAtomic(where.file, TrainingText(site, s)))
      return Problem("the training file could not be written");
    return true;
  }

  YearFigures Run(const YearOptions& o, const std::function<void(const MonthFigures&)>& onMonth) {
    YearFigures figures;
    figures.residentAtStartBytes = ResidentBytes();
    const int rows = RowsPerCycle(o);
    MonthFigures month = Open(kStart);
    host_.Do("arm the schedule as a confirmed sheet in interval mode", [this] {
      ui::MainWindow& w = app_.Window();
      w.Enable(ui::MainWindow::kMonitorButtonId, true);
      w.UpdateNextCycleLabel(true);
      w.ArmSchedule(true);
    });
    for (int day = 1; day <= o.days; ++day) {
      host_.WaitMs(kDayMs).Do("day over", [&, day] {
        ++month.days;
        const platform::LocalDateTime now = loop_.Now();
        if (now.month != month.month || day == o.days) {
          Close(month, rows);
          figures.months.push_back(month);
          onMonth(month);
          month = Open(now);
        }
      });
    }
    host_.EndAll();
    host_.Run(app_.Window());
    figures.problems = problems_;
    return figures;
  }

 private:
  bool Problem(std::string what) {
    problems_.push_back(std::move(what));
    return false;
  }
  static MonthFigures Open(const platform::LocalDateTime& at) {
    MonthFigures m;
    m.year = at.year;
    m.month = at.month;
    return m;
  }
  void Close(MonthFigures& m, int rows) {
    const store::ProjectStationSettings& s = app_.Context().Settings();
    const CycleTally t = TallyCycleFiles(app_.Context().Layout().DataFolder(),
                                         MonthPattern(s.station, s.project, m.month, m.year));
    m.cycles = t.files;
    m.measured = t.measured;
    m.failed = t.failed;
    m.malformed = t.malformed;
    m.expectedLines = m.days * kCyclesPerDay * rows;
    // The instrument's own log is the simulator's, not the program's: emptied every month so
    // that only the program's memory is measured.
    m.turns = sim_.log().Count("*DHA");
    sim_.log().Clear();
    m.residentBytes = ResidentBytes();
  }

  vigil::test::TempFolder dir_;
  platform::EventLoop loop_;
  std::unique_ptr<platform::MessageBus> bus_;
  sim::VirtualSimClock simClock_;
  sim::Simulator sim_;
  ui::ScriptedHost host_;
  ui::MonitoringApp app_;
  monitoring::ScheduleHooks hooks_;
  std::vector<std::string> problems_;
};

}  // namespace

int RowsPerCycle(const YearOptions& o) {
  return kPrismCount * (o.faces ? 2 : 1) * o.repeat;
}

YearFigures RunYear(const YearOptions& options, const std::function<void(const MonthFigures&)>& onMonth) {
  Station station;
  if (!station.Prepare(options)) {
    YearFigures f;
    f.problems.push_back("the station could not be prepared");
    return f;
  }
  return station.Run(options, onMonth);
}

}  // namespace vigil::longrun
