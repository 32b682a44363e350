// The whole program's side (MonitoringApp with its main window) against the simulated
// instrument on one virtual clock, driven through the scripted host.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "platform/EventLoop.h"
#include "platform/WindowMessages.h"
#include "sim/SimClock.h"
#include "sim/Simulator.h"
#include "ui/MonitoringApp.h"
#include "ui/ProjectSelectDialog.h"
#include "ui/StationSettingsSheet.h"
#include "ui/scripted/ScriptedHost.h"

namespace vigil::ui::test {

inline constexpr const char* kEnableQuestion =
    "Instrument will initialize to MONITORING setting.  Proceed to Enable?";
inline constexpr const char* kDisableQuestion =
    "Instrument will initialize to PREVIOUS setting.  Proceed to Disable?";
inline constexpr const char* kCloseQuestion = "Are you sure you want to close DLK VIGIL\xE2\x84\xA2?";

/// Station at (1000, 2000, 100), circle zero 0, no noise; one prism 100 m due east, level.
inline sim::Scenario EastSite() {
  sim::Scenario s;
  s.station = {1000.0, 2000.0, 100.0};
  s.angleNoiseMgon = 0.0;
  s.distanceNoiseMm = 0.0;
  s.distanceNoisePpm = 0.0;
  s.tiltNoiseMgon = 0.0;
  s.prisms.push_back({"EAST", sim::PrismType::kMonitoring, -30.0, {1100.0, 2000.0, 100.0}, {}, {}});
  return s;
}

class AppFixture : public ::testing::Test {
 protected:
  explicit AppFixture(sim::Scenario scenario = EastSite())
      : loop_(std::make_unique<platform::VirtualTimeDriver>()),
        bus_(platform::MakeInProcessBus()),
        simClock_(*loop_.Virtual()),
        sim_(*bus_, simClock_, std::move(scenario)),
        host_(loop_),
        app_(loop_, *bus_, host_,
             store::StorageLayout(platform::Paths(dir_.path(), dir_.path() / "device"))) {
    host_.SetFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
  }
  ~AppFixture() override { sim_.Stop(); }

  MainWindow& Window() { return app_.Window(); }
  AppContext& Context() { return app_.Context(); }

  /// The commands the instrument received, from the first one equal to `from` on.
  std::vector<std::string> CommandsFrom(const std::string& from) const {
    std::vector<std::string> commands;
    for (const auto& entry : sim_.log().All()) commands.push_back(entry.bytes);
    auto first = std::find(commands.begin(), commands.end(), from);
    return {first, commands.end()};
  }
  int Count(std::string_view key) const { return sim_.log().Count(key); }

  /// Enable confirmed, up to the project selection in front.
  ScriptedHost& ScriptEnable() {
    return host_.Press(MainWindow::kEnableButtonId)
        .AnswerMessageBox(kEnableQuestion, platform::kIdYes)
        .WaitForDialog<ProjectSelectDialog>();
  }
  /// Enable, then a new project-station with the sheet's defaults confirmed.
  ScriptedHost& ScriptEnableWithNewStation() {
    return ScriptEnable()
        .Press(ProjectSelectDialog::kNewButtonId)
        .WaitForDialog<StationSettingsSheet>()
        .Press(StationSettingsSheet::kOkKeyId)
        .WaitForDialog<MainWindow>();
  }
  /// Closes the main window while monitoring is disabled.
  ScriptedHost& ScriptClose() { return host_.Close().AnswerMessageBox(kCloseQuestion, platform::kIdYes); }

  vigil::test::TempFolder dir_;
  platform::EventLoop loop_;
  std::unique_ptr<platform::MessageBus> bus_;
  sim::VirtualSimClock simClock_;
  sim::Simulator sim_;
  ScriptedHost host_;
  MonitoringApp app_;
};

/// The same with the instrument's application running.
class AppWithSimFixture : public AppFixture {
 protected:
  AppWithSimFixture() { EXPECT_TRUE(sim_.Start()); }
};

}  // namespace vigil::ui::test
