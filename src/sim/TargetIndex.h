// The prisms of a site ordered by their direction from the station, so that a search or a
// distance looks only at the few prisms near the line of sight, whatever the size of the site.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "sim/Site.h"

namespace vigil::sim {

/// How long an ordering stays in use (ms of local time), and how far (gon) beyond its window a
/// search looks in it: a prism's direction from the station moves far less than this in that
/// time (a drift or a step of a metre at 60 m would be 1 gon).
inline constexpr std::int64_t kTargetIndexLifeMs = 60'000;
inline constexpr double kTargetIndexMarginGon = 0.5;

class TargetIndex {
 public:
  /// The same answer as NearestTarget for the scenario this index is used with.
  std::optional<Sighting> Nearest(const Scenario& scenario, std::int64_t nowMs, const Pointing& sight,
                                  double windowGon, bool searchableOnly);

 private:
  void Rebuild(const Scenario& scenario, std::int64_t nowMs);

  bool built_ = false;
  std::int64_t builtAtMs_ = 0;
  std::vector<std::pair<double, std::size_t>> byAzimuth_;  ///< (azimuth in gon, prism number)
};

}  // namespace vigil::sim
