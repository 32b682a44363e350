// The rows of one monitoring cycle, built from the trained points in the order of rounds,
// faces and repeats that the reading sequence asks for.
#pragma once

#include <string>
#include <vector>

#include "monitoring/CycleColumns.h"
#include "store/ProjectStationSettings.h"
#include "training/TrainingPoint.h"

namespace vigil::monitoring {

/// Reading sequences (position in the settings list).
enum ReadingSequence : int {
  kFace1ThenFace2 = 0,  ///< all points in face 1, then all in face 2
  kEachPointBothFaces = 1,
  kFace1Only = 2,
};

struct MonitoringRow {
  CycleRow cells;  ///< expected Ha, Va (display form) and SD until measured
  int prismType = -1;
  std::string refEasting;  ///< reference coordinates as the training file holds them
  std::string refNorthing;
  std::string refRl;
};

/// For rounds 1..`rounds`: each point's face-1 rows (and, with sequence 1, its face-2 rows
/// right after), then with sequence 0 every point's face-2 rows. Each point and face gives
/// `repeat` identical rows. Face 2 turns the expected angles over (Ha +/- 200, Va 400 - Va).
std::vector<MonitoringRow> BuildMonitoringRows(const store::ProjectStationSettings& s,
                                               const std::vector<training::TrainingPoint>& points,
                                               double cycleNumber);

}  // namespace vigil::monitoring
