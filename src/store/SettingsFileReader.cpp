#include "store/SettingsFileReader.h"

#include <string>

#include "platform/Format.h"
#include "store/ConstCustom.h"
#include "store/SettingsEntries.h"

namespace vigil::store {

namespace {

void ReadDouble(const KeyValueFile& file, const char* key, double& field) {
  platform::ScanDouble(file.Get(key), field);
}

void ReadInt(const KeyValueFile& file, const char* key, int& field) {
  platform::ScanInt(file.Get(key), field);
}

void ReadIntEmptyIsZero(const KeyValueFile& file, const char* key, int& field) {
  const std::string value = file.Get(key);
  platform::ScanInt(value.empty() ? std::string_view("0") : std::string_view(value), field);
}

void ReadTextOrDefault(const KeyValueFile& file, const char* key, const char* fallback, std::string& field) {
  std::string value = file.Get(key);
  field = value.empty() ? std::string(fallback) : std::move(value);
}

}  // namespace

bool ReadSettingsFile(const KeyValueFile& file, ProjectStationSettings& settings) {
  std::string project = file.Get("project");
  if (project.empty()) return false;
  settings.project = std::move(project);
  settings.station = file.Get("station");

  ReadDouble(file, "temperature", settings.temperature);
  ReadDouble(file, "pressure", settings.pressure);
  ReadIntEmptyIsZero(file, "angle_units", settings.angle_units);
  ReadIntEmptyIsZero(file, "distance_unit", settings.distance_unit);
  ReadIntEmptyIsZero(file, "dist_standard", settings.dist_standard);

  ReadDouble(file, "easting", settings.easting);
  ReadDouble(file, "northing", settings.northing);
  ReadDouble(file, "reduced_level", settings.reduced_level);
  ReadDouble(file, "orientation", settings.orientation);
  ReadDouble(file, "instrument_height", settings.instrument_height);
  settings.reduced_level += settings.instrument_height;

  ReadDouble(file, "const_monitoring", settings.const_monitoring);
  ReadDouble(file, "const_connection", settings.const_connection);
  ReadDouble(file, "const_reference", settings.const_reference);
  ParseConstCustom(file.Get("const_custom"), settings.const_custom_name, settings.const_custom);

  ReadInt(file, "sequence", settings.sequence);
  ReadInt(file, "repeat", settings.repeat);
  ReadInt(file, "retry", settings.retry);
  ReadInt(file, "rounds", settings.rounds);
  ReadIntEmptyIsZero(file, "mode", settings.mode);

  ReadTextOrDefault(file, "interval", kDefaultInterval, settings.interval);
  ReadTextOrDefault(file, "start_time", kDefaultStartTime, settings.start_time);
  ReadTextOrDefault(file, "cycles", kDefaultCycles, settings.cycles);
  settings.resume_after_restart = file.Get("resume_after_restart") == "1";
  // Absent (every file written before the key existed, or with the default): the default.
  int replyDriven = kDefaultReplyDriven ? 1 : 0;
  platform::ScanInt(file.Get(kReplyDrivenKey), replyDriven);
  settings.reply_driven = replyDriven != 0;
  return true;
}

}  // namespace vigil::store
