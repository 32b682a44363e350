// Reported against simulated displacement per prism: what the cycle files say a point moved
// since it was trained, beside what the simulator moved it, and whether the difference is
// within what the simulated noise explains.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "demo/CycleFiles.h"
#include "sim/Scenario.h"
#include "training/TrainingPoint.h"

namespace vigil::demo {

/// dE, dN, dRL (mm).
struct Shift {
  double eMm = 0.0;
  double nMm = 0.0;
  double rlMm = 0.0;
};

struct DisplacementRow {
  std::string point;      ///< name in the program
  std::string simPrism;   ///< the simulated prism it was trained on; empty: none near
  bool measured = false;  ///< a good reading exists
  Shift reported;
  Shift simulated;
  Shift error;  ///< reported - simulated
  double largestErrorMm = 0.0;
  double toleranceMm = 0.0;
  int failedLines = 0;
};

struct DisplacementTable {
  std::vector<DisplacementRow> rows;
  double toleranceMm = 0.0;  ///< the largest of the rows'
  Shift largestError;        ///< per axis, absolute
  int outside = 0;           ///< rows with an error above tolerance, or without a reading
};

/// Largest error (mm) per axis that the simulated noise explains for a point
/// `distanceMetres` from the station, oriented on reference prisms `referenceMetres` away
/// (the formula is at the definition).
double ToleranceMm(const sim::Scenario& site, double distanceMetres, double referenceMetres);

/// The trained points (coordinates in metres as the file holds them) matched to the
/// simulated prisms nearest their trained position at `trainedAtMs`, compared with the last
/// good readings of `cycles`.
DisplacementTable CompareDisplacements(const sim::Scenario& site,
                                       const std::vector<training::TrainingPoint>& trained,
                                       std::int64_t trainedAtMs, const CycleFileSummary& cycles);

/// The table as text, one line per point, then the largest errors and the tolerance.
std::string FormatTable(const DisplacementTable& table);

}  // namespace vigil::demo
