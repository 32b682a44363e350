// Filling a monitoring row from what the instrument measured.
#pragma once

#include <string>

#include "monitoring/CycleColumns.h"
#include "platform/Clock.h"
#include "store/ProjectStationSettings.h"
#include "survey/Reading.h"

namespace vigil::monitoring {

/// "%02d-%02d-%d" of day, month, year.
std::string RecordDate(const platform::LocalDateTime& when);
/// "%02d:%02d:%02d" of hour, minute, second.
std::string RecordTime(const platform::LocalDateTime& when);

/// Columns 7 to 17 of a successful reading: Ha and Va (display form), SD, E, N, RL in the
/// display unit, the station's pressure and temperature "%.1lf", the ppm "%.4lf" and the
/// tilts "%.5lf".
void FillMeasuredColumns(const store::ProjectStationSettings& s, const survey::Reading& r, CycleRow& row);

}  // namespace vigil::monitoring
