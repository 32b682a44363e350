#include "evaluation/PointPosition.h"

#include <Eigen/Dense>
#include <cmath>

#include "survey/Coordinates.h"

namespace vigil::evaluation {

PointPosition PositionFrom(const StationEstimate& station, const StationCovariance* stationCovariance,
                           double haGon, double vaGon, double sdMetres, int readings,
                           const Precision& precision) {
  using survey::kGonToRadians;
  const double t = (haGon + station.orientationCorrectionGon) * kGonToRadians;
  const double v = vaGon * kGonToRadians;
  const double st = std::sin(t), ct = std::cos(t), sv = std::sin(v), cv = std::cos(v);
  PointPosition p;
  p.eastingMetres = station.eastingMetres + sdMetres * st * sv;
  p.northingMetres = station.northingMetres + sdMetres * ct * sv;
  p.levelMetres = station.levelMetres + sdMetres * cv;

  // d(E, N, H) / d(Ha, Va, SD), angles in radians
  Eigen::Matrix3d jObs;
  jObs << sdMetres * ct * sv, sdMetres * st * cv, st * sv,  //
      -sdMetres * st * sv, sdMetres * ct * cv, ct * sv,     //
      0.0, -sdMetres * sv, cv;
  const double angle = precision.AngleSigmaGon(readings) * kGonToRadians;
  const double distance = precision.DistanceSigmaMetres(sdMetres, readings);
  Eigen::Matrix3d cov = jObs *
                        Eigen::Vector3d(angle * angle, angle * angle, distance * distance).asDiagonal() *
                        jObs.transpose();
  if (stationCovariance) {
    // d(E, N, H) / d(E0, N0, H0, correction)
    Eigen::Matrix<double, 3, 4> jStation;
    jStation << 1, 0, 0, sdMetres * ct * sv,  //
        0, 1, 0, -sdMetres * st * sv,         //
        0, 0, 1, 0;
    Eigen::Matrix4d cs;
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c)
        cs(r, c) = (*stationCovariance)[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
    cov += jStation * cs * jStation.transpose();
  }
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      p.covariance[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = cov(r, c);
  return p;
}

}  // namespace vigil::evaluation
