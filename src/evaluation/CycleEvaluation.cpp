#include "evaluation/CycleEvaluation.h"

#include <algorithm>
#include <cmath>

#include "survey/Coordinates.h"

namespace vigil::evaluation {

namespace {

constexpr double kSuspectSigmas = 5.0;

const TrainedPoint* Find(const std::vector<TrainedPoint>& trained, const std::string& name) {
  for (const TrainedPoint& t : trained) {
    if (t.name == name) return &t;
  }
  return nullptr;
}

// The station the program measured with: each measured reading's coordinates minus its polar
// vector. Only the station's settings enter both, so every reading gives it back to the
// rounding of the file's texts.
StationEstimate StationAsSet(const std::vector<CycleReading>& readings) {
  StationEstimate s;
  int n = 0;
  for (const CycleReading& r : readings) {
    if (!r.measured) continue;
    const double h = r.haGon * survey::kGonToRadians, v = r.vaGon * survey::kGonToRadians;
    s.eastingMetres += r.eastingMetres - r.sdMetres * std::sin(h) * std::sin(v);
    s.northingMetres += r.northingMetres - r.sdMetres * std::cos(h) * std::sin(v);
    s.levelMetres += r.rlMetres - r.sdMetres * std::cos(v);
    ++n;
  }
  if (n > 0) {
    s.eastingMetres /= n;
    s.northingMetres /= n;
    s.levelMetres /= n;
  }
  return s;
}

bool ScatterSuspect(const PointObservation& o, const Precision& p) {
  return o.haScatterMgon > kSuspectSigmas * p.angleSigmaMgon ||
         o.vaScatterMgon > kSuspectSigmas * p.angleSigmaMgon ||
         o.sdScatterMm > kSuspectSigmas * p.DistanceSigmaMetres(o.sdMetres, 1) * 1000.0;
}

}  // namespace

Precision PrecisionOf(const EvaluationSettings& settings) {
  return {settings.angleSigmaMgon, settings.distanceSigmaMm, settings.distanceSigmaPpm};
}

Baseline TrainedBaseline(const std::vector<TrainedPoint>& trained, const Precision& precision) {
  Baseline out;
  for (const TrainedPoint& t : trained) {
    PointPosition p = PositionFrom({}, nullptr, t.haGon, t.vaGon, t.sdMetres, 1, precision);
    p.eastingMetres = t.eastingMetres;
    p.northingMetres = t.northingMetres;
    p.levelMetres = t.rlMetres;
    out.emplace(t.name, p);
  }
  return out;
}

CycleEvaluation EvaluateCycle(const CycleReadings& readings, const std::vector<TrainedPoint>& trained,
                              const EvaluationSettings& settings, const Baseline* baseline) {
  const Precision precision = PrecisionOf(settings);
  CycleEvaluation out;
  out.skippedLines = readings.skippedLines;
  for (const CycleReading& r : readings.readings) {
    if (out.measuredLines + out.failedLines == 0) {
      out.cycleNumber = r.cycleNumber;
      out.firstMs = out.lastMs = r.localMs;
    }
    out.firstMs = std::min(out.firstMs, r.localMs);
    out.lastMs = std::max(out.lastMs, r.localMs);
    ++(r.measured ? out.measuredLines : out.failedLines);
  }
  out.stationAsSet = StationAsSet(readings.readings);
  const std::vector<PointObservation> observations = MeanObservations(readings.readings);

  // The references: every trained reference point, measured in this cycle or not.
  std::vector<ReferenceObservation> references;
  std::vector<ReferenceUse> unavailable;
  for (const TrainedPoint& t : trained) {
    if (t.prismType != kReferencePrismType) continue;
    auto o = std::find_if(observations.begin(), observations.end(),
                          [&](const PointObservation& p) { return p.point == t.name; });
    if (o == observations.end() || o->readings == 0) {
      unavailable.push_back({t.name, false, "not measured in this cycle"});
    } else if (ScatterSuspect(*o, precision)) {
      unavailable.push_back({t.name, false, "its readings disagree with each other"});
    } else {
      references.push_back({t.name, o->readings, o->haGon, o->vaGon, o->sdMetres, t.eastingMetres,
                            t.northingMetres, t.rlMetres});
    }
  }
  SolutionSettings solve{precision, settings.confidence, settings.referenceConfidence,
                         settings.minimumReferenceSpreadGon};
  out.station = SolveStation(references, std::move(unavailable), out.stationAsSet, solve);
  const StationEstimate& station = out.station.corrected ? out.station.adjustment.station : out.stationAsSet;
  const StationCovariance* stationCovariance =
      out.station.corrected ? &out.station.adjustment.covariance : nullptr;

  const Baseline trainedBaseline = baseline ? Baseline{} : TrainedBaseline(trained, precision);
  const Baseline& base = baseline ? *baseline : trainedBaseline;
  for (const PointObservation& o : observations) {
    PointResult r;
    r.point = o.point;
    r.observation = o;
    const TrainedPoint* t = Find(trained, o.point);
    if (t) {
      r.prismType = t->prismType;
      r.reference = t->prismType == kReferencePrismType;
    }
    if (o.readings > 0) {
      r.scatterSuspect = ScatterSuspect(o, precision);
      r.positioned = true;
      r.position =
          PositionFrom(station, stationCovariance, o.haGon, o.vaGon, o.sdMetres, o.readings, precision);
      if (t) {
        r.rawEastMm = (o.eastingMetres - t->eastingMetres) * 1000.0;
        r.rawNorthMm = (o.northingMetres - t->northingMetres) * 1000.0;
        r.rawLevelMm = (o.rlMetres - t->rlMetres) * 1000.0;
      }
      if (auto b = base.find(o.point); b != base.end()) {
        r.hasDisplacement = true;
        r.displacement = DisplacementBetween(b->second, r.position, settings.confidence);
      }
    }
    out.points.push_back(std::move(r));
  }
  return out;
}

}  // namespace vigil::evaluation
