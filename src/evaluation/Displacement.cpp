#include "evaluation/Displacement.h"

#include <Eigen/Dense>
#include <cmath>

#include "evaluation/Statistics.h"

namespace vigil::evaluation {

Displacement DisplacementBetween(const PointPosition& baseline, const PointPosition& now, double confidence) {
  Displacement d;
  const Eigen::Vector3d mm((now.eastingMetres - baseline.eastingMetres) * 1000.0,
                           (now.northingMetres - baseline.northingMetres) * 1000.0,
                           (now.levelMetres - baseline.levelMetres) * 1000.0);
  Eigen::Matrix3d cov;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      const auto ur = static_cast<std::size_t>(r), uc = static_cast<std::size_t>(c);
      cov(r, c) = (now.covariance[ur][uc] + baseline.covariance[ur][uc]) * 1e6;  // mm²
    }
  d.eastMm = mm(0);
  d.northMm = mm(1);
  d.levelMm = mm(2);
  d.sigmaEastMm = std::sqrt(cov(0, 0));
  d.sigmaNorthMm = std::sqrt(cov(1, 1));
  d.sigmaLevelMm = std::sqrt(cov(2, 2));
  d.testCritical = ChiSquareQuantile(confidence, 3);
  const Eigen::LDLT<Eigen::Matrix3d> ldlt(cov);
  if (ldlt.info() == Eigen::Success && ldlt.isPositive() && cov.diagonal().minCoeff() > 0.0) {
    d.testValue = mm.dot(ldlt.solve(mm));
  } else {
    d.testValue = 0.0;  // no stated uncertainty: nothing can be called significant
  }
  d.significant = std::isfinite(d.testValue) && d.testValue > d.testCritical;
  return d;
}

}  // namespace vigil::evaluation
