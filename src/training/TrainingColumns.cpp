#include "training/TrainingColumns.h"

#include "platform/Format.h"
#include "survey/Units.h"

namespace vigil::training {

TrainingColumnSpecs TrainingColumns(const store::ProjectStationSettings& s) {
  const bool gon = survey::AngleUnitOf(s) == survey::AngleUnit::Gon;
  const std::string angleSuffix = gon ? "(gons)" : "";
  const int angleWidth = gon ? 80 : 110;
  const std::string unit = survey::DistanceUnitLabel(s);
  return TrainingColumnSpecs{{
      {"Pt. Name", 100},
      {platform::Format("Ha%s", {angleSuffix}), angleWidth},
      {platform::Format("Va%s", {angleSuffix}), angleWidth},
      {platform::Format("SD(%s)", {unit}), 80},
      {platform::Format("Easting(%s)", {unit}), 80},
      {platform::Format("Northing(%s)", {unit}), 80},
      {platform::Format("RL(%s)", {unit}), 80},
      {"PrismType", 0},
      {"Prism Type", 150},
  }};
}

}  // namespace vigil::training
