// Project-station settings with chosen units, the rest at their defaults.
#pragma once

#include "store/ProjectStationSettings.h"

namespace vigil::survey::test {

inline store::ProjectStationSettings UnitSettings(int angleUnits, int distanceUnit = 0,
                                                  int distStandard = 0) {
  store::ProjectStationSettings s;
  s.angle_units = angleUnits;
  s.distance_unit = distanceUnit;
  s.dist_standard = distStandard;
  return s;
}

}  // namespace vigil::survey::test
