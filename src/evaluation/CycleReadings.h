// The readings of one cycle file in internal units (gon, metres), whatever units the file
// was written in: its header says which.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/ProjectStationSettings.h"

namespace vigil::evaluation {

/// One line of a cycle file. A failed reading carries its expected Ha, Va, SD and no
/// coordinates; a measured one the reduced Ha (relative to the station's orientation), Va,
/// SD (atmosphere and prism constant applied) and the coordinates the station computed.
struct CycleReading {
  int lineNumber = 0;  ///< 1 is the header
  int cycleNumber = 0;
  int round = 0;
  int face = 1;
  std::string point;
  std::int64_t localMs = 0;  ///< local clock, ms since 1970
  bool measured = false;
  double haGon = 0.0;
  double vaGon = 0.0;
  double sdMetres = 0.0;
  double eastingMetres = 0.0;
  double northingMetres = 0.0;
  double rlMetres = 0.0;
};

struct CycleReadings {
  std::vector<CycleReading> readings;  ///< in file order
  int skippedLines = 0;                ///< lines with too few fields, no point, an unreadable time or angle
};

/// "07-12-2026" and "08:00:01" of a cycle line to ms since 1970 on the local clock; false
/// when either is malformed.
bool CycleLineTime(std::string_view date, std::string_view time, std::int64_t& localMs);

/// Reads a cycle file's text (UTF-8). Angles and distances are converted by the units its
/// header names ("Ha(gons)" or "Ha", "SD(m)", "SD(ft)", "SD(in)"); feet follow
/// `footStandard`'s dist_standard. False with `error` when there is no header.
bool ReadCycleReadings(std::string_view text, const store::ProjectStationSettings& footStandard,
                       CycleReadings& out, std::string& error);

}  // namespace vigil::evaluation
