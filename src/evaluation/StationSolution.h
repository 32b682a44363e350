// The station of a cycle with its references tested: a reference whose observation fails the
// test of its standardised residual has moved or was disturbed; it is excluded and the
// station computed again from the others. With fewer than two usable references, or
// references nearly on one line through the station, the cycle is not corrected and says why.
#pragma once

#include <string>
#include <vector>

#include "evaluation/StationAdjustment.h"

namespace vigil::evaluation {

struct ReferenceUse {
  std::string point;
  bool used = false;
  std::string why;  ///< why not used; empty when used
};

struct StationSolution {
  bool corrected = false;
  std::string uncorrectedWhy;            ///< why not corrected; empty when corrected
  StationAdjustment adjustment;          ///< from the used references (the last one tried when not corrected)
  std::vector<ReferenceUse> references;  ///< every reference, in the order given
};

struct SolutionSettings {
  Precision precision;
  double confidence = 0.95;            ///< of the global test
  double referenceConfidence = 0.999;  ///< of each observation's test
  double minimumSpreadGon = 10.0;      ///< smallest angle between the lines to two references
};

/// The largest angle (gon, 0 .. 100) between the lines from the station to two of the
/// references: 0 when all lie on one line through the station.
double ReferenceSpreadGon(const std::vector<ReferenceObservation>& references);

/// `unavailable`: references of the training that this cycle did not measure, with why.
StationSolution SolveStation(const std::vector<ReferenceObservation>& references,
                             std::vector<ReferenceUse> unavailable, const StationEstimate& provisional,
                             const SolutionSettings& settings);

}  // namespace vigil::evaluation
