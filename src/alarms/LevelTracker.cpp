#include "alarms/LevelTracker.h"

namespace vigil::alarms {

const char* EventKindName(EventKind kind) {
  switch (kind) {
    case EventKind::kRaised:
      return "raised";
    case EventKind::kConfirmed:
      return "confirmed";
    case EventKind::kCleared:
      return "cleared";
  }
  return "";
}

namespace {

struct Judgement {
  bool beyond = false;    ///< significant and a value beyond its limit
  bool clearable = true;  ///< every value below its limit by the hysteresis
  Quantity quantity = Quantity::kSpace3d;
  double value = 0.0;
  double limit = 0.0;
};

Judgement Judge(const PointSample& s, const LimitRules& rules, int level) {
  Judgement j;
  double worstRatio = -1.0;
  for (int q = 0; q < kQuantityCount; ++q) {
    const std::optional<double>& limit = rules.limits[level][q];
    if (!limit) continue;
    const std::optional<double> value = ValueOf(s, static_cast<Quantity>(q));
    if (!value) continue;
    if (*value >= rules.ClearBelow(*limit)) j.clearable = false;
    if (s.significant && *value > *limit) j.beyond = true;
    if (*value / *limit > worstRatio) {
      worstRatio = *value / *limit;
      j.quantity = static_cast<Quantity>(q);
      j.value = *value;
      j.limit = *limit;
    }
  }
  return j;
}

}  // namespace

std::vector<AlarmEvent> LevelTracker::Update(std::int64_t timeMs, const std::vector<PointSample>& samples) {
  std::vector<AlarmEvent> events;
  for (const PointSample& s : samples) {
    if (!s.measured) continue;
    const LimitRules* rules = limits_.RulesFor(s.point);
    if (rules == nullptr) continue;
    auto& states = states_[s.point];
    for (int level = 0; level < kLevelCount; ++level) {
      if (!rules->HasLimits(static_cast<AlarmLevel>(level))) continue;
      LevelState& state = states[level];
      const Judgement j = Judge(s, *rules, level);
      const auto emit = [&](EventKind kind) {
        events.push_back(
            {kind, s.point, static_cast<AlarmLevel>(level), j.quantity, j.value, j.limit, timeMs});
      };
      if (j.beyond) {
        if (!state.open) {
          state.open = true;
          state.beyondCycles = 0;
          emit(EventKind::kRaised);
        }
        ++state.beyondCycles;
        if (!state.confirmed && state.beyondCycles >= rules->confirmCycles) {
          state.confirmed = true;
          emit(EventKind::kConfirmed);
        }
      } else if (state.open && j.clearable) {
        state = LevelState{};
        emit(EventKind::kCleared);
      } else {
        state.beyondCycles = 0;
      }
    }
  }
  return events;
}

std::optional<AlarmLevel> LevelTracker::HighestOpen(const std::string& point) const {
  const auto it = states_.find(point);
  if (it == states_.end()) return std::nullopt;
  for (int level = kLevelCount - 1; level >= 0; --level) {
    if (it->second[level].open) return static_cast<AlarmLevel>(level);
  }
  return std::nullopt;
}

LevelState LevelTracker::StateOf(const std::string& point, AlarmLevel level) const {
  const auto it = states_.find(point);
  return it == states_.end() ? LevelState{} : it->second[static_cast<int>(level)];
}

}  // namespace vigil::alarms
