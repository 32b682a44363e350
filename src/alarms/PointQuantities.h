// What one cycle says of one point, as the limits judge it: the displacement from the
// baseline, whether the evaluation found it significant, and the velocity when there is one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "alarms/AlarmLimits.h"
#include "evaluation/CycleEvaluation.h"

namespace vigil::alarms {

struct PointSample {
  std::string point;
  bool measured = false;  ///< a displacement is known this cycle; otherwise the point keeps its state
  bool significant = false;
  double eastMm = 0.0;
  double northMm = 0.0;
  double levelMm = 0.0;
  std::optional<double> velocityMmPerDay;  ///< 3D
};

/// The value a limit on `quantity` is compared with (mm or mm/day, never negative); none for a
/// velocity not known.
std::optional<double> ValueOf(const PointSample& sample, Quantity quantity);

/// The points of an evaluated cycle (without velocity: it is fitted when the cycle is stored).
std::vector<PointSample> SamplesOf(const evaluation::CycleEvaluation& evaluation);

}  // namespace vigil::alarms
