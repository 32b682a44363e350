// The rate of a point's movement: the slope of a straight line fitted by least squares to its
// displacements over the window of recent cycles.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace vigil::evaluation {

struct DisplacementSample {
  std::int64_t localMs = 0;
  double eastMm = 0.0;
  double northMm = 0.0;
  double levelMm = 0.0;
};

struct Velocity {
  double eastMmPerDay = 0.0;
  double northMmPerDay = 0.0;
  double levelMmPerDay = 0.0;
  int samples = 0;
};

/// Over the samples within `windowDays` before the latest one (inclusive); nothing with fewer
/// than two samples or when they span less than an hour.
std::optional<Velocity> VelocityOver(const std::vector<DisplacementSample>& samples, double windowDays);

}  // namespace vigil::evaluation
