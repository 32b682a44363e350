#include "evaluation/StationAdjustment.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>

#include "evaluation/Statistics.h"
#include "survey/Coordinates.h"

namespace vigil::evaluation {

namespace {

using survey::kGonToRadians;
using survey::kRadiansToGon;

constexpr int kUnknowns = 4;  // E, N, level (m), orientation correction (rad)
constexpr int kMaxIterations = 12;
constexpr double kConvergedMetres = 1e-7;

double WrapRadians(double a) {
  const double turn = 400.0 * kGonToRadians;
  a = std::fmod(a, turn);
  if (a > turn / 2.0) a -= turn;
  if (a <= -turn / 2.0) a += turn;
  return a;
}

// The cycle's mean and the training's reading of the same observation disagree by both noises.
double Combined(double cycleSigma, double trainedSigma, int trainedReadings) {
  return trainedReadings > 0 ? std::hypot(cycleSigma, trainedSigma) : cycleSigma;
}

// The linearised model at the unknowns x: design matrix, misclosures (observed - computed)
// and the a-priori standard deviations, angles in radians.
struct Linearised {
  Eigen::MatrixXd a;
  Eigen::VectorXd misclosure;
  Eigen::VectorXd sigma;
};

Linearised Linearise(const std::vector<ReferenceObservation>& refs, const Eigen::Vector4d& x,
                     const Precision& precision) {
  const auto n = static_cast<Eigen::Index>(refs.size() * 3);
  Linearised lin{Eigen::MatrixXd::Zero(n, kUnknowns), Eigen::VectorXd::Zero(n), Eigen::VectorXd::Zero(n)};
  for (std::size_t i = 0; i < refs.size(); ++i) {
    const ReferenceObservation& r = refs[i];
    const auto row = static_cast<Eigen::Index>(i * 3);
    const double dE = r.eastingMetres - x(0), dN = r.northingMetres - x(1), dH = r.levelMetres - x(2);
    const double s2 = dE * dE + dN * dN, s = std::sqrt(s2);
    const double angleSigma = Combined(precision.AngleSigmaGon(r.readings),
                                       precision.AngleSigmaGon(r.trainedReadings), r.trainedReadings) *
                              kGonToRadians;
    const double slope2 = s2 + dH * dH, slope = std::sqrt(slope2);
    // Ha = bearing - correction
    const double haComputed = std::atan2(dE, dN) - x(3);
    lin.a.row(row) << -dN / s2, dE / s2, 0.0, -1.0;
    lin.misclosure(row) = WrapRadians(r.haGon * kGonToRadians - haComputed);
    lin.sigma(row) = angleSigma;
    // Va = zenith angle
    const double vaComputed = std::atan2(s, dH);
    lin.a.row(row + 1) << -dH * dE / (slope2 * s), -dH * dN / (slope2 * s), s / slope2, 0.0;
    lin.misclosure(row + 1) = r.vaGon * kGonToRadians - vaComputed;
    lin.sigma(row + 1) = angleSigma;
    // SD
    lin.a.row(row + 2) << -dE / slope, -dN / slope, -dH / slope, 0.0;
    lin.misclosure(row + 2) = r.sdMetres - slope;
    lin.sigma(row + 2) =
        Combined(precision.DistanceSigmaMetres(r.sdMetres, r.readings),
                 precision.DistanceSigmaMetres(r.sdMetres, r.trainedReadings), r.trainedReadings);
  }
  return lin;
}

bool Determined(const std::vector<ReferenceObservation>& refs, const Eigen::Vector4d& x, std::string& why) {
  if (refs.size() < 2) {
    why = "fewer than two references";
    return false;
  }
  for (const ReferenceObservation& r : refs) {
    if (std::hypot(r.eastingMetres - x(0), r.northingMetres - x(1)) < 0.01 || r.sdMetres <= 0.0) {
      why = "reference " + r.point + " is on the station's vertical";
      return false;
    }
  }
  return true;
}

}  // namespace

StationAdjustment AdjustStation(const std::vector<ReferenceObservation>& references,
                                const StationEstimate& provisional, const Precision& precision,
                                double confidence) {
  StationAdjustment out;
  Eigen::Vector4d x(provisional.eastingMetres, provisional.northingMetres, provisional.levelMetres,
                    provisional.orientationCorrectionGon * kGonToRadians);
  if (!Determined(references, x, out.failure)) return out;

  // Normal equations of the weighted, linearised model, iterated until the step vanishes.
  Eigen::MatrixXd normalInverse;
  for (out.iterations = 1; out.iterations <= kMaxIterations; ++out.iterations) {
    const Linearised lin = Linearise(references, x, precision);
    const Eigen::VectorXd weight = lin.sigma.array().square().inverse();
    const Eigen::MatrixXd normal = lin.a.transpose() * weight.asDiagonal() * lin.a;
    const Eigen::JacobiSVD<Eigen::MatrixXd> svd(normal);
    const auto& singular = svd.singularValues();
    if (singular(kUnknowns - 1) <= singular(0) * 1e-14) {
      out.failure = "the references do not fix the station";
      return out;
    }
    const Eigen::Vector4d step =
        normal.ldlt().solve(lin.a.transpose() * weight.asDiagonal() * lin.misclosure);
    if (!step.allFinite()) {
      out.failure = "the adjustment did not converge";
      return out;
    }
    x += step;
    normalInverse = normal.inverse();
    if (step.head<3>().norm() < kConvergedMetres && std::fabs(step(3)) * 1000.0 < kConvergedMetres) break;
  }
  if (out.iterations > kMaxIterations) {
    out.failure = "the adjustment did not converge";
    return out;
  }

  // Residuals at the solution, their cofactors and the tests.
  const Linearised lin = Linearise(references, x, precision);
  const Eigen::VectorXd v = -lin.misclosure;
  const Eigen::VectorXd weight = lin.sigma.array().square().inverse();
  const Eigen::MatrixXd qvv = Eigen::MatrixXd(lin.sigma.array().square().matrix().asDiagonal()) -
                              lin.a * normalInverse * lin.a.transpose();
  out.observations = static_cast<int>(v.size());
  out.redundancy = out.observations - kUnknowns;
  out.weightedSquareSum = v.dot(weight.asDiagonal() * v);
  out.sigma0 = out.redundancy > 0 ? std::sqrt(out.weightedSquareSum / out.redundancy) : 0.0;
  out.globalTestCritical = ChiSquareQuantile(confidence, out.redundancy);
  out.globalTestPassed = out.redundancy < 1 || out.weightedSquareSum <= out.globalTestCritical;
  for (std::size_t i = 0; i < references.size(); ++i) {
    ReferenceResiduals rr{references[i].point, {}};
    for (int k = 0; k < 3; ++k) {
      const auto j = static_cast<Eigen::Index>(i * 3) + k;
      const double toUnit = k == kObsSd ? 1000.0 : kRadiansToGon * 1000.0;  // mm or mgon
      Residual& res = rr.of[static_cast<std::size_t>(k)];
      res.value = v(j) * toUnit;
      res.sigma = lin.sigma(j) * toUnit;
      res.redundancy = std::clamp(qvv(j, j) * weight(j), 0.0, 1.0);
      res.standardised = res.redundancy > 1e-6 ? res.value / (res.sigma * std::sqrt(res.redundancy)) : 0.0;
    }
    out.residuals.push_back(std::move(rr));
  }
  out.station = {x(0), x(1), x(2), x(3) * kRadiansToGon};
  for (int r = 0; r < kUnknowns; ++r)
    for (int c = 0; c < kUnknowns; ++c)
      out.covariance[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = normalInverse(r, c);
  out.sigmaEastingMm = std::sqrt(normalInverse(0, 0)) * 1000.0;
  out.sigmaNorthingMm = std::sqrt(normalInverse(1, 1)) * 1000.0;
  out.sigmaLevelMm = std::sqrt(normalInverse(2, 2)) * 1000.0;
  out.sigmaOrientationMgon = std::sqrt(normalInverse(3, 3)) * kRadiansToGon * 1000.0;
  out.solved = true;
  return out;
}

}  // namespace vigil::evaluation
