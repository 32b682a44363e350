#include "YearSite.h"

#include <cmath>
#include <vector>

#include "demo/KnownSite.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "survey/Coordinates.h"
#include "survey/Units.h"

namespace vigil::longrun {

sim::Scenario YearScenario() {
  sim::Scenario s;
  s.station = {5000.0, 8000.0, 120.0};
  s.seed = 2027;
  for (int i = 0; i < kPrismCount; ++i) {
    const double azimuthGon = 20.0 * i + 3.0;
    const double distanceMetres = 60.0 + 12.0 * i;
    const double a = azimuthGon * survey::kPi / 200.0;
    sim::Prism p;
    p.name = platform::Format("P%02d", {i + 1});
    p.type = sim::PrismType::kMonitoring;
    p.constantMm = -30.0;
    p.truth = {s.station.eastingMetres + distanceMetres * std::sin(a),
               s.station.northingMetres + distanceMetres * std::cos(a),
               s.station.levelMetres + (i % 5) - 2.0};
    sim::Movement creep;
    creep.mmPerDay = {0.01 * (i % 3), -0.01 * (i % 4), 0.005};
    p.movements.push_back(creep);
    if (i == kHiddenPrism) {
      sim::HiddenInterval shed;
      shed.fromMinuteOfDay = kHiddenFromMinute;
      shed.toMinuteOfDay = kHiddenToMinute;
      p.hidden.push_back(shed);
    }
    s.prisms.push_back(p);
  }
  return s;
}

std::string TrainingText(const sim::Scenario& site, const store::ProjectStationSettings& s) {
  return demo::TrainingTextOf(s, demo::TruePointsOf(site));
}

}  // namespace vigil::longrun
