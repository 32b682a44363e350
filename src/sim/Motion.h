// Where a prism truly is, and whether it can be seen, at a moment of the local clock.
#pragma once

#include <cstdint>

#include "sim/Scenario.h"

namespace vigil::sim {

/// True position at local time `nowMs` (ms since 1970) for movements that start at `epochMs`.
GridPoint PositionAt(const Prism& prism, std::int64_t epochMs, std::int64_t nowMs);

bool HiddenAt(const Prism& prism, std::int64_t nowMs);

/// Where the instrument's axis truly is at local time `nowMs`.
GridPoint StationAt(const Scenario& scenario, std::int64_t nowMs);

/// How far the pillar has turned the horizontal circle at local time `nowMs` (gon).
double TwistGonAt(const Scenario& scenario, std::int64_t nowMs);

}  // namespace vigil::sim
