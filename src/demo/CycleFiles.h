// The cycle data files as the operator takes them home: each parsed with the program's own
// reader, the measured and failed lines counted, and each point's last good reading found.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "evaluation/CycleReadings.h"
#include "monitoring/CycleColumns.h"

namespace vigil::demo {

/// The last reading of a point that has coordinates (metres) and when it was taken.
struct GoodReading {
  double eastingMetres = 0.0;
  double northingMetres = 0.0;
  double rlMetres = 0.0;
  std::int64_t localMs = 0;  ///< local clock, ms since 1970
  std::string file;
};

struct CycleFileSummary {
  int files = 0;
  int unreadable = 0;                           ///< files that could not be read or held no reading
  int measuredLines = 0;                        ///< readings with coordinates
  int failedLines = 0;                          ///< readings recorded as failed (no coordinates)
  std::map<std::string, GoodReading> lastGood;  ///< by point name
  std::map<std::string, int> failedByPoint;
};

using evaluation::CycleLineTime;

/// Adds the readings of one file's rows (in file order; a later good reading wins).
void AddCycleRows(const std::vector<monitoring::CycleRow>& rows, const std::string& fileName,
                  CycleFileSummary& summary);

/// Reads every "*.vgl" of `folder` in name order.
CycleFileSummary ReadCycleFiles(const std::filesystem::path& folder);

}  // namespace vigil::demo
