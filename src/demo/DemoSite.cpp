#include "demo/DemoSite.h"

#include <algorithm>
#include <cmath>

#include "sim/ScenarioLoader.h"
#include "survey/Coordinates.h"

namespace vigil::demo {

namespace {

/// Room round the prisms in the scan window (gon).
constexpr double kScanMarginGon = 4.0;

survey::StationPosition TrueStation(const sim::Scenario& site) {
  return {site.station.eastingMetres, site.station.northingMetres, site.station.levelMetres};
}

}  // namespace

std::int64_t LocalMs(const platform::LocalDateTime& t) {
  return platform::MillisecondsFromCivil(t);
}

platform::LocalDateTime LocalTimeOf(std::int64_t localMs) {
  return platform::CivilFromMilliseconds(localMs);
}

bool LoadDemoSite(const std::filesystem::path& scenarioPath, DemoSite& site, std::string& error) {
  if (!sim::LoadScenarioFile(scenarioPath, site.scenario, error)) return false;
  if (!site.scenario.epochGiven) {
    site.scenario.epochMs = LocalMs({2026, 12, 7, 7, 0, 0, 0, 1});
    site.scenario.epochGiven = true;
  }
  site.start = LocalTimeOf(site.scenario.epochMs);
  return true;
}

std::vector<ControlPoint> ReferenceControl(const sim::Scenario& site) {
  std::vector<ControlPoint> points;
  for (const sim::Prism& p : site.prisms) {
    if (p.type == sim::PrismType::kReference) points.push_back({p.name, p.truth});
  }
  return points;
}

sim::GridPoint RoughStation(const sim::Scenario& site) {
  const auto round = [](double v, double step) { return std::round(v / step) * step; };
  return {round(site.station.eastingMetres + 3.7, 10.0), round(site.station.northingMetres - 4.2, 10.0),
          round(site.station.levelMetres, 1.0)};
}

Sighting SightTo(const sim::Scenario& site, const sim::GridPoint& target) {
  const survey::Observation o = survey::ComputeHaVaSd(TrueStation(site), target.eastingMetres,
                                                      target.northingMetres, target.levelMetres);
  return {survey::NormaliseAngle(o.haGon + site.circleZeroGon), o.vaGon};
}

ScanWindow ScanWindowOf(const sim::Scenario& site) {
  // Grid bearings measured from the first prism so a window across north stays in one piece.
  double first = 0.0;
  double lowest = 0.0;
  double highest = 0.0;
  double top = 400.0;
  double bottom = 0.0;
  bool any = false;
  for (const sim::Prism& p : site.prisms) {
    const Sighting s = SightTo(site, p.truth);
    if (!any) first = s.circleHaGon;
    double apart = s.circleHaGon - first;
    if (apart > 200.0) apart -= 400.0;
    if (apart < -200.0) apart += 400.0;
    lowest = any ? std::min(lowest, apart) : apart;
    highest = any ? std::max(highest, apart) : apart;
    top = std::min(top, s.vaGon);
    bottom = std::max(bottom, s.vaGon);
    any = true;
  }
  return {{survey::NormaliseAngle(first + lowest - kScanMarginGon), top - kScanMarginGon},
          {survey::NormaliseAngle(first + highest + kScanMarginGon), bottom + kScanMarginGon}};
}

const sim::Prism* PrismNear(const sim::Scenario& site, const sim::GridPoint& position, double radiusMetres) {
  const sim::Prism* best = nullptr;
  double bestMetres = radiusMetres;
  for (const sim::Prism& p : site.prisms) {
    const double d = std::hypot(std::hypot(p.truth.eastingMetres - position.eastingMetres,
                                           p.truth.northingMetres - position.northingMetres),
                                p.truth.levelMetres - position.levelMetres);
    if (d <= bestMetres) {
      bestMetres = d;
      best = &p;
    }
  }
  return best;
}

int ProgramPrismType(sim::PrismType type) {
  switch (type) {
    case sim::PrismType::kReference:
      return 0;
    case sim::PrismType::kConnection:
      return 1;
    case sim::PrismType::kMonitoring:
      return 2;
    case sim::PrismType::kReflectorless:
      return 3;
    case sim::PrismType::kSheet:
      return 4;
    case sim::PrismType::kCustom:
      return 5;
  }
  return 2;
}

}  // namespace vigil::demo
