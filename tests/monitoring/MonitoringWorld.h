// The program (MonitoringApp with its main window and the schedule hooks) against the
// simulated instrument on one virtual clock, with a training file of the site's prisms.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "demo/KnownSite.h"
#include "monitoring/MonitoringDialog.h"
#include "monitoring/ScheduleHooks.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "platform/WindowMessages.h"
#include "sim/SimClock.h"
#include "sim/Simulator.h"
#include "survey/Coordinates.h"
#include "survey/Units.h"
#include "training/TrainingFile.h"
#include "ui/MonitoringApp.h"
#include "ui/scripted/ScriptedHost.h"

namespace vigil::monitoring::test {

inline constexpr const char* kStartQuestion = "Start monitoring now?";
inline constexpr const char* kCompleted = "Monitoring cycle completed.";
inline constexpr platform::LocalDateTime kMorning{2026, 12, 7, 8, 0, 0, 0, 1};

/// Station at (1000, 2000, 100), circle zero 0, no noise; A 100 m east, B 100 m north and 5 m up.
inline sim::Scenario TwoPrismSite() {
  sim::Scenario s;
  s.station = {1000.0, 2000.0, 100.0};
  s.angleNoiseMgon = 0.0;
  s.distanceNoiseMm = 0.0;
  s.distanceNoisePpm = 0.0;
  s.tiltNoiseMgon = 0.0;
  s.prisms.push_back({"A", sim::PrismType::kMonitoring, -30.0, {1100.0, 2000.0, 100.0}, {}, {}});
  s.prisms.push_back({"B", sim::PrismType::kMonitoring, -30.0, {1000.0, 2100.0, 105.0}, {}, {}});
  return s;
}

using Trained = demo::KnownPoint;

class MonitoringWorld : public ::testing::Test {
 protected:
  explicit MonitoringWorld(sim::Scenario scenario = TwoPrismSite(), platform::LocalDateTime start = kMorning)
      : loop_(std::make_unique<platform::VirtualTimeDriver>(0, start)),
        bus_(platform::MakeInProcessBus()),
        simClock_(*loop_.Virtual()),
        sim_(*bus_, simClock_, std::move(scenario)),
        host_(loop_),
        app_(loop_, *bus_, host_,
             store::StorageLayout(platform::Paths(dir_.path(), dir_.path() / "device"))) {
    host_.SetFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
    EXPECT_TRUE(sim_.Start());
    EXPECT_TRUE(Context().Link().Connect());
    demo::TakeTrueStation(Settings(), sim_.scenario());
    app_.SetHooks(&hooks_);
  }
  ~MonitoringWorld() override {
    platform::SetFileFaultHook({});
    sim_.Stop();
  }

  ui::MainWindow& Window() { return app_.Window(); }
  ui::AppContext& Context() { return app_.Context(); }
  store::ProjectStationSettings& Settings() { return Context().Settings(); }

  /// The training file with the points as training would have stored them (display units).
  void WriteTraining(const std::vector<Trained>& points) {
    const std::string text = demo::TrainingTextOf(Settings(), points);
    const training::TrainingFileLocation where = training::TrainingFileOf(Context().Layout(), Settings());
    ASSERT_TRUE(platform::CreateFolder(where.folder));
    ASSERT_TRUE(platform::WriteUtf16FileAtomic(where.file, text));
  }
  void WriteTrainingAB() { WriteTraining({{"A", 1100.0, 2000.0, 100.0}, {"B", 1000.0, 2100.0, 105.0}}); }

  std::filesystem::path DataFolder() { return Context().Layout().DataFolder(); }
  std::vector<std::string> DataFiles() { return platform::FindFiles(DataFolder(), "*.vgl"); }
  std::string FileText(const std::string& name) {
    return platform::ReadUtf16File(DataFolder() / name).value_or("<none>");
  }
  /// The data lines of a file, split into fields (the header left out).
  std::vector<std::vector<std::string>> FileRows(const std::string& name) {
    std::vector<std::vector<std::string>> rows;
    const auto lines = platform::Split(FileText(name), "\r\n");
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) rows.push_back(platform::Split(lines[i], "\t"));
    return rows;
  }

  /// "A1 A1 B2 ..." of the readings list: point and face of each row.
  static std::string ListOrder(const MonitoringDialog& d) {
    std::string order;
    for (int r = 0; r < d.ListRowCount(MonitoringDialog::kReadingsListId); ++r) {
      if (!order.empty()) order += ' ';
      order += d.ListCell(MonitoringDialog::kReadingsListId, r, kCyclePoint) +
               d.ListCell(MonitoringDialog::kReadingsListId, r, kCycleFace);
    }
    return order;
  }

  /// Start pressed and confirmed, then the end of the cycle with its message.
  ui::ScriptedHost& ScriptUserCycle(MonitoringDialog& d, bool completedMessage = true) {
    host_.Press(MonitoringDialog::kButton1Id).AnswerMessageBox(kStartQuestion, platform::kIdYes);
    if (completedMessage) host_.AnswerMessageBox(kCompleted);
    return host_.WaitUntil("cycle ended", [&d] { return !d.Running(); });
  }

  int Turns() const { return sim_.log().Count("*DHA"); }

  vigil::test::TempFolder dir_;
  platform::EventLoop loop_;
  std::unique_ptr<platform::MessageBus> bus_;
  sim::VirtualSimClock simClock_;
  sim::Simulator sim_;
  ui::ScriptedHost host_;
  ui::MonitoringApp app_;
  ScheduleHooks hooks_;
};

}  // namespace vigil::monitoring::test
