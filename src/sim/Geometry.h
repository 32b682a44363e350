// Directions in gon from true coordinates. Independent of the program's own survey code:
// full-precision pi and plain gon arithmetic.
#pragma once

#include "sim/Scenario.h"

namespace vigil::sim {

/// Angle in [0, 400) gon.
double WrapGon(double gon);

/// Signed difference a - b in (-200, 200] gon.
double GonDifference(double a, double b);

struct TrueDirection {
  double azimuthGon = 0.0;  ///< grid bearing, clockwise from north
  double zenithGon = 0.0;   ///< 0 straight up, 100 level
  double slopeMetres = 0.0;
};

TrueDirection DirectionBetween(const GridPoint& from, const GridPoint& to);

}  // namespace vigil::sim
