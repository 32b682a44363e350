#include "survey/Units.h"

#include <cmath>

#include "platform/Format.h"

namespace vigil::survey {
namespace {

// A converted text, or the given text when the number ran out of range on the way.
std::string FixedOrAsGiven(double value, int decimals, std::string_view given) {
  if (!std::isfinite(value)) return std::string(given);
  return platform::FormatFixed(value, decimals);
}

// Display units per metre.
double DisplayPerMetre(const ProjectStationSettings& s) {
  switch (DistanceUnitOf(s)) {
    case DistanceUnit::Feet:
      return FeetPerMetre(s);
    case DistanceUnit::Inches:
      return FeetPerMetre(s) * kInchesPerFoot;
    case DistanceUnit::Meters:
      break;
  }
  return 1.0;
}

}  // namespace

AngleUnit AngleUnitOf(const ProjectStationSettings& s) {
  return s.angle_units == 1 ? AngleUnit::DegMinSec : AngleUnit::Gon;
}

DistanceUnit DistanceUnitOf(const ProjectStationSettings& s) {
  if (s.distance_unit == 1) return DistanceUnit::Feet;
  if (s.distance_unit == 2) return DistanceUnit::Inches;
  return DistanceUnit::Meters;
}

DistanceStandard DistanceStandardOf(const ProjectStationSettings& s) {
  return s.dist_standard == 0 ? DistanceStandard::International : DistanceStandard::US;
}

double FeetPerMetre(const ProjectStationSettings& s) {
  return DistanceStandardOf(s) == DistanceStandard::International ? kFeetPerMetreInternational
                                                                  : kFeetPerMetreUs;
}

std::string FormatDistance(const ProjectStationSettings& s, double distanceMetres) {
  if (DistanceUnitOf(s) == DistanceUnit::Meters) return platform::FormatFixed(distanceMetres, 4);
  return platform::FormatFixed(DisplayPerMetre(s) * distanceMetres, 4);
}

std::string MetresTextToDisplay(const ProjectStationSettings& s, std::string_view metresText) {
  double metres = 0.0;
  if (!platform::ScanDouble(metresText, metres)) return std::string(metresText);
  return FixedOrAsGiven(DisplayPerMetre(s) * metres, 4, metresText);
}

std::string DistanceToMetres(const ProjectStationSettings& s, std::string_view displayText) {
  double x = 0.0;
  if (!platform::ScanDouble(displayText, x)) return std::string(displayText);
  if (DistanceUnitOf(s) == DistanceUnit::Meters) return platform::FormatFixed(x, 4);
  return platform::FormatFixed(x / DisplayPerMetre(s), 4);
}

std::string PrismConstantToMm(const ProjectStationSettings& s, std::string_view text) {
  double x = 0.0;
  if (!platform::ScanDouble(text, x)) return std::string(text);
  // In metres mode constants are typed in millimetres already.
  if (DistanceUnitOf(s) == DistanceUnit::Meters) return platform::FormatFixed(x, 1);
  const double metres = platform::ParseDoubleOr(DistanceToMetres(s, text), 0.0);
  return FixedOrAsGiven(metres * kMmPerMetre, 1, text);
}

std::string MmToMetres(std::string_view mmText) {
  double x = 0.0;
  if (!platform::ScanDouble(mmText, x)) return std::string(mmText);
  return platform::FormatFixed(x * kMetresPerMm, 4);
}

std::string MetresToMm(std::string_view metresText) {
  double x = 0.0;
  if (!platform::ScanDouble(metresText, x)) return std::string(metresText);
  return FixedOrAsGiven(x * kMmPerMetre, 4, metresText);
}

std::string DistanceUnitLabel(const ProjectStationSettings& s) {
  switch (DistanceUnitOf(s)) {
    case DistanceUnit::Feet:
      return "ft";
    case DistanceUnit::Inches:
      return "in";
    case DistanceUnit::Meters:
      break;
  }
  return "m";
}

std::string FormatDistanceWithUnit(const ProjectStationSettings& s, std::string_view displayText) {
  return platform::Format("%s %s", {displayText, DistanceUnitLabel(s)});
}

}  // namespace vigil::survey
