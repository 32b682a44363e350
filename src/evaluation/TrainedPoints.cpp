#include "evaluation/TrainedPoints.h"

#include <set>

#include "platform/Format.h"
#include "survey/Units.h"

namespace vigil::evaluation {

namespace {

bool Number(const std::string& text, double& value) {
  return platform::IsPlainNumber(text) && platform::ScanDouble(text, value);
}

}  // namespace

std::vector<TrainedPoint> TrainedPointsFrom(const std::vector<training::TrainingPoint>& points,
                                            const store::ProjectStationSettings& settings) {
  std::vector<TrainedPoint> out;
  std::set<std::string> seen;
  for (const training::TrainingPoint& p : points) {
    TrainedPoint t;
    t.name = p.name;
    t.prismType = platform::ParseIntOr(p.prism_type, -1);
    const bool ok = !p.name.empty() && Number(survey::ParseAngle(settings, p.ha), t.haGon) &&
                    Number(survey::ParseAngle(settings, p.va), t.vaGon) &&
                    Number(survey::DistanceToMetres(settings, p.sd), t.sdMetres) &&
                    Number(survey::DistanceToMetres(settings, p.easting), t.eastingMetres) &&
                    Number(survey::DistanceToMetres(settings, p.northing), t.northingMetres) &&
                    Number(survey::DistanceToMetres(settings, p.rl), t.rlMetres);
    if (ok && seen.insert(t.name).second) out.push_back(std::move(t));
  }
  return out;
}

}  // namespace vigil::evaluation
