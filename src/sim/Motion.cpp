#include "sim/Motion.h"

#include <cmath>
#include <numbers>

#include "platform/Clock.h"

namespace vigil::sim {

namespace {

constexpr double kMsPerDay = 86'400'000.0;

AxisValues OffsetMm(const Movement& m, std::int64_t epochMs, std::int64_t nowMs) {
  const double days = static_cast<double>(nowMs - epochMs) / kMsPerDay;
  AxisValues mm{};
  for (std::size_t axis = 0; axis < 3; ++axis) {
    switch (m.kind) {
      case Movement::Kind::kDrift:
        mm[axis] = m.mmPerDay[axis] * days;
        break;
      case Movement::Kind::kStep:
        mm[axis] = nowMs >= m.stepAtMs ? m.stepMm[axis] : 0.0;
        break;
      case Movement::Kind::kSeasonal:
        mm[axis] = m.periodDays > 0.0
                       ? m.amplitudeMm[axis] * std::sin(2.0 * std::numbers::pi * days / m.periodDays)
                       : 0.0;
        break;
    }
  }
  return mm;
}

bool InDaily(const HiddenInterval& h, int minuteOfDay) {
  if (h.fromMinuteOfDay <= h.toMinuteOfDay)
    return minuteOfDay >= h.fromMinuteOfDay && minuteOfDay < h.toMinuteOfDay;
  return minuteOfDay >= h.fromMinuteOfDay || minuteOfDay < h.toMinuteOfDay;  // past midnight
}

GridPoint Moved(GridPoint p, const std::vector<Movement>& movements, std::int64_t epochMs,
                std::int64_t nowMs) {
  for (const Movement& m : movements) {
    const AxisValues mm = OffsetMm(m, epochMs, nowMs);
    p.eastingMetres += mm[0] * 0.001;
    p.northingMetres += mm[1] * 0.001;
    p.levelMetres += mm[2] * 0.001;
  }
  return p;
}

double TwistMgon(const Twist& t, std::int64_t epochMs, std::int64_t nowMs) {
  constexpr double kTwoPi = 2.0 * std::numbers::pi;
  const double days = static_cast<double>(nowMs - epochMs) / kMsPerDay;
  switch (t.kind) {
    case Twist::Kind::kDrift:
      return t.mgonPerDay * days;
    case Twist::Kind::kStep:
      return nowMs >= t.stepAtMs ? t.stepMgon : 0.0;
    case Twist::Kind::kSeasonal:
      return t.periodDays > 0.0 ? t.amplitudeMgon * std::sin(kTwoPi * days / t.periodDays) : 0.0;
    case Twist::Kind::kDaily: {
      const auto day = static_cast<std::int64_t>(kMsPerDay);
      const double msOfDay = static_cast<double>(((nowMs % day) + day) % day);
      const double fromMaximum = msOfDay / 60'000.0 - t.maximumMinuteOfDay;
      return t.amplitudeMgon * std::cos(kTwoPi * fromMaximum / 1440.0);
    }
  }
  return 0.0;
}

}  // namespace

GridPoint PositionAt(const Prism& prism, std::int64_t epochMs, std::int64_t nowMs) {
  return Moved(prism.truth, prism.movements, epochMs, nowMs);
}

GridPoint StationAt(const Scenario& scenario, std::int64_t nowMs) {
  return Moved(scenario.station, scenario.stationMovements, scenario.epochMs, nowMs);
}

double TwistGonAt(const Scenario& scenario, std::int64_t nowMs) {
  double mgon = 0.0;
  for (const Twist& t : scenario.twists) mgon += TwistMgon(t, scenario.epochMs, nowMs);
  return mgon * 0.001;
}

bool HiddenAt(const Prism& prism, std::int64_t nowMs) {
  // Most prisms are never hidden: no date to work out for them.
  if (prism.hidden.empty()) return false;
  const platform::LocalDateTime t = platform::CivilFromMilliseconds(nowMs);
  const int minuteOfDay = t.hour * 60 + t.minute;
  for (const HiddenInterval& h : prism.hidden) {
    if (h.daily ? InDaily(h, minuteOfDay) : (nowMs >= h.fromMs && nowMs < h.toMs)) return true;
  }
  return false;
}

}  // namespace vigil::sim
