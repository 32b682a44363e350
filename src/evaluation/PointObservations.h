// One observation per point and cycle: every measured reading of the point folded to face 1,
// faces and repeats averaged, with the scatter of the readings about their mean as a check.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "evaluation/CycleReadings.h"

namespace vigil::evaluation {

struct PointObservation {
  std::string point;
  int readings = 0;    ///< measured readings averaged
  int face1 = 0;       ///< of them in face 1
  int face2 = 0;       ///< of them in face 2
  int failed = 0;      ///< readings recorded as failed
  double haGon = 0.0;  ///< mean, face 1, relative to the station's orientation
  double vaGon = 0.0;  ///< mean zenith angle, face 1
  double sdMetres = 0.0;
  double haScatterMgon = 0.0;  ///< largest distance of a reading from the mean (mgon)
  double vaScatterMgon = 0.0;
  double sdScatterMm = 0.0;
  std::int64_t localMs = 0;  ///< mean time of the measured readings; without any, of its first line
  /// The coordinates the station itself computed (mean of the readings, metres): they hold
  /// the station's position as it was set when the cycle was measured.
  double eastingMetres = 0.0;
  double northingMetres = 0.0;
  double rlMetres = 0.0;
};

/// Ha and Va of a face-2 reading as face 1 would read them (gon).
void FoldToFace1(double& haGon, double& vaGon);

/// Points in order of their first reading; a point with only failed readings has readings 0.
std::vector<PointObservation> MeanObservations(const std::vector<CycleReading>& readings);

}  // namespace vigil::evaluation
