#include "orientation/Tolerances.h"

#include <cmath>

#include "platform/Format.h"
#include "survey/Units.h"

namespace vigil::orientation {

double ShortAngleDifference(double differenceGon) {
  if (!std::isfinite(differenceGon)) return differenceGon;
  double d = differenceGon;
  while (d > 200.0) d -= 400.0;
  while (d <= -200.0) d += 400.0;
  return d;
}

Residuals ResidualsOf(const store::ProjectStationSettings& s, const survey::StationPosition& provisional,
                      const ResectionPoint& point, const training::FoundTrainingPoint& trained) {
  const survey::Observation computed = survey::ComputeHaVaSd(provisional, point.e, point.n, point.rl);
  Residuals r;
  double value = 0.0;
  if (platform::ScanDouble(survey::ParseAngle(s, trained.ha), value)) {
    r.ha = survey::FormatAngle(s, ShortAngleDifference(computed.haGon - value), survey::AngleFormat::Current,
                               false);
  }
  if (platform::ScanDouble(survey::ParseAngle(s, trained.va), value)) {
    r.va = survey::FormatAngle(s, computed.vaGon - value, survey::AngleFormat::Current, false);
  }
  if (platform::ScanDouble(survey::DistanceToMetres(s, trained.sd), value)) {
    r.sd = survey::FormatDistance(s, computed.sdMetres - value);
  }
  return r;
}

}  // namespace vigil::orientation
