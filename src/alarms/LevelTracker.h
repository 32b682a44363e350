// The level of every watched point over the cycles. A level is raised in the first cycle whose
// displacement is significant and beyond one of its limits, confirmed when that holds in the
// chosen number of consecutive cycles, and cleared only when every value has fallen below its
// limit by the hysteresis: a noisy point near its limit stays raised instead of flapping. A
// point not measured in a cycle (a hidden prism) keeps its state and its count.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "alarms/AlarmLimits.h"
#include "alarms/PointQuantities.h"

namespace vigil::alarms {

enum class EventKind { kRaised = 0, kConfirmed = 1, kCleared = 2 };

/// "raised", "confirmed", "cleared".
const char* EventKindName(EventKind kind);

struct AlarmEvent {
  EventKind kind = EventKind::kRaised;
  std::string point;
  AlarmLevel level = AlarmLevel::kAlert;
  Quantity quantity = Quantity::kSpace3d;  ///< the one nearest to or furthest beyond its limit
  double value = 0.0;                      ///< mm, or mm/day for the velocity
  double limit = 0.0;
  std::int64_t timeMs = 0;  ///< the cycle's local time (ms since 1970)
};

struct LevelState {
  bool open = false;  ///< raised and not cleared
  bool confirmed = false;
  int beyondCycles = 0;  ///< consecutive cycles significant and beyond a limit
};

class LevelTracker {
 public:
  explicit LevelTracker(AlarmLimits limits) : limits_(std::move(limits)) {}

  /// One cycle's points, in the order given; events in the order of the points, then levels.
  std::vector<AlarmEvent> Update(std::int64_t timeMs, const std::vector<PointSample>& samples);

  /// The highest level open for the point (raised or confirmed); none when all are clear.
  std::optional<AlarmLevel> HighestOpen(const std::string& point) const;
  LevelState StateOf(const std::string& point, AlarmLevel level) const;

  /// The states carried from cycle to cycle (e.g. in the results database).
  void Restore(const std::string& point, AlarmLevel level, const LevelState& state) {
    states_[point][static_cast<int>(level)] = state;
  }
  const std::map<std::string, std::array<LevelState, kLevelCount>>& States() const { return states_; }

 private:
  AlarmLimits limits_;
  std::map<std::string, std::array<LevelState, kLevelCount>> states_;
};

}  // namespace vigil::alarms
