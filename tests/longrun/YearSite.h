// The site of the year run: a station with prisms all around it, one of which is hidden every
// morning so that each day also records a failed reading.
#pragma once

#include <string>

#include "sim/Scenario.h"
#include "store/ProjectStationSettings.h"

namespace vigil::longrun {

inline constexpr int kPrismCount = 20;
/// The prism behind a shed between these minutes of every day: cycle 2 at 05:00 fails it.
inline constexpr int kHiddenPrism = 6;
inline constexpr int kHiddenFromMinute = 4 * 60 + 45;
inline constexpr int kHiddenToMinute = 5 * 60 + 15;

/// Prisms every 20 gon at 60 to 290 m, a few metres above or below the instrument, each
/// creeping a little so the readings change from day to day.
sim::Scenario YearScenario();

/// The training file of the scenario's prisms as training stores it (display units of `s`).
std::string TrainingText(const sim::Scenario& site, const store::ProjectStationSettings& s);

}  // namespace vigil::longrun
