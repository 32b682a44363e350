#include "survey/Coordinates.h"

#include <cmath>

#include "platform/Format.h"
#include "survey/Units.h"

namespace vigil::survey {
namespace {

constexpr double kFullCircleGon = 400.0;
constexpr double kPpmScale = 0.000001;

}  // namespace

double NormaliseAngle(double angleGon) {
  if (!std::isfinite(angleGon)) return angleGon;
  // fmod is exact, so one turn off gives the same value a single subtraction would; an orientation
  // typed outside 0..400 still lands in range.
  if (angleGon > kFullCircleGon) {
    const double rest = std::fmod(angleGon, kFullCircleGon);
    return rest == 0.0 ? kFullCircleGon : rest;
  }
  if (angleGon < 0.0) {
    const double rest = std::fmod(angleGon, kFullCircleGon);
    return rest < 0.0 ? rest + kFullCircleGon : 0.0;
  }
  return angleGon;
}

StationPosition StationOf(const ProjectStationSettings& s) {
  return {s.easting, s.northing, s.reduced_level};
}

void ComputeTargetCoordinates(const ProjectStationSettings& s, Reading& r, std::string_view prismName) {
  if (r.sdMetres == 0.0) return;  // angles only: nothing to place
  const std::string_view name = prismName.empty() ? std::string_view(r.pointName) : prismName;
  if (!name.empty()) {
    r.sdMetres += PrismConstantMm(s, r.prismType) * kMetresPerMm;
  } else if (!r.keepReflector) {
    r.sdMetres += s.const_monitoring * kMetresPerMm;
  }
  const double h = r.haGon * kGonToRadians;
  const double v = r.vaGon * kGonToRadians;
  const StationPosition station = StationOf(s);
  r.eastingMetres = station.eastingMetres + r.sdMetres * std::sin(h) * std::sin(v);
  r.northingMetres = station.northingMetres + r.sdMetres * std::cos(h) * std::sin(v);
  r.rlMetres = station.levelMetres + r.sdMetres * std::cos(v);
}

bool ReduceReading(const ProjectStationSettings& s, Reading& r, std::string_view haText,
                   std::string_view vaText, std::string_view sdText, bool relativeToOrientation) {
  double ha = 0.0;
  double va = 0.0;
  if (!platform::ScanDouble(haText, ha) || !platform::ScanDouble(vaText, va)) return false;
  // A missing distance is no distance: keeping the previous one would correct it a second time.
  double sd = 0.0;
  const bool hasDistance = platform::ScanDouble(sdText, sd) && sd != 0.0;

  r.ppm = ComputeAtmosphericPpm(s.temperature, s.pressure);
  r.sdMetres = hasDistance ? sd * (1.0 + r.ppm * kPpmScale) : 0.0;
  if (relativeToOrientation) ha -= s.orientation;
  r.haGon = NormaliseAngle(ha);
  r.vaGon = va;
  ComputeTargetCoordinates(s, r, {});
  r.haText = platform::FormatFixed(r.haGon, 5);
  r.vaText = platform::FormatFixed(r.vaGon, 5);
  r.sdText = platform::FormatFixed(r.sdMetres, 4);
  return hasDistance;
}

}  // namespace vigil::survey
