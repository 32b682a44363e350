// The parts of the main window that other subsystems fill: the schedule tick and the
// Monitor, Training and Orientation screens. Until they are installed the buttons open
// nothing and the tick does nothing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

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
  /// A cycle's lines are in `cycleFile`: what else becomes of them (the results database).
  /// False when that failed; the cycle is stored all the same.
  virtual bool OnCycleStored(MainWindow& window, const std::filesystem::path& cycleFile) {
    (void)window;
    (void)cycleFile;
    return true;
  }
  /// The program stopped while a cycle that started at `startedMs` (local ms since 1970) was
  /// being measured; its file keeps what was stored. Called at a start that resumes.
  virtual void OnCycleInterrupted(MainWindow& window, std::int64_t startedMs) {
    (void)window;
    (void)startedMs;
  }
  /// Readings of the cycle that just ended were not written to its cycle file.
  virtual void OnReadingsNotWritten(MainWindow& window, int readings) {
    (void)window;
    (void)readings;
  }
  /// A resume's Enable failed again: the `failures`-th try in a row (2 or more), `what` the box it
  /// would have shown. Only the first failure of a run of failures has a box: an unattended
  /// station retrying for days must not pile boxes up.
  virtual void OnResumeFailedAgain(MainWindow& window, int failures, std::string_view what) {
    (void)window;
    (void)failures;
    (void)what;
  }
  /// One line on the alarms for the Monitoring screen; empty: nothing to show.
  virtual std::string AlarmLine() const { return {}; }
};

}  // namespace vigil::ui
