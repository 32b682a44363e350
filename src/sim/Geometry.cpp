#include "sim/Geometry.h"

#include <cmath>
#include <numbers>

namespace vigil::sim {

namespace {
constexpr double kGonPerRadian = 200.0 / std::numbers::pi;
}

double WrapGon(double gon) {
  double wrapped = std::fmod(gon, 400.0);
  if (wrapped < 0.0) wrapped += 400.0;
  return wrapped >= 400.0 ? 0.0 : wrapped;
}

double GonDifference(double a, double b) {
  double d = WrapGon(a - b);
  return d > 200.0 ? d - 400.0 : d;
}

TrueDirection DirectionBetween(const GridPoint& from, const GridPoint& to) {
  const double dE = to.eastingMetres - from.eastingMetres;
  const double dN = to.northingMetres - from.northingMetres;
  const double dH = to.levelMetres - from.levelMetres;
  const double horizontal = std::hypot(dE, dN);
  TrueDirection d;
  d.azimuthGon = WrapGon(std::atan2(dE, dN) * kGonPerRadian);
  d.zenithGon = std::atan2(horizontal, dH) * kGonPerRadian;
  d.slopeMetres = std::sqrt(horizontal * horizontal + dH * dH);
  return d;
}

}  // namespace vigil::sim
