// What the instrument can see from the station at a moment: prisms that are not hidden,
// with their true directions.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "sim/Geometry.h"
#include "sim/Instrument.h"
#include "sim/Scenario.h"

namespace vigil::sim {

struct Sighting {
  const Prism* prism = nullptr;
  TrueDirection direction;
};

/// Search and scan find reflecting prisms only; a distance also finds reflectorless targets.
bool IsSearchable(PrismType type);

/// Every target not hidden at local time `nowMs`, in scenario order.
std::vector<Sighting> VisibleTargets(const Scenario& scenario, std::int64_t nowMs, bool searchableOnly);

/// The visible target nearest to the line of sight within a square window of `windowGon`
/// (full width) around it.
std::optional<Sighting> NearestTarget(const Scenario& scenario, std::int64_t nowMs, const Pointing& sight,
                                      double windowGon, bool searchableOnly);

}  // namespace vigil::sim
