// The resection in progress: the observations accepted so far, the last one kept for the next
// two-point solution, and the current result. One per program; it is not saved to any file and
// survives closing and reopening the orientation screens.
#pragma once

#include <string>
#include <vector>

namespace vigil::orientation {

/// One accepted observation and the known coordinates of its target.
struct ResectionPoint {
  std::string name;
  double ha = 0.0;      ///< raw circle reading (gon)
  double va = 0.0;      ///< zenith angle (gon)
  double sd = 0.0;      ///< slope distance (m)
  double e = 0.0;       ///< target easting (m)
  double n = 0.0;       ///< target northing (m)
  double rl = 0.0;      ///< target level (m); for a typed-in point its RL plus the target height
  bool manual = false;  ///< coordinates typed in rather than taken from the training file
};

struct ResectionState {
  int resection_count = 0;  ///< observations accepted in the current resection

  // The previous observation.
  double prev_e = 0.0;     ///< its target's easting (m)
  double prev_n = 0.0;     ///< northing (m)
  double prev_rl = 0.0;    ///< level (m)
  double prev_x = 0.0;     ///< its target in the instrument's own frame (m)
  double prev_y = 0.0;     ///< (m)
  double prev_z = 0.0;     ///< (m)
  double prev_back = 0.0;  ///< direction from the target back to the station, own frame (gon)
  double prev_zb = 0.0;    ///< 200 - its Va (gon)
  double prev_sd = 0.0;    ///< its SD (m)

  // The result, valid from the second observation on.
  double res_orientation = 0.0;  ///< circle reading of grid north (gon)
  double res_rotation = 0.0;     ///< own frame onto the grid (gon)
  double res_e = 0.0;            ///< station easting (m)
  double res_n = 0.0;            ///< station northing (m)
  double res_rl = 0.0;           ///< level of the instrument's axis (m), not of the mark

  std::vector<ResectionPoint> resection_points;

  bool HasResult() const { return resection_count >= 2; }
};

/// Clears result, count and points. The previous observation is left: the next first
/// observation overwrites it before it is used.
void ResetResection(ResectionState& state);

}  // namespace vigil::orientation
