// How far a point lies from its baseline, how well that is known, and whether it is more
// than the noise: the test of the whole 3D vector against the chi-square bound of its
// covariance (3 degrees of freedom).
#pragma once

#include "evaluation/PointPosition.h"

namespace vigil::evaluation {

struct Displacement {
  double eastMm = 0.0;
  double northMm = 0.0;
  double levelMm = 0.0;
  double sigmaEastMm = 0.0;
  double sigmaNorthMm = 0.0;
  double sigmaLevelMm = 0.0;
  double testValue = 0.0;     ///< d' C^-1 d
  double testCritical = 0.0;  ///< chi-square bound at the confidence
  bool significant = false;
};

/// now - baseline; the covariances of both add.
Displacement DisplacementBetween(const PointPosition& baseline, const PointPosition& now, double confidence);

}  // namespace vigil::evaluation
