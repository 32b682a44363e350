// The station's own evaluation against the truth: each prism's corrected displacement (from
// the results database the station wrote after every cycle) beside what the simulator moved
// it, judged by the uncertainty the evaluation itself states; and which references each day's
// cycles used.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "demo/DisplacementTable.h"
#include "results/ResultsDatabase.h"
#include "sim/Scenario.h"
#include "training/TrainingPoint.h"

namespace vigil::demo {

struct CorrectedRow {
  std::string point;
  std::string simPrism;
  bool measured = false;   ///< a corrected displacement exists
  bool corrected = false;  ///< its cycle's station came from the references
  Shift corrected3;        ///< corrected displacement (mm)
  Shift raw;               ///< what the Differences page showed for the same cycle (mm)
  Shift simulated;
  Shift error;                 ///< corrected - simulated
  Shift sigma;                 ///< the evaluation's standard deviations (mm)
  double largestSigmas = 0.0;  ///< largest |error| / sigma over the axes
  bool significant = false;
  std::string file;
  /// Over every cycle: the mean error (what the baseline's own measurement leaves, 3D mm) and
  /// the 95th percentile of each cycle's distance from that mean (3D mm).
  double constantErrorMm = 0.0;
  double scatter95Mm = 0.0;
  int cycles = 0;
};

struct CorrectedTable {
  std::vector<CorrectedRow> rows;
  int outside = 0;                             ///< rows beyond the allowed sigmas or without a result
  Shift largestError;                          ///< per axis, absolute (mm)
  Shift largestRawError;                       ///< per axis, absolute (mm)
  double largestConstantMm = 0.0;              ///< of the rows' constant errors, moved references aside
  double largestScatter95Mm = 0.0;             ///< of the rows' scatters, moved references aside
  std::vector<std::string> referenceProblems;  ///< a stepping reference kept, a still one dropped
  std::string referenceText;                   ///< per day: cycles, references used and excluded
};

/// Sigmas of its own stated uncertainty a corrected displacement may be off the truth.
inline constexpr double kAllowedSigmas = 3.5;

CorrectedTable CompareCorrected(const sim::Scenario& site,
                                const std::vector<training::TrainingPoint>& trained, std::int64_t trainedAtMs,
                                results::ResultsDatabase& db, const std::string& project,
                                const std::string& station);

std::string FormatCorrected(const CorrectedTable& table);

}  // namespace vigil::demo
