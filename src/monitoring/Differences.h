// How far a measured point lies from its reference position: the differences list beside the
// readings, in millimetres in metres mode and in feet or inches otherwise.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Control.h"
#include "store/ProjectStationSettings.h"

namespace vigil::monitoring {

enum DifferenceColumn : int {
  kDiffName = 0,
  kDiffEasting = 1,
  kDiffNorthing = 2,
  kDiffRl = 3,
  kDiffRefEasting = 4,
  kDiffRefNorthing = 5,
  kDiffRefRl = 6,
};

/// "mm" in metres mode, else the distance unit ("ft", "in").
std::string DifferenceUnitLabel(const store::ProjectStationSettings& s);

/// "Point Name", "dE (mm)", "dN (mm)", "dRL (mm)" and the hidden reference columns.
std::vector<platform::ListColumn> DifferenceColumns(const store::ProjectStationSettings& s);

struct Differences {
  std::string dEasting;
  std::string dNorthing;
  std::string dRl;
};

/// Measured minus reference, all texts in the display unit: x 1000 "%.2lf" (mm) in metres
/// mode, "%.4lf" otherwise. Nothing when any of the six texts holds no number (a failed
/// reading, or a point without reference): its differences stay empty.
std::optional<Differences> ComputeDifferences(const store::ProjectStationSettings& s,
                                              std::string_view easting, std::string_view northing,
                                              std::string_view rl, std::string_view refEasting,
                                              std::string_view refNorthing, std::string_view refRl);

}  // namespace vigil::monitoring
