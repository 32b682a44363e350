// The simulated site of the demo, and what the operator knows of it and does to it by hand:
// the surveyed coordinates of the reference prisms, a rough idea of where the pillar is, the
// telescope turned by hand to a prism or to a corner of the scan window.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "sim/Scenario.h"

namespace vigil::demo {

struct DemoSite {
  sim::Scenario scenario;
  platform::LocalDateTime start;  ///< the demo begins at the scenario's epoch
};

/// Reads the scenario; without an epoch in it the demo starts at 07:00 on 7 Dec 2026.
bool LoadDemoSite(const std::filesystem::path& scenarioPath, DemoSite& site, std::string& error);

/// Local ms since 1970 of a clock time, and back.
std::int64_t LocalMs(const platform::LocalDateTime& t);
platform::LocalDateTime LocalTimeOf(std::int64_t localMs);

/// A prism of the control survey: its name and true position (m).
struct ControlPoint {
  std::string name;
  sim::GridPoint position;
};

/// The reference prisms with their surveyed coordinates.
std::vector<ControlPoint> ReferenceControl(const sim::Scenario& site);

/// Where the operator believes the pillar is before orienting: the truth rounded to 10 m
/// (easting, northing) and 1 m (level of the axis).
sim::GridPoint RoughStation(const sim::Scenario& site);

/// The raw circle reading and zenith angle (gon) from the true station to a point, as the
/// operator sights it by hand.
struct Sighting {
  double circleHaGon = 0.0;
  double vaGon = 0.0;
};
Sighting SightTo(const sim::Scenario& site, const sim::GridPoint& target);

/// The scan window round every prism: top-left and bottom-right corners (raw circle).
struct ScanWindow {
  Sighting topLeft;
  Sighting bottomRight;
};
ScanWindow ScanWindowOf(const sim::Scenario& site);

/// The simulated prism nearest `position` (within `radiusMetres`), or null.
const sim::Prism* PrismNear(const sim::Scenario& site, const sim::GridPoint& position, double radiusMetres);

/// The program's prism-type number of a simulated prism's type.
int ProgramPrismType(sim::PrismType type);

}  // namespace vigil::demo
