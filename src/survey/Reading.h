// The record of one measurement, as the measurement engine fills it and the computations
// reduce it.
#pragma once

#include <string>

namespace vigil::survey {

/// Prism types as stored with each training point.
enum PrismType : int {
  kPrismNone = -1,
  kPrismReference = 0,
  kPrismConnection = 1,
  kPrismMonitoring = 2,
  kPrismReflectorless = 3,
  kPrismSheet = 4,
  kPrismCustom = 5,
};

struct Reading {
  double haGon = 0.0;           ///< horizontal angle (gon)
  double vaGon = 0.0;           ///< zenith angle (gon; 100 is horizontal)
  double sdMetres = 0.0;        ///< slope distance (m), corrected once reduced
  double ppm = 0.0;             ///< atmospheric correction applied (ppm)
  double eastingMetres = 0.0;   ///< target easting (m)
  double northingMetres = 0.0;  ///< target northing (m)
  double rlMetres = 0.0;        ///< target reduced level (m)
  double tiltX = 0.0;           ///< tilt across (as the instrument reports it)
  double tiltY = 0.0;           ///< tilt along
  int result = 0;               ///< result code, 0 = success

  std::string haText;  ///< Ha "%.5lf" after reduction
  std::string vaText;  ///< Va "%.5lf"
  std::string sdText;  ///< SD "%.4lf", atmosphere and prism constant applied

  /// Prism context for the next reading: the point being measured and its prism type.
  std::string pointName;
  int prismType = kPrismNone;

  /// Set when the measurement kept the instrument's own reflector type: no constant is added.
  bool keepReflector = false;
};

}  // namespace vigil::survey
