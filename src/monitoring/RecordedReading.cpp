#include "monitoring/RecordedReading.h"

#include "platform/Format.h"
#include "survey/Units.h"

namespace vigil::monitoring {

std::string RecordDate(const platform::LocalDateTime& when) {
  return platform::Format("%02d-%02d-%d", {when.day, when.month, when.year});
}

std::string RecordTime(const platform::LocalDateTime& when) {
  return platform::Format("%02d:%02d:%02d", {when.hour, when.minute, when.second});
}

void FillMeasuredColumns(const store::ProjectStationSettings& s, const survey::Reading& r, CycleRow& row) {
  auto distance = [&](double metres) {
    return survey::MetresTextToDisplay(s, platform::FormatFixed(metres, 4));
  };
  row[kCycleHa] = survey::FormatAngle(s, r.haGon, survey::AngleFormat::Current, false);
  row[kCycleVa] = survey::FormatAngle(s, r.vaGon, survey::AngleFormat::Current, false);
  row[kCycleSd] = distance(r.sdMetres);
  row[kCyclePressure] = platform::FormatFixed(s.pressure, 1);
  row[kCycleTemperature] = platform::FormatFixed(s.temperature, 1);
  row[kCyclePpm] = platform::FormatFixed(r.ppm, 4);
  row[kCycleEasting] = distance(r.eastingMetres);
  row[kCycleNorthing] = distance(r.northingMetres);
  row[kCycleRl] = distance(r.rlMetres);
  row[kCycleTiltX] = platform::FormatFixed(r.tiltX, 5);
  row[kCycleTiltY] = platform::FormatFixed(r.tiltY, 5);
}

}  // namespace vigil::monitoring
