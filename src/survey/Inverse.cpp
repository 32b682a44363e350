#include <cmath>

#include "survey/Coordinates.h"
#include "survey/Units.h"

namespace vigil::survey {
namespace {

constexpr double kHalfPi = 1.570796325;
constexpr double kThreeHalvesPi = 4.712388975;
constexpr double kTwoPi = 6.2831853;

// Azimuth from grid north, clockwise (radians); dE and dN not both 0.
double Azimuth(double dE, double dN) {
  if (dE == 0.0) return dN > 0.0 ? 0.0 : kPi;
  if (dN == 0.0) return dE > 0.0 ? kHalfPi : kThreeHalvesPi;
  const double a = std::atan(dE / dN);
  if (dN < 0.0) return a + kPi;
  if (dE < 0.0) return a + kTwoPi;
  return a;
}

}  // namespace

Observation ComputeHaVaSd(const StationPosition& station, double eastingMetres, double northingMetres,
                          double rlMetres) {
  const double dE = eastingMetres - station.eastingMetres;
  const double dN = northingMetres - station.northingMetres;
  const double dH = rlMetres - station.levelMetres;
  const double hd = std::sqrt(std::pow(dE, 2.0) + std::pow(dN, 2.0));
  Observation o;
  o.sdMetres = std::sqrt(std::pow(hd, 2.0) + std::pow(dH, 2.0));
  if (hd == 0.0) {  // straight above or below: no azimuth
    o.haGon = 0.0;
    o.vaGon = dH > 0.0 ? 0.0 : (dH < 0.0 ? 200.0 : 100.0);
    return o;
  }
  o.haGon = NormaliseAngle(Azimuth(dE, dN) * kRadiansToGon);
  double vaDegrees = 90.0;
  if (dH != 0.0) {
    const double z = std::atan(std::fabs(dH) / hd) * kRadiansToDegrees;
    vaDegrees = dH > 0.0 ? 90.0 - z : 90.0 + z;
  }
  o.vaGon = vaDegrees * kDegreesToGon;
  return o;
}

Observation OtherFace(const Observation& o) {
  Observation other = o;
  other.haGon = o.haGon < 200.0 ? o.haGon + 200.0 : o.haGon - 200.0;
  other.vaGon = 400.0 - o.vaGon;
  return other;
}

}  // namespace vigil::survey
