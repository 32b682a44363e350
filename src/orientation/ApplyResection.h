// Making an accepted resection the station: coordinates and orientation saved, and the
// trained observations recomputed from the new station and written back.
#pragma once

#include "orientation/ResectionState.h"
#include "store/ProjectStationStore.h"
#include "training/TrainingStore.h"

namespace vigil::orientation {

struct ApplyResult {
  bool stationSaved = false;   ///< the settings file took the new station
  bool trainingSaved = false;  ///< the training file took the recomputed observations
  int rowsKept = 0;            ///< rows left as they were: their coordinates hold no number
};

/// Station easting, northing, orientation and (axis) level from the result, saved; every
/// training row's Ha, Va, SD recomputed from the new station, the training file rewritten;
/// then the resection is reset. The in-memory station changes even when a file cannot be
/// written: the result says which were.
ApplyResult ApplyResection(store::ProjectStationStore& station, training::TrainingStore& list,
                           ResectionState& state);

}  // namespace vigil::orientation
