#include "alarms/AlarmLimits.h"

namespace vigil::alarms {

const char* LevelName(AlarmLevel level) {
  switch (level) {
    case AlarmLevel::kAlert:
      return "alert";
    case AlarmLevel::kAlarm:
      return "alarm";
    case AlarmLevel::kAction:
      return "action";
  }
  return "";
}

const char* QuantityKey(Quantity quantity) {
  switch (quantity) {
    case Quantity::kEast:
      return "de_mm";
    case Quantity::kNorth:
      return "dn_mm";
    case Quantity::kLevel:
      return "dh_mm";
    case Quantity::kPlan2d:
      return "2d_mm";
    case Quantity::kSpace3d:
      return "3d_mm";
    case Quantity::kVelocity:
      return "velocity_mm_per_day";
  }
  return "";
}

double LimitRules::ClearBelow(double limit) const {
  const double below = limit - (hysteresisMm ? *hysteresisMm : hysteresisFraction * limit);
  return below > 0.0 ? below : 0.0;
}

bool LimitRules::HasLimits(AlarmLevel level) const {
  for (const auto& limit : limits[static_cast<int>(level)]) {
    if (limit) return true;
  }
  return false;
}

const LimitRules* AlarmLimits::RulesFor(std::string_view point) const {
  if (auto own = points.find(std::string(point)); own != points.end()) return &own->second;
  for (const PointGroup& g : groups) {
    for (const std::string& n : g.names) {
      if (n == point) return &g.rules;
    }
  }
  const LimitRules* best = nullptr;
  std::size_t bestLength = 0;
  for (const PointGroup& g : groups) {
    for (const std::string& p : g.prefixes) {
      if (point.substr(0, p.size()) == p && (best == nullptr || p.size() > bestLength)) {
        best = &g.rules;
        bestLength = p.size();
      }
    }
  }
  return best;
}

}  // namespace vigil::alarms
