// What the headless demo is asked to do, and what it found.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "demo/CorrectedTable.h"
#include "demo/CycleFiles.h"
#include "demo/DisplacementTable.h"

namespace vigil::demo {

inline constexpr int kDefaultDays = 3;

struct DemoOptions {
  std::filesystem::path outputFolder;  ///< program folder; the device root is its "device"
  std::filesystem::path scenarioPath;  ///< the simulated site
  int days = kDefaultDays;             ///< simulated days of scheduled cycles
  bool screens = true;                 ///< pictures of the screens (needs a QApplication)
};

struct DemoReport {
  int exitCode = 1;                   ///< 0: every step done and every error within tolerance
  std::vector<std::string> problems;  ///< what went wrong, in order
  CycleFileSummary cycles;            ///< the downloaded cycle files
  DisplacementTable table;            ///< raw: what the Differences page shows, against the truth
  CorrectedTable corrected;           ///< the station's evaluation against the truth: decides the exit code
  bool officeAgrees = false;          ///< the office import of the stick copy gave the station's results
  std::vector<std::filesystem::path> pictures;
  std::string text;  ///< everything the demo printed
};

/// Runs the whole program headless against the simulated site on one virtual clock.
DemoReport RunDemo(const DemoOptions& options);

}  // namespace vigil::demo
