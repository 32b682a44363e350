#include <cmath>

#include "platform/Format.h"
#include "survey/Coordinates.h"
#include "survey/Units.h"

namespace vigil::survey {
namespace {

constexpr double kAngleToleranceGon = 0.5;
constexpr double kDistanceToleranceMetres = 0.1;

// Angular distance of two directions, the short way round the circle.
double HaDifferenceGon(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 400.0);
  return std::fmin(d, 400.0 - d);
}

struct ListedValues {
  double haGon = 0.0;
  double vaGon = 0.0;
  double sdMetres = 0.0;
};

// A prism may have been trained, and a reading taken, in either face: both are compared, and the
// match reported, in their face-1 form.
bool ReadListed(const ProjectStationSettings& s, const ListedPoint& p, ListedValues& v) {
  if (!platform::ScanDouble(ParseAngle(s, p.ha), v.haGon) ||
      !platform::ScanDouble(ParseAngle(s, p.va), v.vaGon) ||
      !platform::ScanDouble(DistanceToMetres(s, p.sd), v.sdMetres)) {
    return false;
  }
  if (v.vaGon > 200.0) {
    const Observation faceOne = OtherFace({v.haGon, v.vaGon, v.sdMetres});
    v.haGon = faceOne.haGon;
    v.vaGon = faceOne.vaGon;
  }
  return true;
}

}  // namespace

PointMatch MatchTrainingPoint(const ProjectStationSettings& s, const Reading& r,
                              const std::vector<ListedPoint>& points, std::string_view skipName) {
  PointMatch match;
  match.name = std::string(skipName);
  Observation reading{r.haGon, r.vaGon, r.sdMetres};
  if (reading.vaGon > 200.0) reading = OtherFace(reading);
  for (const ListedPoint& p : points) {
    if (p.name == skipName) continue;
    ListedValues v;
    if (!ReadListed(s, p, v)) continue;
    const double dSd = std::fabs(r.sdMetres - v.sdMetres);
    if (HaDifferenceGon(reading.haGon, v.haGon) < kAngleToleranceGon &&
        std::fabs(reading.vaGon - v.vaGon) < kAngleToleranceGon && dSd < kDistanceToleranceMetres) {
      match.haGon = v.haGon;
      match.name = p.name;
      match.dSdMm = dSd * kMmPerMetre;
      match.matched = true;
      return match;
    }
  }
  return match;
}

}  // namespace vigil::survey
