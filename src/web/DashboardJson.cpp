#include "web/DashboardJson.h"

#include <nlohmann/json.hpp>

#include <cmath>

#include "results/Export.h"

namespace vigil::web {

namespace {

using nlohmann::json;

// Rounded to what it means; JSON has no NaN.
json Number(double v, int decimals) {
  if (!std::isfinite(v)) return nullptr;
  const double scale = std::pow(10.0, decimals);
  return std::round(v * scale) / scale;
}

std::string Dump(const json& j) {
  // Names are the operator's: replace what is not UTF-8 rather than fail the answer.
  return j.dump(-1, ' ', false, json::error_handler_t::replace);
}

json When(std::int64_t ms) {
  return ms > 0 ? json(results::LocalTimeText(ms)) : json(nullptr);
}

}  // namespace

const char* OpenLevelName(OpenLevel level) {
  switch (level) {
    case 0:
      return "alert";
    case 1:
      return "alarm";
    case 2:
      return "action";
    default:
      return "";
  }
}

std::string StationsJson(const std::vector<StationState>& stations) {
  json out = json::array();
  for (const StationState& s : stations) {
    json j = {{"project", s.key.project}, {"station", s.key.station}, {"cycles", s.cycleCount}};
    if (s.lastCycle) {
      const results::StoredCycle& c = *s.lastCycle;
      j["last_cycle"] = {{"file", c.key.file},
                         {"first", When(c.firstMs)},
                         {"last", When(c.lastMs)},
                         {"corrected", c.corrected},
                         {"uncorrected_why", c.uncorrectedWhy},
                         {"references_used", c.referencesUsed},
                         {"references_excluded", c.referencesExcluded}};
    }
    if (s.status) {
      j["status"] = {{"updated", When(s.status->updatedMs)},
                     {"last_cycle", When(s.status->lastCycleMs)},
                     {"next_cycle", When(s.status->nextCycleMs)},
                     {"link", s.status->link}};
    } else {
      j["status"] = nullptr;
    }
    out.push_back(std::move(j));
  }
  return Dump(out);
}

std::string PointsJson(const std::vector<PointRow>& points) {
  json out = json::array();
  for (const PointRow& row : points) {
    const results::StoredPoint& p = row.latest;
    json j = {{"point", p.point},           {"reference", p.reference},
              {"results", row.results},     {"time", When(p.timeMs)},
              {"positioned", p.positioned}, {"open_level", OpenLevelName(row.level)}};
    if (p.positioned) {
      j["easting_m"] = Number(p.eastingMetres, 4);
      j["northing_m"] = Number(p.northingMetres, 4);
      j["level_m"] = Number(p.levelMetres, 4);
    }
    if (p.hasDisplacement) {
      j["dE_mm"] = Number(p.eastMm, 2);
      j["dN_mm"] = Number(p.northMm, 2);
      j["dH_mm"] = Number(p.levelMm, 2);
      j["significant"] = p.significant;
    }
    out.push_back(std::move(j));
  }
  return Dump(out);
}

std::string SeriesJson(const std::string& point, const std::vector<results::StoredPoint>& series,
                       const alarms::AlarmLimits* limits) {
  json times = json::array(), de = json::array(), dn = json::array(), dh = json::array();
  json se = json::array(), sn = json::array(), sh = json::array(), files = json::array();
  for (const results::StoredPoint& p : series) {
    times.push_back(p.timeMs);
    files.push_back(p.file);
    const bool has = p.hasDisplacement;
    de.push_back(has ? Number(p.eastMm, 2) : json(nullptr));
    dn.push_back(has ? Number(p.northMm, 2) : json(nullptr));
    dh.push_back(has ? Number(p.levelMm, 2) : json(nullptr));
    se.push_back(has ? Number(p.sigmaEastMm, 2) : json(nullptr));
    sn.push_back(has ? Number(p.sigmaNorthMm, 2) : json(nullptr));
    sh.push_back(has ? Number(p.sigmaLevelMm, 2) : json(nullptr));
  }
  json limitsJson = json::object();
  if (const alarms::LimitRules* rules = limits ? limits->RulesFor(point) : nullptr) {
    for (alarms::Quantity q :
         {alarms::Quantity::kEast, alarms::Quantity::kNorth, alarms::Quantity::kLevel,
          alarms::Quantity::kPlan2d, alarms::Quantity::kSpace3d, alarms::Quantity::kVelocity}) {
      json levels = json::object();
      for (int l = 0; l < alarms::kLevelCount; ++l) {
        const auto& v = rules->limits[l][static_cast<int>(q)];
        if (v) levels[alarms::LevelName(static_cast<alarms::AlarmLevel>(l))] = *v;
      }
      if (!levels.empty()) limitsJson[alarms::QuantityKey(q)] = levels;
    }
  }
  const json out = {{"point", point},       {"band_sigmas", kBandSigmas},
                    {"time_ms", times},     {"cycle_file", files},
                    {"dE_mm", de},          {"dN_mm", dn},
                    {"dH_mm", dh},          {"sigma_dE_mm", se},
                    {"sigma_dN_mm", sn},    {"sigma_dH_mm", sh},
                    {"limits", limitsJson}, {"watched", limits && limits->RulesFor(point)}};
  return Dump(out);
}

std::string EventsJson(const std::vector<EventRow>& events) {
  json out = json::array();
  for (const EventRow& e : events) {
    out.push_back({{"time", When(e.timeMs)},
                   {"time_ms", e.timeMs},
                   {"cycle_file", e.file},
                   {"kind", e.kind},
                   {"point", e.point},
                   {"level", e.level},
                   {"quantity", e.quantity},
                   {"value", e.value ? Number(*e.value, 2) : json(nullptr)},
                   {"limit", e.limit ? Number(*e.limit, 2) : json(nullptr)},
                   {"why", e.why}});
  }
  return Dump(out);
}

}  // namespace vigil::web
