#include "sim/Site.h"

#include <cmath>

#include "sim/Motion.h"

namespace vigil::sim {

bool IsSearchable(PrismType type) {
  return type != PrismType::kReflectorless;
}

std::vector<Sighting> VisibleTargets(const Scenario& scenario, std::int64_t nowMs, bool searchableOnly) {
  std::vector<Sighting> out;
  const GridPoint station = StationAt(scenario, nowMs);
  for (const Prism& prism : scenario.prisms) {
    if (HiddenAt(prism, nowMs) || (searchableOnly && !IsSearchable(prism.type))) continue;
    out.push_back({&prism, DirectionBetween(station, PositionAt(prism, scenario.epochMs, nowMs))});
  }
  return out;
}

std::optional<Sighting> NearestTarget(const Scenario& scenario, std::int64_t nowMs, const Pointing& sight,
                                      double windowGon, bool searchableOnly) {
  std::optional<Sighting> best;
  double bestOff = 0.0;
  for (const Sighting& s : VisibleTargets(scenario, nowMs, searchableOnly)) {
    const double dAz = std::fabs(GonDifference(s.direction.azimuthGon, sight.azimuthGon));
    const double dZen = std::fabs(s.direction.zenithGon - sight.zenithGon);
    if (dAz > windowGon / 2.0 || dZen > windowGon / 2.0) continue;
    const double off = std::hypot(dAz, dZen);
    if (!best || off < bestOff) {
      best = s;
      bestOff = off;
    }
  }
  return best;
}

}  // namespace vigil::sim
