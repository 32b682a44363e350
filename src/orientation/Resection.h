// The sequential two-point resection and the reorientation correction. Each new observation
// is solved together with the one before it; earlier ones no longer count. All angles gon,
// distances metres; the trigonometry uses pi = 3.14159265 like every stored value.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "orientation/ResectionState.h"
#include "survey/Coordinates.h"

namespace vigil::orientation {

/// Two consecutive targets closer than this in both easting and northing give no bearing (m).
inline constexpr double kTooCloseMetres = 0.01;

/// Origin of the instrument's own frame, so local coordinates stay positive (m).
inline constexpr double kLocalOriginXY = 30000.0;
inline constexpr double kLocalOriginZ = 100.0;

/// Known coordinates of an observed target (m).
struct ResectionTarget {
  double eastingMetres = 0.0;
  double northingMetres = 0.0;
  double rlMetres = 0.0;
};

/// Bearing (gon, grid north 0, clockwise) of the line from the previous point to the current
/// one, given dE, dN = previous minus current (m). Nothing when both are under 0.01 m.
std::optional<double> LineBearing(double dEMetres, double dNMetres);

/// One step of the resection. The caller has already increased `resection_count` for this
/// observation. From the second observation on the result is recomputed from this one and the
/// previous one. On success this observation becomes the previous one. False when the two
/// targets are too close, on the grid or in the instrument's frame: the count is taken back and
/// nothing else changes.
bool ComputeResection(ResectionState& state, const survey::Observation& reading,
                      const ResectionTarget& target);

enum class ResectionOutcome {
  kCaptured,  ///< the first observation: kept, no result yet
  kComputed,  ///< a result exists now
  kTooClose,  ///< dropped: the target is too close to the previous one
};

/// Counts, computes and, unless dropped, appends the observation to `resection_points`.
ResectionOutcome AddResectionObservation(ResectionState& state, std::string_view name,
                                         const survey::Observation& reading, const ResectionTarget& target,
                                         bool manual);

/// Starts the resection over from its points, in order, using only those `usable` accepts (all
/// when empty). Points stay in the list either way. Returns how many usable points were dropped
/// as too close to the one before.
int RecomputeResection(ResectionState& state, const std::function<bool(const ResectionPoint&)>& usable = {});

/// The orientation that makes the reading's circle Ha (gon) read the trained Ha (gon) of the
/// same target: their difference, normalised. It replaces the station orientation.
double ReorientationCorrection(double readingHaGon, double referenceHaGon);

}  // namespace vigil::orientation
