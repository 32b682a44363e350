// The distance the instrument shows when it is set to 0 ppm and prism constant 0.
#pragma once

namespace vigil::sim {

/// Atmospheric scale correction (ppm) of a distance measured at this temperature (°C) and
/// pressure (hPa), at 60 % relative humidity.
double AtmosphericPpm(double temperatureC, double pressureHpa);

/// Raw distance (m) whose correction by `ppm` and `prismConstantMm` gives `trueMetres`.
double RawDistanceMetres(double trueMetres, double ppm, double prismConstantMm);

}  // namespace vigil::sim
