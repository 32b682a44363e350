// How far an observed resection point lies from its trained observation, seen from the
// provisional station of the resection.
#pragma once

#include <string>

#include "orientation/ResectionState.h"
#include "store/ProjectStationSettings.h"
#include "survey/Coordinates.h"
#include "training/TrainingFile.h"

namespace vigil::orientation {

/// Computed minus trained, signed, as display texts; a text stays empty when the trained
/// value holds no number.
struct Residuals {
  std::string ha;
  std::string va;
  std::string sd;
};

/// The Ha difference is taken the short way round the circle, so a point near north shows a
/// small residual rather than nearly a full turn.
Residuals ResidualsOf(const store::ProjectStationSettings& s, const survey::StationPosition& provisional,
                      const ResectionPoint& point, const training::FoundTrainingPoint& trained);

/// An angle difference (gon) into -200 < d <= 200.
double ShortAngleDifference(double differenceGon);

}  // namespace vigil::orientation
