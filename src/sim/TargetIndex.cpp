#include "sim/TargetIndex.h"

#include <algorithm>
#include <cmath>

#include "sim/Motion.h"

namespace vigil::sim {

void TargetIndex::Rebuild(const Scenario& scenario, std::int64_t nowMs) {
  const GridPoint station = StationAt(scenario, nowMs);
  byAzimuth_.clear();
  for (std::size_t i = 0; i < scenario.prisms.size(); ++i) {
    const Prism& p = scenario.prisms[i];
    byAzimuth_.emplace_back(DirectionBetween(station, PositionAt(p, scenario.epochMs, nowMs)).azimuthGon, i);
  }
  std::sort(byAzimuth_.begin(), byAzimuth_.end());
  builtAtMs_ = nowMs;
  built_ = true;
}

std::optional<Sighting> TargetIndex::Nearest(const Scenario& scenario, std::int64_t nowMs,
                                             const Pointing& sight, double windowGon, bool searchableOnly) {
  const double reach = windowGon / 2.0 + kTargetIndexMarginGon;
  // A window this wide looks at most of the site anyway.
  if (reach >= 100.0) return NearestTarget(scenario, nowMs, sight, windowGon, searchableOnly);
  if (!built_ || nowMs < builtAtMs_ || nowMs - builtAtMs_ > kTargetIndexLifeMs) Rebuild(scenario, nowMs);

  // The prisms within reach in azimuth, across the 0/400 seam, in scenario order so that a
  // tie goes the way it goes over the whole list.
  std::vector<std::size_t> near;
  const auto take = [&](double from, double to) {
    auto it = std::lower_bound(byAzimuth_.begin(), byAzimuth_.end(), std::make_pair(from, std::size_t{0}));
    for (; it != byAzimuth_.end() && it->first <= to; ++it) near.push_back(it->second);
  };
  const double azimuthGon = WrapGon(sight.azimuthGon);
  const double low = azimuthGon - reach, high = azimuthGon + reach;
  take(std::max(low, 0.0), std::min(high, 400.0));
  if (low < 0.0) take(low + 400.0, 400.0);
  if (high > 400.0) take(0.0, high - 400.0);
  std::sort(near.begin(), near.end());
  near.erase(std::unique(near.begin(), near.end()), near.end());

  const GridPoint station = StationAt(scenario, nowMs);
  std::optional<Sighting> best;
  double bestOff = 0.0;
  for (const std::size_t i : near) {
    const Prism& prism = scenario.prisms[i];
    if ((searchableOnly && !IsSearchable(prism.type)) || HiddenAt(prism, nowMs)) continue;
    const TrueDirection direction = DirectionBetween(station, PositionAt(prism, scenario.epochMs, nowMs));
    const double dAz = std::fabs(GonDifference(direction.azimuthGon, sight.azimuthGon));
    const double dZen = std::fabs(direction.zenithGon - sight.zenithGon);
    if (dAz > windowGon / 2.0 || dZen > windowGon / 2.0) continue;
    const double off = std::hypot(dAz, dZen);
    if (!best || off < bestOff) {
      best = Sighting{&prism, direction};
      bestOff = off;
    }
  }
  return best;
}

}  // namespace vigil::sim
