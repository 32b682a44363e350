#include "demo/KnownSite.h"

#include "platform/Text.h"
#include "survey/Coordinates.h"
#include "survey/Units.h"

namespace vigil::demo {

void TakeTrueStation(store::ProjectStationSettings& s, const sim::Scenario& site) {
  s.easting = site.station.eastingMetres;
  s.northing = site.station.northingMetres;
  s.reduced_level = site.station.levelMetres;
  s.orientation = site.circleZeroGon;
  s.temperature = site.temperatureC;
  s.pressure = site.pressureHpa;
}

std::vector<KnownPoint> TruePointsOf(const sim::Scenario& site) {
  std::vector<KnownPoint> points;
  for (const sim::Prism& p : site.prisms) {
    points.push_back({p.name, p.truth.eastingMetres, p.truth.northingMetres, p.truth.levelMetres});
  }
  return points;
}

std::string TrainingTextOf(const store::ProjectStationSettings& s, const std::vector<KnownPoint>& points) {
  std::string text = "Stat\tName\tHa\tVa\tSD\tEasting\tNorthing\tRL\tType\tPrism\r\n";
  const auto angle = [&s](double gon) {
    return survey::FormatAngle(s, gon, survey::AngleFormat::Current, false);
  };
  for (const KnownPoint& p : points) {
    const survey::Observation o =
        survey::ComputeHaVaSd(survey::StationOf(s), p.eastingMetres, p.northingMetres, p.rlMetres);
    const std::vector<std::string> fields{"1",
                                          p.name,
                                          angle(o.haGon),
                                          angle(o.vaGon),
                                          survey::FormatDistance(s, o.sdMetres),
                                          survey::FormatDistance(s, p.eastingMetres),
                                          survey::FormatDistance(s, p.northingMetres),
                                          survey::FormatDistance(s, p.rlMetres),
                                          "2",
                                          "Monitoring"};
    text += platform::Join(fields, "\t") + "\r\n";
  }
  return text;
}

}  // namespace vigil::demo
