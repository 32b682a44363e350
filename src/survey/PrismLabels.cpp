#include "platform/Format.h"
#include "survey/Coordinates.h"
#include "survey/Units.h"

namespace vigil::survey {
namespace {

// The number a label shows for a constant (mm): millimetres, or in feet and inches the constant
// taken through metres into the display unit.
double ShownConstant(const ProjectStationSettings& s, double constantMm, bool inDisplayUnit) {
  if (!inDisplayUnit || DistanceUnitOf(s) == DistanceUnit::Meters) return constantMm;
  const std::string metres = MmToMetres(platform::FormatFixed(constantMm, 6));
  return platform::ParseDoubleOr(MetresTextToDisplay(s, metres), 0.0);
}

}  // namespace

double PrismConstantMm(const ProjectStationSettings& s, int prismType) {
  switch (prismType) {
    case kPrismReference:
      return s.const_reference;
    case kPrismConnection:
      return s.const_connection;
    case kPrismMonitoring:
      return s.const_monitoring;
    case kPrismCustom:
      return s.const_custom;
    default:
      return 0.0;
  }
}

PrismLabel PrismTypeLabel(const ProjectStationSettings& s, int prismType, bool constantsInDisplayUnit) {
  const double mm = PrismConstantMm(s, prismType);
  const double shown = ShownConstant(s, mm, constantsInDisplayUnit);
  switch (prismType) {
    case kPrismReference:
      return {platform::Format("Reference Prism (%.1lf)", {shown}), mm};
    case kPrismConnection:
      return {platform::Format("Connection Prism (%.1lf)", {shown}), mm};
    case kPrismMonitoring:
      return {platform::Format("Monitoring Prism (%.1lf)", {shown}), mm};
    case kPrismReflectorless:
      return {"Reflectorless (0.0)", 0.0};
    case kPrismSheet:
      return {"Sheet Prism (0.0)", 0.0};
    case kPrismCustom:
      return {platform::Format("Custom Prism \"%s\" (%.1lf)", {s.const_custom_name, shown}), mm};
    default:
      return {};
  }
}

}  // namespace vigil::survey
