// The parts of the main window that other subsystems fill: the schedule tick and the
// Monitor, Training and Orientation screens. Until they are installed the buttons open
// nothing and the tick does nothing.
#pragma once

namespace vigil::ui {

class MainWindow;

class MainWindowHooks {
 public:
  virtual ~MainWindowHooks() = default;
  /// A tick of the schedule timer (id 10).
  virtual void OnScheduleTick(MainWindow& window) { (void)window; }
  /// The Monitor button: a cycle started by the operator (automatic start clear).
  virtual void OpenMonitoring(MainWindow& window) { (void)window; }
  virtual void OpenTraining(MainWindow& window) { (void)window; }
  virtual void OpenOrientation(MainWindow& window) { (void)window; }
};

}  // namespace vigil::ui
