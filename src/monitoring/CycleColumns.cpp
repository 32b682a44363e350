#include "monitoring/CycleColumns.h"

#include "platform/Format.h"
#include "survey/Units.h"

namespace vigil::monitoring {

std::vector<platform::ListColumn> ReadingsColumns(const store::ProjectStationSettings& s) {
  const bool gon = survey::AngleUnitOf(s) == survey::AngleUnit::Gon;
  const std::string angleUnit = gon ? "(gons)" : "";
  const int angleWidth = gon ? 80 : 110;
  const std::string unit = survey::DistanceUnitLabel(s);
  return {
      {"Epoch", 0},
      {"Cycle", 50},
      {"Round", 50},
      {"Date", 80},
      {"Time", 80},
      {"Point", 100},
      {"Face", 50},
      {platform::Format("Ha%s", {angleUnit}), angleWidth},
      {platform::Format("Va%s", {angleUnit}), angleWidth},
      {platform::Format("SD(%s)", {unit}), 80},
      {"Pressure (hPa)", 100},
      {"Temp (\xC2\xB0"
       "C)",
       80},
      {"PPM", 80},
      {platform::Format("Easting (%s)", {unit}), 80},
      {platform::Format("Northing (%s)", {unit}), 90},
      {platform::Format("RL (%s)", {unit}), 80},
      {"Tilt-X", 80},
      {"Tilt-Y", 80},
  };
}

}  // namespace vigil::monitoring
