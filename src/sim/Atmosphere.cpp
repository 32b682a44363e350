#include "sim/Atmosphere.h"

#include <cmath>

namespace vigil::sim {

double AtmosphericPpm(double temperatureC, double pressureHpa) {
  const double vapourHpa = std::pow(10.0, 7.5 * temperatureC / (temperatureC + 237.3) + 0.7857);
  const double expansion = 1.0 + temperatureC / 273.16;
  return 282.324 - 0.294362 * pressureHpa / expansion + 0.6 * 0.04127 * vapourHpa / expansion;
}

double RawDistanceMetres(double trueMetres, double ppm, double prismConstantMm) {
  return (trueMetres - prismConstantMm * 0.001) / (1.0 + ppm * 1e-6);
}

}  // namespace vigil::sim
