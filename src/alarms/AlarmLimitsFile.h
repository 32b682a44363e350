// The alarm limits file "alarms.conf" in the program folder: UTF-8 "key = value" lines, '#'
// starts a comment. Groups of points, limits per group or point and level, and the station's
// own settings; docs/ALARMS.md describes every key.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "alarms/AlarmLimits.h"

namespace vigil::alarms {

inline constexpr const char* kAlarmsFileName = "alarms.conf";

/// Reads the text of a limits file. False with `error` naming the line and key when a line is
/// not "key = value", a key is unknown or given twice, a value is out of range, a group has no
/// points or a level's limit lies below the level under it; `limits` is then left as it was.
bool ParseAlarmLimits(std::string_view text, AlarmLimits& limits, std::string& error);

/// The file in `programFolder`; no limits (nothing watched) when there is none.
bool LoadAlarmLimits(const std::filesystem::path& programFolder, AlarmLimits& limits, std::string& error);

}  // namespace vigil::alarms
