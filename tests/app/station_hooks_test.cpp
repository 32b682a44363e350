// The program's main window with every subsystem's screens behind its buttons.
#include <gtest/gtest.h>

#include "../ui/AppFixture.h"
#include "app/StationHooks.h"
#include "monitoring/MonitoringDialog.h"
#include "orientation/OrientationDialog.h"
#include "training/TrainingDialog.h"

namespace vigil::app {
namespace {

using ui::MainWindow;
using ui::test::AppWithSimFixture;

TEST_F(AppWithSimFixture, TrainingOrientationAndMonitorOpenTheirScreens) {
  StationHooks hooks;
  app_.SetHooks(&hooks);
  bool trainingSeen = false;
  bool orientationSeen = false;
  bool monitoringSeen = false;
  ScriptEnableWithNewStation()
      .Press(MainWindow::kTrainingButtonId)
      .WaitForDialog<training::TrainingDialog>()
      .Do("training open", [&] { trainingSeen = true; })
      .Close()
      .WaitForDialog<MainWindow>()
      .Press(MainWindow::kOrientationButtonId)
      .WaitForDialog<orientation::OrientationDialog>()
      .Do("orientation open", [&] { orientationSeen = true; })
      .Close()
      .WaitForDialog<MainWindow>()
      .Press(MainWindow::kMonitorButtonId)
      .WaitForDialog<monitoring::MonitoringDialog>()
      .Do("monitoring open", [&] { monitoringSeen = true; })
      .EndAll();
  host_.Run(Window());
  EXPECT_TRUE(trainingSeen);
  EXPECT_TRUE(orientationSeen);
  EXPECT_TRUE(monitoringSeen);
}

}  // namespace
}  // namespace vigil::app
