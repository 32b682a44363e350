// The trained points in internal units: the references' coordinates are the frame of every
// cycle's station, the others' coordinates the baseline their displacements start from.
#pragma once

#include <string>
#include <vector>

#include "store/ProjectStationSettings.h"
#include "training/TrainingPoint.h"

namespace vigil::evaluation {

inline constexpr int kReferencePrismType = 0;

struct TrainedPoint {
  std::string name;
  int prismType = -1;
  double haGon = 0.0;  ///< the trained observation, face 1, relative to the orientation
  double vaGon = 0.0;
  double sdMetres = 0.0;
  double eastingMetres = 0.0;
  double northingMetres = 0.0;
  double rlMetres = 0.0;
};

/// The points whose observation and coordinates read as numbers in the units of `settings`;
/// a later point of a name already seen is left out (lookups take the first).
std::vector<TrainedPoint> TrainedPointsFrom(const std::vector<training::TrainingPoint>& points,
                                            const store::ProjectStationSettings& settings);

}  // namespace vigil::evaluation
