#include "alarms/AlarmLimitsFile.h"

#include <cmath>
#include <map>

#include "platform/Format.h"
#include "platform/SettingLines.h"
#include "platform/Text.h"

namespace vigil::alarms {

namespace {

// A scope is "group.NAME" or "point.NAME"; NAME may hold dots, so the setting is matched from
// the end of the key.
struct Scope {
  bool group = false;
  std::string name;
  LimitRules rules;
  bool hasPoints = false;
  std::vector<std::string> names, prefixes;
  int firstLine = 0;
  std::map<std::pair<int, int>, int> limitLines;  // [level, quantity] -> line
  int hysteresisLine = 0;
};

bool SplitSetting(std::string_view rest, std::string& name, std::string& setting) {
  static const std::vector<std::string> kPlain = {"points", "confirm_cycles", "hysteresis_percent",
                                                  "hysteresis_mm"};
  std::vector<std::string> settings = kPlain;
  for (int l = 0; l < kLevelCount; ++l) {
    for (int q = 0; q < kQuantityCount; ++q) {
      settings.push_back(std::string(LevelName(static_cast<AlarmLevel>(l))) + "." +
                         QuantityKey(static_cast<Quantity>(q)));
    }
  }
  for (const std::string& s : settings) {
    if (rest.size() > s.size() + 1 && rest.substr(rest.size() - s.size()) == s &&
        rest[rest.size() - s.size() - 1] == '.') {
      name = std::string(rest.substr(0, rest.size() - s.size() - 1));
      setting = s;
      return true;
    }
  }
  return false;
}

}  // namespace

bool ParseAlarmLimits(std::string_view text, AlarmLimits& limits, std::string& error) {
  AlarmLimits read;
  std::vector<Scope> scopes;
  std::map<std::string, int> seen;  // key -> line
  std::vector<platform::SettingLine> lines;
  if (!platform::ReadSettingLines(text, lines, error)) return false;
  for (const platform::SettingLine& line : lines) {
    const int lineNumber = line.lineNumber;
    const std::string where = "line " + std::to_string(lineNumber);
    const std::string& key = line.key;
    const std::string_view value = line.value;
    if (auto [it, fresh] = seen.emplace(key, lineNumber); !fresh) {
      error = where + ": " + key + " is already given on line " + std::to_string(it->second);
      return false;
    }
    if (key == "station.no_cycle_hours") {
      if (!platform::ReadBoundedNumber(value, 0.0, 8760.0, read.noCycleHours)) {
        error = where + ": " + key + " must be a number from 0 to 8760";
        return false;
      }
      continue;
    }
    const bool group = platform::StartsWith(key, "group.");
    std::string name, setting;
    if ((!group && !platform::StartsWith(key, "point.")) ||
        !SplitSetting(std::string_view(key).substr(6), name, setting) || (!group && setting == "points")) {
      error = where + ": unknown key \"" + key + "\"";
      return false;
    }
    Scope* scope = nullptr;
    for (Scope& s : scopes) {
      if (s.group == group && s.name == name) scope = &s;
    }
    if (scope == nullptr) {
      scope = &scopes.emplace_back();
      scope->group = group;
      scope->name = name;
      scope->firstLine = lineNumber;
    }
    if (setting == "points") {
      for (const std::string& entry : platform::Split(value, ",")) {
        const std::string n = platform::Trim(entry);
        const std::size_t star = n.find('*');
        if (n.empty() || (star != std::string_view::npos && star != n.size() - 1)) {
          error = where + ": " + key + " must list point names, a '*' only at the end of one";
          return false;
        }
        if (star == std::string_view::npos) {
          scope->names.emplace_back(n);
        } else {
          scope->prefixes.emplace_back(n.substr(0, star));
        }
      }
      scope->hasPoints = true;
    } else if (setting == "confirm_cycles") {
      if (!platform::IsPlainNumber(value, false) || !platform::ScanInt(value, scope->rules.confirmCycles) ||
          scope->rules.confirmCycles < 1 || scope->rules.confirmCycles > 100) {
        error = where + ": " + key + " must be a whole number from 1 to 100";
        return false;
      }
    } else if (setting == "hysteresis_percent" || setting == "hysteresis_mm") {
      if (scope->hysteresisLine != 0) {
        error = where + ": " + key + " and the hysteresis on line " + std::to_string(scope->hysteresisLine) +
                " exclude each other";
        return false;
      }
      scope->hysteresisLine = lineNumber;
      double v = 0.0;
      const bool percent = setting == "hysteresis_percent";
      if (!platform::ReadBoundedNumber(value, 0.0, percent ? 99.0 : 1.0e6, v)) {
        error = where + ": " + key +
                (percent ? " must be a number from 0 to 99" : " must be a number of 0 or more");
        return false;
      }
      if (percent) {
        scope->rules.hysteresisFraction = v / 100.0;
      } else {
        scope->rules.hysteresisMm = v;
      }
    } else {
      const std::size_t dot = setting.find('.');
      int level = 0, quantity = 0;
      while (setting.substr(0, dot) != LevelName(static_cast<AlarmLevel>(level))) ++level;
      while (setting.substr(dot + 1) != QuantityKey(static_cast<Quantity>(quantity))) ++quantity;
      double v = 0.0;
      if (!platform::ReadBoundedNumber(value, 0.0, 1.0e6, v) || v <= 0.0) {
        error = where + ": " + key + " must be a number greater than 0";
        return false;
      }
      scope->rules.limits[level][quantity] = v;
      scope->limitLines[{level, quantity}] = lineNumber;
    }
  }
  for (const Scope& s : scopes) {
    const std::string kind = s.group ? "group" : "point";
    if (s.group && !s.hasPoints) {
      error = "line " + std::to_string(s.firstLine) + ": group \"" + s.name + "\" has no points";
      return false;
    }
    for (const auto& [at, line] : s.limitLines) {
      const double limit = *s.rules.limits[at.first][at.second];
      for (int lower = 0; lower < at.first; ++lower) {
        const auto& under = s.rules.limits[lower][at.second];
        if (under && *under > limit) {
          error = "line " + std::to_string(line) + ": " + kind + " \"" + s.name + "\": the " +
                  LevelName(static_cast<AlarmLevel>(at.first)) + " limit " +
                  platform::ShortestNumberText(limit) + " lies below the " +
                  LevelName(static_cast<AlarmLevel>(lower)) + " limit " +
                  platform::ShortestNumberText(*under);
          return false;
        }
      }
      if (s.rules.hysteresisMm && *s.rules.hysteresisMm >= limit) {
        error = "line " + std::to_string(s.hysteresisLine) + ": " + kind + " \"" + s.name +
                "\": hysteresis_mm must be smaller than every limit (" + platform::ShortestNumberText(limit) +
                ")";
        return false;
      }
    }
    if (s.group) {
      read.groups.push_back({s.name, s.names, s.prefixes, s.rules});
    } else {
      read.points[s.name] = s.rules;
    }
  }
  limits = std::move(read);
  return true;
}

bool LoadAlarmLimits(const std::filesystem::path& programFolder, AlarmLimits& limits, std::string& error) {
  return platform::LoadSettingsFile(
      programFolder / kAlarmsFileName,
      [&limits](std::string_view text, std::string& e) { return ParseAlarmLimits(text, limits, e); }, error);
}

}  // namespace vigil::alarms
