// A point's coordinates from the station and its observation, with their covariance by error
// propagation: the station's own uncertainty (when it was adjusted) plus the observation's.
#pragma once

#include <array>

#include "evaluation/Precision.h"
#include "evaluation/StationAdjustment.h"

namespace vigil::evaluation {

/// Covariance of (E, N, level) in square metres.
using PositionCovariance = std::array<std::array<double, 3>, 3>;

struct PointPosition {
  double eastingMetres = 0.0;
  double northingMetres = 0.0;
  double levelMetres = 0.0;
  PositionCovariance covariance{};
};

/// From a face-1 observation (Ha relative to the station's orientation, Va, SD) of the mean of
/// `readings` readings. `stationCovariance` null: the station is taken as exact.
PointPosition PositionFrom(const StationEstimate& station, const StationCovariance* stationCovariance,
                           double haGon, double vaGon, double sdMetres, int readings,
                           const Precision& precision);

}  // namespace vigil::evaluation
