#include "alarms/PointQuantities.h"

#include <cmath>

namespace vigil::alarms {

std::optional<double> ValueOf(const PointSample& s, Quantity quantity) {
  switch (quantity) {
    case Quantity::kEast:
      return std::abs(s.eastMm);
    case Quantity::kNorth:
      return std::abs(s.northMm);
    case Quantity::kLevel:
      return std::abs(s.levelMm);
    case Quantity::kPlan2d:
      return std::hypot(s.eastMm, s.northMm);
    case Quantity::kSpace3d:
      return std::sqrt(s.eastMm * s.eastMm + s.northMm * s.northMm + s.levelMm * s.levelMm);
    case Quantity::kVelocity:
      if (s.velocityMmPerDay) return std::abs(*s.velocityMmPerDay);
      return std::nullopt;
  }
  return std::nullopt;
}

std::vector<PointSample> SamplesOf(const evaluation::CycleEvaluation& evaluation) {
  std::vector<PointSample> samples;
  for (const evaluation::PointResult& p : evaluation.points) {
    PointSample s;
    s.point = p.point;
    s.measured = p.hasDisplacement;
    s.significant = p.displacement.significant;
    s.eastMm = p.displacement.eastMm;
    s.northMm = p.displacement.northMm;
    s.levelMm = p.displacement.levelMm;
    samples.push_back(std::move(s));
  }
  return samples;
}

}  // namespace vigil::alarms
