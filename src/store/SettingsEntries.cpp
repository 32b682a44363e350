#include "store/SettingsEntries.h"

#include "platform/Format.h"
#include "store/ConstCustom.h"

namespace vigil::store {

SettingsEntries SettingsEntriesFor(const ProjectStationSettings& s) {
  using platform::FormatFixed;
  using platform::FormatInt;
  SettingsEntries entries{
      {"temperature", FormatFixed(s.temperature, 1)},
      {"pressure", FormatFixed(s.pressure, 1)},
      {"angle_units", FormatInt(s.angle_units)},
      {"distance_unit", FormatInt(s.distance_unit)},
      {"dist_standard", FormatInt(s.dist_standard)},
      {"easting", FormatFixed(s.easting, 4)},
      {"northing", FormatFixed(s.northing, 4)},
      {"reduced_level", FormatFixed(s.reduced_level - s.instrument_height, 4)},
      {"orientation", FormatFixed(s.orientation, 5)},
      {"instrument_height", FormatFixed(s.instrument_height, 4)},
      {"const_monitoring", FormatFixed(s.const_monitoring, 1)},
      {"const_connection", FormatFixed(s.const_connection, 1)},
      {"const_reference", FormatFixed(s.const_reference, 1)},
      {"const_custom", FormatConstCustom(s.const_custom_name, s.const_custom)},
      {"sequence", FormatInt(s.sequence)},
      {"repeat", FormatInt(s.repeat)},
      {"retry", FormatInt(s.retry)},
      {"rounds", FormatInt(s.rounds)},
      {"mode", FormatInt(s.mode)},
      {"interval", s.interval},
      {"start_time", s.start_time},
      {"cycles", s.cycles},
  };
  if (s.resume_after_restart) entries.emplace_back("resume_after_restart", "1");
  return entries;
}

void AddReplyDrivenEntry(const ProjectStationSettings& settings, SettingsEntries& entries) {
  if (settings.reply_driven != kDefaultReplyDriven)
    entries.emplace_back(kReplyDrivenKey, settings.reply_driven ? "1" : "0");
}

}  // namespace vigil::store
