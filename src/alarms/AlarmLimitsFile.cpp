#include "alarms/AlarmLimitsFile.h"

#include <cmath>
#include <map>
#include <system_error>

#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace vigil::alarms {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool ReadNumber(std::string_view value, double low, double high, double& out) {
  double v = 0.0;
  if (!platform::IsPlainNumber(value) || !platform::ScanDouble(value, v) || !std::isfinite(v) || v < low ||
      v > high)
    return false;
  out = v;
  return true;
}

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

std::string Plain(double v) {
  std::string t = platform::FormatFixed(v, 6);
  while (t.back() == '0') t.pop_back();
  if (t.back() == '.') t.pop_back();
  return t;
}

}  // namespace

bool ParseAlarmLimits(std::string_view text, AlarmLimits& limits, std::string& error) {
  AlarmLimits read;
  std::vector<Scope> scopes;
  std::map<std::string, int> seen;  // key -> line
  int lineNumber = 0;
  for (const std::string& rawLine : platform::Split(text, "\n")) {
    ++lineNumber;
    std::string_view line = Trim(rawLine);
    if (line.empty() || line.front() == '#') continue;
    const std::string where = "line " + std::to_string(lineNumber);
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      error = where + ": expected key = value";
      return false;
    }
    const std::string key(Trim(line.substr(0, eq)));
    const std::string_view value = Trim(line.substr(eq + 1));
    if (auto [it, fresh] = seen.emplace(key, lineNumber); !fresh) {
      error = where + ": " + key + " is already given on line " + std::to_string(it->second);
      return false;
    }
    if (key == "station.no_cycle_hours") {
      if (!ReadNumber(value, 0.0, 8760.0, read.noCycleHours)) {
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
        const std::string_view n = Trim(entry);
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
      if (!ReadNumber(value, 0.0, percent ? 99.0 : 1.0e6, v)) {
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
      if (!ReadNumber(value, 0.0, 1.0e6, v) || v <= 0.0) {
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
                  LevelName(static_cast<AlarmLevel>(at.first)) + " limit " + Plain(limit) +
                  " lies below the " + LevelName(static_cast<AlarmLevel>(lower)) + " limit " + Plain(*under);
          return false;
        }
      }
      if (s.rules.hysteresisMm && *s.rules.hysteresisMm >= limit) {
        error = "line " + std::to_string(s.hysteresisLine) + ": " + kind + " \"" + s.name +
                "\": hysteresis_mm must be smaller than every limit (" + Plain(limit) + ")";
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
  const std::filesystem::path path = programFolder / kAlarmsFileName;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return true;
  const auto bytes = platform::ReadFileBytes(path);
  if (!bytes) {
    error = "cannot read " + platform::PathText(path);
    return false;
  }
  if (!ParseAlarmLimits(*bytes, limits, error)) {
    error = platform::PathText(path) + ": " + error;
    return false;
  }
  return true;
}

}  // namespace vigil::alarms
