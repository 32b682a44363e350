#include <cmath>
#include <string>
#include <vector>

#include "platform/Format.h"
#include "platform/Text.h"
#include "survey/Units.h"

namespace vigil::survey {
namespace {

// Beyond this the degrees no longer fit the integer parts; such angles are never real.
constexpr double kMaxDegreeModeGon = 1e12;

struct Dms {
  long long degrees = 0;
  long long minutes = 0;
  double seconds = 0.0;
};

// Each part truncated toward zero, so a negative angle carries its sign on every part.
Dms SplitDegrees(double angleGon) {
  const double d = angleGon * kGonToDegrees;
  Dms dms;
  dms.degrees = static_cast<long long>(std::trunc(d));
  const double m = (d - static_cast<double>(dms.degrees)) * 60.0;
  dms.minutes = static_cast<long long>(std::trunc(m));
  dms.seconds = (m - static_cast<double>(dms.minutes)) * 60.0;
  return dms;
}

// DDD.MMSSs; the seconds are rounded by the formatting alone (59.97 packs as 60.0).
std::string PackDegrees(double angleGon) {
  if (angleGon < 0.0) return "-" + PackDegrees(-angleGon);
  const Dms dms = SplitDegrees(angleGon);
  const std::string text = platform::Format("%02dd%02d%04.1lf", {dms.degrees, dms.minutes, dms.seconds});
  return platform::ReplaceAll(platform::ReplaceAll(text, ".", ""), "d", ".");
}

std::string DisplayDegrees(double angleGon) {
  const Dms dms = SplitDegrees(angleGon);
  return platform::Format("%02d%s %02d' %.2lf\"", {dms.degrees, kDegreeSign, dms.minutes, dms.seconds});
}

bool UsesDegrees(const ProjectStationSettings& s, AngleFormat unit) {
  if (unit == AngleFormat::Current) return AngleUnitOf(s) == AngleUnit::DegMinSec;
  return unit == AngleFormat::Degrees;
}

}  // namespace

std::string FormatAngle(const ProjectStationSettings& s, double angleGon, AngleFormat unit, bool packed) {
  if (angleGon == 0.0) angleGon = 0.0;  // no "-0" from a negative zero
  if (!UsesDegrees(s, unit) || !(std::fabs(angleGon) < kMaxDegreeModeGon))
    return platform::FormatFixed(angleGon, 5);
  return packed ? PackDegrees(angleGon) : DisplayDegrees(angleGon);
}

std::string ParseAngle(const ProjectStationSettings& s, std::string_view text) {
  if (AngleUnitOf(s) != AngleUnit::DegMinSec) return std::string(text);
  // The marks separate the parts as blanks do, so "111°06'39.71\"" reads like the display form.
  std::string plain = platform::ReplaceAll(text, kDegreeSign, " ");
  plain = platform::ReplaceAll(plain, "'", " ");
  plain = platform::ReplaceAll(plain, "\"", " ");
  double parts[3] = {0.0, 0.0, 0.0};  // degrees, minutes, seconds; each keeps its own sign
  std::size_t count = 0;
  bool anyNumber = false;
  for (const std::string& piece : platform::Split(plain, " ")) {
    if (piece.empty()) continue;  // repeated blanks
    if (count == 3) break;
    anyNumber = platform::ScanDouble(piece, parts[count]) || anyNumber;
    ++count;
  }
  const double gon = (parts[2] * kSecondsToDegrees + parts[1] * kMinutesToDegrees + parts[0]) * kDegreesToGon;
  if (!anyNumber || !std::isfinite(gon)) return std::string(text);
  return platform::FormatFixed(gon, 5);
}

std::string FormatAngleWithUnit(const ProjectStationSettings& s, double angleGon) {
  const std::string text = FormatAngle(s, angleGon, AngleFormat::Current, false);
  return AngleUnitOf(s) == AngleUnit::Gon ? text + " gon" : text;
}

}  // namespace vigil::survey
