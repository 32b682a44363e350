// The 18 columns of a monitoring reading: the readings list's headings and widths, which are
// also the header line of the cycle data file.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/Control.h"
#include "store/ProjectStationSettings.h"

namespace vigil::monitoring {

inline constexpr std::size_t kCycleColumnCount = 18;

enum CycleColumn : std::size_t {
  kCycleEpoch = 0,
  kCycleNumber = 1,
  kCycleRound = 2,
  kCycleDate = 3,
  kCycleTime = 4,
  kCyclePoint = 5,
  kCycleFace = 6,
  kCycleHa = 7,
  kCycleVa = 8,
  kCycleSd = 9,
  kCyclePressure = 10,
  kCycleTemperature = 11,
  kCyclePpm = 12,
  kCycleEasting = 13,
  kCycleNorthing = 14,
  kCycleRl = 15,
  kCycleTiltX = 16,
  kCycleTiltY = 17,
};

/// One reading as the texts of its 18 columns.
using CycleRow = std::array<std::string, kCycleColumnCount>;

/// Headings and widths (pixels) in the units of `s`: "Ha(gons)" / "Ha", "SD(m)", "Easting (ft)" ...
std::vector<platform::ListColumn> ReadingsColumns(const store::ProjectStationSettings& s);

}  // namespace vigil::monitoring
