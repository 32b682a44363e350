// One cycle evaluated: its observations per point, the station from its references, and every
// point's corrected position and displacement from its baseline.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "evaluation/CycleReadings.h"
#include "evaluation/Displacement.h"
#include "evaluation/EvaluationSettings.h"
#include "evaluation/PointObservations.h"
#include "evaluation/PointPosition.h"
#include "evaluation/StationSolution.h"
#include "evaluation/TrainedPoints.h"

namespace vigil::evaluation {

struct PointResult {
  std::string point;
  int prismType = -1;  ///< -1 when the point is not in the training
  bool reference = false;
  PointObservation observation;
  bool scatterSuspect = false;   ///< a reading lies more than five stated sigmas from the mean
  bool positioned = false;       ///< measured: the position below holds
  PointPosition position;        ///< from the corrected station, or the station as set when not corrected
  bool hasDisplacement = false;  ///< positioned and with a baseline
  Displacement displacement;
  /// What the station's own Differences page shows: the mean of the coordinates it computed
  /// minus the trained ones (mm).
  double rawEastMm = 0.0;
  double rawNorthMm = 0.0;
  double rawLevelMm = 0.0;
};

struct CycleEvaluation {
  int cycleNumber = 0;
  std::int64_t firstMs = 0;  ///< local time of the first and last reading
  std::int64_t lastMs = 0;
  int measuredLines = 0;
  int failedLines = 0;
  int skippedLines = 0;
  StationEstimate stationAsSet;  ///< the station the program measured with (correction 0)
  StationSolution station;
  std::vector<PointResult> points;  ///< in order of their first reading
};

/// A point's baseline position by name; points without one get no displacement.
using Baseline = std::map<std::string, PointPosition>;

/// The trained positions as baseline, each with the uncertainty of the one face-1 reading that
/// trained it from an exact station.
Baseline TrainedBaseline(const std::vector<TrainedPoint>& trained, const Precision& precision);

Precision PrecisionOf(const EvaluationSettings& settings);

/// Evaluates a cycle's readings. `baseline` null: the trained positions.
CycleEvaluation EvaluateCycle(const CycleReadings& readings, const std::vector<TrainedPoint>& trained,
                              const EvaluationSettings& settings, const Baseline* baseline = nullptr);

}  // namespace vigil::evaluation
