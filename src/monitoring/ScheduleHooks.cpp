#include "monitoring/ScheduleHooks.h"

#include "monitoring/MonitoringDialog.h"
#include "monitoring/Schedule.h"
#include "ui/MainWindow.h"

namespace vigil::monitoring {

void ScheduleHooks::OnScheduleTick(ui::MainWindow& window) {
  const platform::LocalDateTime now = window.Context().Loop().Now();
  if (IsCycleTime(window.Context().Settings().cycles, now.hour, now.minute)) {
    window.ArmSchedule(false);
    startedBySchedule_ = true;
    StartScheduledCycle(window);
    startedBySchedule_ = false;
  }
  window.UpdateNextCycleLabel(true);
}

void ScheduleHooks::StartScheduledCycle(ui::MainWindow& window) {
  RunMonitoring(window, true);
}

void ScheduleHooks::RunMonitoring(ui::MainWindow& window, bool automatic) {
  if (open_ != nullptr) {
    open_->StartCycle(false);
    return;
  }
  MonitoringDialog dialog(window, automatic);
  open_ = &dialog;
  window.Context().Host().RunModal(dialog);
  open_ = nullptr;
}

}  // namespace vigil::monitoring
