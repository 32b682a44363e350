// The instrument's stated precision of one reading, and what it gives for a mean of several.
#pragma once

#include <cmath>

namespace vigil::evaluation {

struct Precision {
  double angleSigmaMgon = 0.3;    ///< one Ha or Va reading (mgon)
  double distanceSigmaMm = 1.0;   ///< one distance reading, constant part (mm)
  double distanceSigmaPpm = 1.0;  ///< one distance reading, proportional part (ppm)

  /// Standard deviation of a mean of `readings` angle readings (gon).
  double AngleSigmaGon(int readings) const { return angleSigmaMgon * 0.001 / std::sqrt(Count(readings)); }
  /// Standard deviation of a mean of `readings` distance readings of `sdMetres` (metres).
  double DistanceSigmaMetres(double sdMetres, int readings) const {
    return (distanceSigmaMm * 0.001 + distanceSigmaPpm * 1e-6 * sdMetres) / std::sqrt(Count(readings));
  }

 private:
  static double Count(int readings) { return readings > 1 ? static_cast<double>(readings) : 1.0; }
};

}  // namespace vigil::evaluation
