// The limits a point is judged against: three levels, each with limits on any of the
// displacement's components, its 2D and 3D length and its velocity, and how a level is
// confirmed and cleared. Points take their limits from their own entry or from a group.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vigil::alarms {

enum class AlarmLevel { kAlert = 0, kAlarm = 1, kAction = 2 };
inline constexpr int kLevelCount = 3;

/// Each in mm as an absolute value, velocity in mm/day (3D).
enum class Quantity { kEast = 0, kNorth = 1, kLevel = 2, kPlan2d = 3, kSpace3d = 4, kVelocity = 5 };
inline constexpr int kQuantityCount = 6;

/// "alert", "alarm", "action": the words of the limits file and of the events.
const char* LevelName(AlarmLevel level);
/// "de_mm", "dn_mm", "dh_mm", "2d_mm", "3d_mm", "velocity_mm_per_day".
const char* QuantityKey(Quantity quantity);

struct LimitRules {
  /// [level][quantity]: the limit (mm or mm/day), none when not set.
  std::array<std::array<std::optional<double>, kQuantityCount>, kLevelCount> limits{};
  int confirmCycles = 2;               ///< consecutive cycles beyond a limit that confirm its level
  double hysteresisFraction = 0.2;     ///< of the limit, when hysteresisMm is not set
  std::optional<double> hysteresisMm;  ///< mm (mm/day for velocity) below the limit to clear

  /// A level is cleared only once every value is below this.
  double ClearBelow(double limit) const;
  bool HasLimits(AlarmLevel level) const;
};

struct PointGroup {
  std::string name;
  std::vector<std::string> names;     ///< exact point names
  std::vector<std::string> prefixes;  ///< from entries ending in '*'
  LimitRules rules;
};

struct AlarmLimits {
  std::vector<PointGroup> groups;  ///< in the order of the file
  std::map<std::string, LimitRules> points;
  double noCycleHours = 24.0;  ///< without a cycle this long the station raises "no cycle"; 0: never

  /// The point's own entry; else the group naming it exactly; else the group of the longest
  /// matching prefix (the first such group of the file). Null: the point is not watched.
  const LimitRules* RulesFor(std::string_view point) const;
};

}  // namespace vigil::alarms
