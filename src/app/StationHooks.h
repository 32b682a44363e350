// Everything the main window opens or ticks, from every subsystem, in one set of hooks: the
// schedule and the Monitor screen, the Training screen and the Orientation screen.
#pragma once

#include "app/StationAlarms.h"
#include "monitoring/ScheduleHooks.h"
#include "orientation/OrientationScreens.h"
#include "replication/StationReplication.h"
#include "results/StationResults.h"
#include "training/TrainingScreens.h"
#include "ui/MainWindowHooks.h"

namespace vigil::app {

class StationHooks final : public ui::MainWindowHooks {
 public:
  StationHooks();

  void OnScheduleTick(ui::MainWindow& window) override;
  void OpenMonitoring(ui::MainWindow& window) override { monitoring_.OpenMonitoring(window); }
  void OpenTraining(ui::MainWindow& window) override;
  void OpenOrientation(ui::MainWindow& window) override;
  bool OnCycleStored(ui::MainWindow& window, const std::filesystem::path& cycleFile) override;
  void OnCycleInterrupted(ui::MainWindow& window, std::int64_t startedMs) override;
  /// A line on standard error (the journal under systemd), the box's text on one line.
  void OnResumeFailedAgain(ui::MainWindow& window, int failures, std::string_view what) override;
  void OnReadingsNotWritten(ui::MainWindow& window, int readings) override;
  std::string AlarmLine() const override { return alarms_.Line(); }

  /// Starts the alarms' notifications (rows an earlier run left are delivered first).
  void StartAlarms(ui::AppContext& context) { alarms_.Start(context); }
  StationAlarms& Alarms() { return alarms_; }

  /// The evaluation of the last stored cycle, and what went wrong with it.
  const results::StationResults& Results() const { return results_; }

 private:
  monitoring::ScheduleHooks monitoring_;
  training::TrainingScreens training_;
  orientation::OrientationScreens orientation_;
  results::StationResults results_;
  StationAlarms alarms_;
  replication::StationReplication replication_;  ///< after results_: stopped before it
};

}  // namespace vigil::app
