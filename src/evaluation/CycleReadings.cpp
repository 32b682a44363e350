#include "evaluation/CycleReadings.h"

#include "monitoring/CycleColumns.h"
#include "monitoring/CycleFileText.h"
#include "platform/Clock.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "survey/Units.h"

namespace vigil::evaluation {

namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;

// Exactly three numbers separated by `separator`, each within [low, high].
bool ThreeNumbers(std::string_view text, std::string_view separator, const int (&low)[3],
                  const int (&high)[3], int (&out)[3]) {
  const std::vector<std::string> parts = platform::Split(text, separator);
  if (parts.size() != 3) return false;
  for (std::size_t i = 0; i < 3; ++i) {
    if (!platform::IsPlainNumber(parts[i], false) || !platform::ScanInt(parts[i], out[i])) return false;
    if (out[i] < low[i] || out[i] > high[i]) return false;
  }
  return true;
}

bool Number(std::string_view text, double& value) {
  return platform::IsPlainNumber(text) && platform::ScanDouble(text, value);
}

// The units of the file from its header, as settings the unit conversions understand.
bool UnitsFromHeader(std::string_view header, store::ProjectStationSettings& units) {
  const std::vector<std::string> headings = platform::Split(header, "\t");
  if (headings.size() <= monitoring::kCycleSd) return false;
  const std::string& ha = headings[monitoring::kCycleHa];
  const std::string& sd = headings[monitoring::kCycleSd];
  if (ha != "Ha(gons)" && ha != "Ha") return false;
  units.angle_units = ha == "Ha" ? 1 : 0;
  if (sd == "SD(m)") {
    units.distance_unit = 0;
  } else if (sd == "SD(ft)") {
    units.distance_unit = 1;
  } else if (sd == "SD(in)") {
    units.distance_unit = 2;
  } else {
    return false;
  }
  return true;
}

// DDD.MMSSs as the files write degrees: two digits of minutes, then seconds in tenths.
bool PackedDegreesToGon(std::string_view text, double& gon) {
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  const std::size_t dot = text.find('.');
  if (dot == std::string_view::npos || dot == 0 || text.size() - dot < 4) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i != dot && (text[i] < '0' || text[i] > '9')) return false;
  }
  double degrees = 0.0;
  int minutes = 0, tenthsOfSeconds = 0;
  if (!platform::ScanDouble(text.substr(0, dot), degrees) ||
      !platform::ScanInt(text.substr(dot + 1, 2), minutes) ||
      !platform::ScanInt(text.substr(dot + 3), tenthsOfSeconds) || minutes > 59 || tenthsOfSeconds > 600)
    return false;
  const double d = degrees + minutes / 60.0 + tenthsOfSeconds / 36000.0;
  gon = (negative ? -d : d) * survey::kDegreesToGon;
  return true;
}

bool Angle(const store::ProjectStationSettings& units, std::string_view text, double& gon) {
  if (units.angle_units == 1) return PackedDegreesToGon(text, gon);
  return Number(text, gon);
}

bool Distance(const store::ProjectStationSettings& units, std::string_view text, double& metres) {
  if (!platform::IsPlainNumber(text)) return false;
  double display = 0.0;
  if (!platform::ScanDouble(text, display)) return false;
  switch (units.distance_unit) {
    case 1:
      metres = display / survey::FeetPerMetre(units);
      return true;
    case 2:
      metres = display / (survey::FeetPerMetre(units) * survey::kInchesPerFoot);
      return true;
    default:
      metres = display;
      return true;
  }
}

}  // namespace

bool CycleLineTime(std::string_view date, std::string_view time, std::int64_t& localMs) {
  int d[3] = {};
  int t[3] = {};
  if (!ThreeNumbers(date, "-", {1, 1, 1970}, {31, 12, 9999}, d)) return false;
  if (!ThreeNumbers(time, ":", {0, 0, 0}, {23, 59, 59}, t)) return false;
  localMs =
      platform::DaysFromCivil(d[2], d[1], d[0]) * kMsPerDay + ((t[0] * 60LL + t[1]) * 60LL + t[2]) * 1000;
  return true;
}

bool ReadCycleReadings(std::string_view text, const store::ProjectStationSettings& footStandard,
                       CycleReadings& out, std::string& error) {
  using namespace monitoring;
  store::ProjectStationSettings units = footStandard;
  const std::vector<std::string> lines = platform::Split(text, "\r\n");
  bool header = false;
  for (const std::string& line : lines) {
    if (platform::Contains(line, "Easting")) {
      header = UnitsFromHeader(line, units);
      break;
    }
  }
  if (!header) {
    error = "no header line naming the columns and their units";
    return false;
  }
  CycleReadings read;
  int lineNumber = 0;
  for (const std::string& line : lines) {
    ++lineNumber;
    if (line.empty() || platform::Contains(line, "Easting")) continue;
    const std::vector<CycleRow> rows = ParseCycleFileText(line);
    if (rows.size() != 1) {
      ++read.skippedLines;
      continue;
    }
    const CycleRow& row = rows.front();
    CycleReading r;
    r.lineNumber = lineNumber;
    r.point = row[kCyclePoint];
    r.face = row[kCycleFace] == "2" ? 2 : 1;
    const bool ok = !r.point.empty() && platform::ScanInt(row[kCycleNumber], r.cycleNumber) &&
                    platform::ScanInt(row[kCycleRound], r.round) &&
                    CycleLineTime(row[kCycleDate], row[kCycleTime], r.localMs) &&
                    Angle(units, row[kCycleHa], r.haGon) && Angle(units, row[kCycleVa], r.vaGon) &&
                    Distance(units, row[kCycleSd], r.sdMetres);
    if (!ok) {
      ++read.skippedLines;
      continue;
    }
    r.measured = Distance(units, row[kCycleEasting], r.eastingMetres) &&
                 Distance(units, row[kCycleNorthing], r.northingMetres) &&
                 Distance(units, row[kCycleRl], r.rlMetres);
    read.readings.push_back(std::move(r));
  }
  out = std::move(read);
  return true;
}

}  // namespace vigil::evaluation
