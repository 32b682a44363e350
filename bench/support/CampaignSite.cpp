#include "support/CampaignSite.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "demo/KnownSite.h"
#include "monitoring/Schedule.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "survey/Coordinates.h"
#include "survey/Units.h"

namespace vigil::bench {

long long ReadingsPerCycle(const CampaignShape& shape) {
  return static_cast<long long>(shape.prisms) * shape.faces * shape.repeats;
}

long long ExpectedReadings(const CampaignShape& shape) {
  return ReadingsPerCycle(shape) * shape.cyclesPerDay * shape.days;
}

sim::Scenario CampaignSite(int prismCount) {
  sim::Scenario site;
  site.station = {5000.0, 10000.0, 150.0};
  site.circleZeroGon = 37.1234;
  site.temperatureC = 14.0;
  site.pressureHpa = 1002.0;
  site.seed = 20261207;
  for (int i = 0; i < prismCount; ++i) {
    const double bearingGon = (i + 0.5) * 400.0 / prismCount;
    const double horizontalMetres = 60.0 + (i * 37 % 241);
    const double radians = bearingGon * survey::kGonToRadians;
    sim::Prism p;
    p.name = platform::Format("P%03d", {i + 1});
    p.type = sim::PrismType::kMonitoring;
    p.constantMm = -30.0;
    p.truth = {site.station.eastingMetres + horizontalMetres * std::sin(radians),
               site.station.northingMetres + horizontalMetres * std::cos(radians),
               site.station.levelMetres + ((i * 13) % 21 - 10) * 0.5};
    if (i % 5 == 0) {
      sim::Movement drift;
      drift.kind = sim::Movement::Kind::kDrift;
      drift.mmPerDay = {0.1, -0.2, -0.05};
      p.movements.push_back(drift);
    }
    site.prisms.push_back(p);
  }
  return site;
}

double SmallestSeparationGon(const sim::Scenario& site) {
  const survey::StationPosition station{site.station.eastingMetres, site.station.northingMetres,
                                        site.station.levelMetres};
  std::vector<double> directions;
  for (const sim::Prism& p : site.prisms) {
    directions.push_back(
        survey::ComputeHaVaSd(station, p.truth.eastingMetres, p.truth.northingMetres, p.truth.levelMetres)
            .haGon);
  }
  if (directions.size() < 2) return 400.0;
  std::sort(directions.begin(), directions.end());
  double smallest = directions.front() + 400.0 - directions.back();
  for (std::size_t i = 1; i < directions.size(); ++i)
    smallest = std::min(smallest, directions[i] - directions[i - 1]);
  return smallest;
}

void SetUpCampaign(store::ProjectStationSettings& s, const sim::Scenario& site, const CampaignShape& shape) {
  demo::TakeTrueStation(s, site);
  s.sequence = shape.faces == 1 ? 2 : 0;
  s.repeat = shape.repeats;
  s.rounds = 1;
  s.mode = 0;
  s.start_time = "01:00 AM";
  s.interval = platform::FormatInt(24 / std::max(shape.cyclesPerDay, 1));
  s.cycles = monitoring::BuildCycleList(s.start_time, s.interval);
}

std::string TrainingTextOf(const store::ProjectStationSettings& s, const sim::Scenario& site) {
  return demo::TrainingTextOf(s, demo::TruePointsOf(site));
}

}  // namespace vigil::bench
