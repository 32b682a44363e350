#include "monitoring/Differences.h"

#include "platform/Format.h"
#include "survey/Units.h"

namespace vigil::monitoring {
namespace {

bool MetresMode(const store::ProjectStationSettings& s) {
  return survey::DistanceUnitOf(s) == survey::DistanceUnit::Meters;
}

}  // namespace

std::string DifferenceUnitLabel(const store::ProjectStationSettings& s) {
  return MetresMode(s) ? "mm" : survey::DistanceUnitLabel(s);
}

std::vector<platform::ListColumn> DifferenceColumns(const store::ProjectStationSettings& s) {
  const std::string unit = DifferenceUnitLabel(s);
  return {
      {"Point Name", 80},
      {platform::Format("dE (%s)", {unit}), 70},
      {platform::Format("dN (%s)", {unit}), 70},
      {platform::Format("dRL (%s)", {unit}), 70},
      {"Ref E", 0},
      {"Ref N", 0},
      {"Ref RL", 0},
  };
}

std::optional<Differences> ComputeDifferences(const store::ProjectStationSettings& s,
                                              std::string_view easting, std::string_view northing,
                                              std::string_view rl, std::string_view refEasting,
                                              std::string_view refNorthing, std::string_view refRl) {
  double v[6] = {};
  const std::string_view texts[6] = {easting, northing, rl, refEasting, refNorthing, refRl};
  for (int i = 0; i < 6; ++i) {
    if (!platform::ScanDouble(texts[i], v[i])) return std::nullopt;
  }
  const bool metres = MetresMode(s);
  const double k = metres ? 1000.0 : 1.0;
  const int decimals = metres ? 2 : 4;
  auto text = [&](double measured, double reference) {
    return platform::FormatFixed((measured - reference) * k, decimals);
  };
  return Differences{text(v[0], v[3]), text(v[1], v[4]), text(v[2], v[5])};
}

}  // namespace vigil::monitoring
