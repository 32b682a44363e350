// The whole program on a virtual clock that starts at a given local time, on a program folder
// that outlives it: one run of a station that is stopped and started again. The settings and
// training files of the site are written directly, so a run only enables, loads and waits.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/StationHooks.h"
#include "platform/EventLoop.h"
#include "platform/WindowMessages.h"
#include "sim/SimClock.h"
#include "sim/Simulator.h"
#include "ui/MonitoringApp.h"
#include "ui/scripted/ScriptedHost.h"

namespace vigil::crashtest {

/// The site's two prisms measured face 1 once per cycle: the rows of a whole cycle.
inline constexpr int kResumeRowsPerCycle = 2;

/// Hooks of the real program that also report schedule ticks, stored cycles and interrupted
/// cycles, each with the local time (ms since 1970).
class ObservedHooks final : public ui::MainWindowHooks {
 public:
  using Report = std::function<void(const std::string& what, std::int64_t ms)>;
  explicit ObservedHooks(Report report) : report_(std::move(report)) {}

  void OnScheduleTick(ui::MainWindow& window) override;
  void OpenMonitoring(ui::MainWindow& window) override { station_.OpenMonitoring(window); }
  void OpenTraining(ui::MainWindow& window) override { station_.OpenTraining(window); }
  void OpenOrientation(ui::MainWindow& window) override { station_.OpenOrientation(window); }
  bool OnCycleStored(ui::MainWindow& window, const std::filesystem::path& cycleFile) override;
  void OnCycleInterrupted(ui::MainWindow& window, std::int64_t startedMs) override;
  void OnResumeFailedAgain(ui::MainWindow& window, int failures, std::string_view what) override {
    failedAgain_.push_back(std::to_string(failures) + " " + std::string(what));
    station_.OnResumeFailedAgain(window, failures, what);
  }

  int Interrupted() const { return interrupted_; }
  /// Each resume try told only by the hooks: "N text".
  const std::vector<std::string>& FailedAgain() const { return failedAgain_; }

 private:
  Report report_;
  app::StationHooks station_;
  int interrupted_ = 0;
  std::vector<std::string> failedAgain_;
};

class ResumeWorld {
 public:
  /// `report` may be empty.
  ResumeWorld(const std::filesystem::path& home, std::int64_t startLocalMs,
              ObservedHooks::Report report = {});
  ~ResumeWorld();

  /// Settings "PROJ_STN1" at the site's station, interval mode with cycles every `intervalHours`
  /// from 12:00 AM, face 1 once; `resume_after_restart` when `resume`. And its training file.
  bool WriteStation(bool resume, const std::string& intervalHours = "2");

  /// Enable answered Yes, the written project-station chosen and its sheet confirmed.
  ui::ScriptedHost& ScriptEnableStation();
  /// Waits until the schedule is in force again (a resume or an Enable finished).
  ui::ScriptedHost& WaitInForce(std::uint64_t timeoutMs = 10 * 60 * 1000);
  /// Lets the loop run until the local time reaches `untilMs`.
  ui::ScriptedHost& WaitUntilLocal(std::int64_t untilMs);

  /// Runs the main window with the script; with `resume`, as a start with --resume.
  int Run(bool resume);

  std::int64_t NowMs();
  /// The instrument's application gone, or there again.
  void StopInstrument() { sim_.Stop(); }
  bool StartInstrument() { return sim_.Start(); }
  ui::ScriptedHost& Host() { return host_; }
  ui::MainWindow& Window() { return app_.Window(); }
  const ObservedHooks& Hooks() const { return hooks_; }
  const store::StorageLayout& Layout() const { return layout_; }

 private:
  store::StorageLayout layout_;
  platform::EventLoop loop_;
  std::unique_ptr<platform::MessageBus> bus_;
  sim::VirtualSimClock simClock_;
  sim::Simulator sim_;
  ui::ScriptedHost host_;
  ui::MonitoringApp app_;
  ObservedHooks hooks_;
};

}  // namespace vigil::crashtest
