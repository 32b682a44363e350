// The whole program (main window, every subsystem's screens and the simulated instrument) on
// the virtual clock, carrying out a short day at a station: a new project-station saved from
// the settings sheet, two points trained, a resection applied, then monitoring cycles. Every
// kind of stored file is written: settings replaced, training rewritten, cycle lines appended.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vigil::crashtest {

struct ScenarioOptions {
  int cycles = 2;  ///< monitoring cycles started by the operator
  /// Boxes that tell of a write that failed are answered without complaint (their texts are
  /// still in the outcome); otherwise any such box is a script failure.
  bool tolerateWriteFailures = false;
  /// Run just before the Monitoring screen opens (a test fills or locks the medium there).
  std::function<void()> beforeMonitoring;
};

struct ScenarioOutcome {
  bool scriptCompleted = false;       ///< every step carried out, nothing unexpected
  std::vector<std::string> failures;  ///< what the scripted host found wrong
  std::vector<std::string> messages;  ///< every message box text, in order
  bool sheetStayedOpen = false;       ///< the settings sheet was still up after OK
  int unwrittenReadings = 0;          ///< the Monitoring screen's count of lines not stored
  std::string notWrittenLabel;        ///< its label text when shown
  std::vector<int> readingRows;       ///< rows in the readings list at the end of each cycle
};

/// Names the scenario gives its files (below the program folder).
inline constexpr const char* kSettingsRelative = "Station/PROJ_STN1.txt";
inline constexpr const char* kTrainingRelative = "Training/PROJ_STN1.ini";

/// Runs the scenario with `home` as the program folder (a device root below it).
ScenarioOutcome RunStationScenario(const std::filesystem::path& home, const ScenarioOptions& options = {});

}  // namespace vigil::crashtest
