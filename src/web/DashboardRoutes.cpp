#include "web/DashboardRoutes.h"

#include <algorithm>

#include "results/Export.h"
#include "web/Assets.h"
#include "web/DashboardJson.h"
#include "web/DashboardPages.h"

namespace vigil::web {

namespace {

constexpr int kEventsShown = 200;
constexpr const char* kHtml = "text/html; charset=utf-8";
constexpr const char* kJson = "application/json";

Reply NotFound(const std::string& what) {
  return {404, "text/plain; charset=utf-8", "404 Not Found: " + what + "\n", {}};
}

Reply Ok(const char* type, std::string body) {
  return {200, type, std::move(body), {}};
}

std::vector<StationState> States(DashboardData& data) {
  std::vector<StationState> out;
  for (const StationKey& key : data.Stations()) out.push_back(data.State(key));
  return out;
}

// A file name made of the names, with only characters every system takes.
std::string FileName(const StationKey& key, const char* ending) {
  std::string name = key.project + "_" + key.station;
  std::replace_if(
      name.begin(), name.end(),
      [](char c) {
        return !((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                 c == '_');
      },
      '_');
  return name + ending;
}

// "/s/P/S/..." and "/api/s/P/S/..." below the station: `rest` is what follows its two names.
Reply StationRoute(DashboardData& data, const alarms::AlarmLimits* limits, const StationKey& key,
                   const std::vector<std::string>& rest, bool api) {
  if (!data.HasStation(key)) return NotFound("no station " + key.project + " " + key.station);
  if (api) {
    if (rest.size() == 1 && rest[0] == "points") return Ok(kJson, PointsJson(data.Points(key)));
    if (rest.size() == 1 && rest[0] == "events") return Ok(kJson, EventsJson(data.Events(key, 100000)));
    if (rest.size() == 3 && rest[0] == "points" && rest[2] == "series") {
      if (!data.HasPoint(key, rest[1])) return NotFound("no point " + rest[1]);
      return Ok(kJson, SeriesJson(rest[1], data.Series(key, rest[1]), limits));
    }
    return NotFound("no such API");
  }
  if (rest.empty())
    return Ok(kHtml, StationPage(data.State(key), data.Points(key), data.Events(key, kEventsShown)));
  if (rest.size() == 2 && rest[0] == "point") {
    const std::vector<PointRow> rows = data.Points(key, rest[1]);
    return rows.empty() ? NotFound("no point " + rest[1]) : Ok(kHtml, PointPage(key, rows.front()));
  }
  if (rest.size() == 1 && rest[0] == "results.csv") {
    return {200, "text/csv; charset=utf-8", results::ExportCsv(data.AllResults(key)), FileName(key, ".csv")};
  }
  if (rest.size() == 1 && rest[0] == "results.geojson") {
    // Each point's latest positioned result is all the export takes from the results.
    std::vector<results::StoredPoint> latest;
    for (PointRow& row : data.Points(key)) latest.push_back(std::move(row.latest));
    return {200, "application/geo+json", results::ExportGeoJson(latest, key.project, key.station),
            FileName(key, ".geojson")};
  }
  return NotFound("no such page");
}

}  // namespace

Reply Route(DashboardData& data, const alarms::AlarmLimits* limits, const RequestTarget& target) {
  const std::vector<std::string>& s = target.segments;
  if (s.empty()) {
    std::vector<StationState> states = States(data);
    if (states.size() == 1) {
      const StationKey key = states.front().key;
      return Ok(kHtml, StationPage(states.front(), data.Points(key), data.Events(key, kEventsShown)));
    }
    return Ok(kHtml, IndexPage(states));
  }
  if (s[0] == "assets" && s.size() == 2) {
    for (const Asset& a : Assets()) {
      if (a.name == s[1]) return Ok(std::string(AssetType(a.name)).c_str(), std::string(a.bytes));
    }
    return NotFound("no asset " + s[1]);
  }
  const bool api = s[0] == "api";
  const std::size_t at = api ? 1 : 0;
  if (api && s.size() == 2 && s[1] == "stations") return Ok(kJson, StationsJson(States(data)));
  if (s.size() >= at + 3 && s[at] == "s") {
    return StationRoute(data, limits, {s[at + 1], s[at + 2]},
                        std::vector<std::string>(s.begin() + static_cast<long>(at) + 3, s.end()), api);
  }
  return NotFound("no such page");
}

}  // namespace vigil::web
