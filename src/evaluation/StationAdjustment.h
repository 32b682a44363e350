// The station of one cycle by least squares from its reference prisms: their trained
// coordinates are the frame; each reference gives three observations (Ha relative to the
// station's orientation, the zenith angle Va and the slope distance SD, each the mean of the
// cycle's readings) weighted by the instrument's stated precision. Unknowns: the instrument
// axis (E, N, level) and the correction to the orientation (grid bearing = Ha + correction).
// The steps are the textbook's: observations and weights, Gauss-Newton iteration of the
// normal equations, residuals with their redundancy numbers, standardised residuals, the
// a-posteriori standard deviation of unit weight and the global (chi-square) test.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "evaluation/Precision.h"

namespace vigil::evaluation {

struct ReferenceObservation {
  std::string point;
  int readings = 1;  ///< readings averaged into each of Ha, Va, SD
  double haGon = 0.0;
  double vaGon = 0.0;
  double sdMetres = 0.0;
  double eastingMetres = 0.0;  ///< the reference's trained (frame) coordinates
  double northingMetres = 0.0;
  double levelMetres = 0.0;
  /// Readings that trained the frame coordinates (0: known exactly). Trained by the same
  /// instrument, they are as uncertain as its readings; left out, every reference looks moved.
  int trainedReadings = 1;
};

/// The instrument axis and the orientation correction (grid bearing = Ha + correction).
struct StationEstimate {
  double eastingMetres = 0.0;
  double northingMetres = 0.0;
  double levelMetres = 0.0;
  double orientationCorrectionGon = 0.0;
};

enum ObservationKind { kObsHa = 0, kObsVa = 1, kObsSd = 2 };

/// One observation after the adjustment. Angles in mgon, distances in mm.
struct Residual {
  double value = 0.0;         ///< adjusted minus observed
  double sigma = 0.0;         ///< a-priori standard deviation
  double redundancy = 0.0;    ///< its share of the redundancy (0 .. 1)
  double standardised = 0.0;  ///< value / (sigma * sqrt(redundancy)); 0 where redundancy is nil
};

struct ReferenceResiduals {
  std::string point;
  std::array<Residual, 3> of{};  ///< by ObservationKind
};

/// Covariance of (E, N, level, orientation correction) in metres and radians.
using StationCovariance = std::array<std::array<double, 4>, 4>;

struct StationAdjustment {
  bool solved = false;
  std::string failure;  ///< why not, when not solved
  StationEstimate station;
  StationCovariance covariance{};  ///< a priori (sigma0 = 1)
  double sigmaEastingMm = 0.0;
  double sigmaNorthingMm = 0.0;
  double sigmaLevelMm = 0.0;
  double sigmaOrientationMgon = 0.0;
  std::vector<ReferenceResiduals> residuals;  ///< in the order of the references given
  int observations = 0;
  int redundancy = 0;
  double weightedSquareSum = 0.0;   ///< v'Pv
  double sigma0 = 0.0;              ///< a posteriori, 0 without redundancy
  double globalTestCritical = 0.0;  ///< chi-square bound of v'Pv at the confidence
  bool globalTestPassed = true;
  int iterations = 0;
};

/// Adjusts from `provisional` (the station as set in the program, correction 0 is fine).
/// Needs at least two references; references that leave the station undetermined (all on
/// one point, or none with a horizontal distance) give solved = false with the reason.
StationAdjustment AdjustStation(const std::vector<ReferenceObservation>& references,
                                const StationEstimate& provisional, const Precision& precision,
                                double confidence);

}  // namespace vigil::evaluation
