// The dashboard's JSON API: stations, a station's points, one point's series with its limits,
// the alarm events. Numbers in mm (mm/day for velocities) and metres, times as local ms since
// 1970 and as text.
#pragma once

#include <string>
#include <vector>

#include "alarms/AlarmLimits.h"
#include "web/DashboardData.h"

namespace vigil::web {

/// How many sigmas wide each side of the uncertainty band is.
inline constexpr double kBandSigmas = 2.0;

std::string StationsJson(const std::vector<StationState>& stations);
std::string PointsJson(const std::vector<PointRow>& points);
/// `limits` null: no limits file given.
std::string SeriesJson(const std::string& point, const std::vector<results::StoredPoint>& series,
                       const alarms::AlarmLimits* limits);
std::string EventsJson(const std::vector<EventRow>& events);

/// "alert", "alarm", "action" or "" for none.
const char* OpenLevelName(OpenLevel level);

}  // namespace vigil::web
