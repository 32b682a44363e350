// What a surveyor who already knows the site would have stored: the project-station at the
// station's true position, circle zero and atmosphere, and the training file a training session
// would have left for prisms at known positions. Benchmarks, long runs and tests start from it
// when the screens that produce these files are not what they measure.
#pragma once

#include <string>
#include <vector>

#include "sim/Scenario.h"
#include "store/ProjectStationSettings.h"

namespace vigil::demo {

/// A trained point: its name and reference position (m).
struct KnownPoint {
  std::string name;
  double eastingMetres = 0.0;
  double northingMetres = 0.0;
  double rlMetres = 0.0;
};

/// Sets the station position (m), orientation (gon, the circle zero) and atmosphere (°C, hPa)
/// of `s` to the site's truth.
void TakeTrueStation(store::ProjectStationSettings& s, const sim::Scenario& site);

/// Every prism of the site at its true position at the epoch (m).
std::vector<KnownPoint> TruePointsOf(const sim::Scenario& site);

/// The training file's text for `points` observed from the station of `s`, in the display
/// units of `s`, every point a monitoring prism.
std::string TrainingTextOf(const store::ProjectStationSettings& s, const std::vector<KnownPoint>& points);

}  // namespace vigil::demo
