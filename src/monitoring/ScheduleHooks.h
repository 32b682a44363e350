// The main window's schedule tick and Monitor button: a cycle starts in the Monitoring
// screen when the local time reaches an entry of the cycle list; the screen is created for
// the cycle when it is not open, and told to start when it is.
#pragma once

#include "ui/MainWindowHooks.h"

namespace vigil::monitoring {

class MonitoringDialog;

class ScheduleHooks : public ui::MainWindowHooks {
 public:
  /// Timer 10: at a listed time stops the timer and starts a cycle without asking; the
  /// next-cycle line is refreshed on every tick.
  void OnScheduleTick(ui::MainWindow& window) override;
  /// The Monitor button: the screen opened by the operator.
  void OpenMonitoring(ui::MainWindow& window) override { RunMonitoring(window, false); }

  /// Starts a cycle without asking: in the open screen, or in one created in automatic mode
  /// that closes itself after the cycle.
  void StartScheduledCycle(ui::MainWindow& window);

  /// Opens the screen modally (and forgets it when it closes), or with one open already,
  /// starts a cycle in it without asking.
  void RunMonitoring(ui::MainWindow& window, bool automatic);

  /// Set while a cycle is being started by the schedule.
  bool StartedBySchedule() const { return startedBySchedule_; }
  /// The open Monitoring screen, or null.
  MonitoringDialog* OpenDialog() const { return open_; }

 private:
  MonitoringDialog* open_ = nullptr;
  bool startedBySchedule_ = false;
};

}  // namespace vigil::monitoring
