#include <cmath>

#include "survey/Coordinates.h"

namespace vigil::survey {

double ComputeAtmosphericPpm(double temperatureC, double pressureHpa) {
  const double vapourHpa = std::pow(10.0, 7.5 * temperatureC / (temperatureC + 237.3) + 0.7857);
  const double expansion = 1.0 + 0.0036608581051398447 * temperatureC;  // 1/273.16 per degree
  // 0.024762 = 0.6 x 0.04127: the humidity is taken as 60 %; there is no setting for it.
  return 282.324 - 0.294362 * pressureHpa / expansion + 0.024762 * vapourHpa / expansion;
}

}  // namespace vigil::survey
