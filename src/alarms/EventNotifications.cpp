#include "alarms/EventNotifications.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "platform/Clock.h"
#include "platform/Format.h"

namespace vigil::alarms {

namespace {

using nlohmann::json;

// Three decimals of a mm are below any instrument's noise; more only makes the text longer.
double Rounded(double value) {
  return std::round(value * 1000.0) / 1000.0;
}

std::string LocalTimeText(std::int64_t ms) {
  const platform::LocalDateTime t = platform::CivilFromMilliseconds(ms);
  return platform::Format("%04d-%02d-%02dT%02d:%02d:%02d",
                          {t.year, t.month, t.day, t.hour, t.minute, t.second});
}

json Common(std::int64_t eventId, const EventOrigin& origin, std::int64_t timeMs) {
  return json{{"event_id", eventId}, {"project", origin.project}, {"station", origin.station},
              {"file", origin.file}, {"time_ms", timeMs},         {"time", LocalTimeText(timeMs)}};
}

// Invalid UTF-8 in a point name (a hand-edited training file) must not stop the event.
std::string Dump(const json& j) {
  return j.dump(-1, ' ', false, json::error_handler_t::replace);
}

bool Run(results::Statement& s) {
  s.Step();
  const bool ok = s.Done();
  s.Reset();
  return ok;
}

}  // namespace

std::string EventJson(std::int64_t eventId, const EventOrigin& origin, const AlarmEvent& event) {
  json j = Common(eventId, origin, event.timeMs);
  j["kind"] = EventKindName(event.kind);
  j["point"] = event.point;
  j["level"] = LevelName(event.level);
  j["quantity"] = QuantityKey(event.quantity);
  j["value"] = Rounded(event.value);
  j["limit"] = Rounded(event.limit);
  j["unit"] = event.quantity == Quantity::kVelocity ? "mm/day" : "mm";
  j["why"] = "";
  return Dump(j);
}

std::string EventJson(std::int64_t eventId, const EventOrigin& origin, const StationEvent& event) {
  json j = Common(eventId, origin, event.timeMs);
  j["kind"] = StationEventName(event.kind);
  j["point"] = event.point;
  j["level"] = "";
  j["quantity"] = "";
  j["value"] = nullptr;
  j["limit"] = nullptr;
  j["unit"] = "";
  j["why"] = event.why;
  return Dump(j);
}

std::string PointStateJson(const EventOrigin& origin, const std::string& point, const LevelTracker& tracker,
                           std::int64_t timeMs) {
  const std::optional<AlarmLevel> level = tracker.HighestOpen(point);
  json j{{"project", origin.project},
         {"station", origin.station},
         {"point", point},
         {"level", level ? LevelName(*level) : "none"},
         {"confirmed", level ? tracker.StateOf(point, *level).confirmed : false},
         {"time_ms", timeMs},
         {"time", LocalTimeText(timeMs)}};
  return Dump(j);
}

bool QueueNotifications(results::Database& db, std::int64_t eventId, const EventOrigin& origin,
                        const std::string& point, const std::string& payload, const std::string& pointState,
                        std::int64_t createdMs, const std::vector<std::string>& transports) {
  if (transports.empty()) return true;
  results::Statement s = db.Prepare(
      "INSERT INTO notifications (event_id, transport, project, station, point, payload, point_state, "
      "created_ms) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
  if (!s.Valid()) return false;
  for (const std::string& transport : transports) {
    s.Bind(1, eventId).Bind(2, transport).Bind(3, origin.project).Bind(4, origin.station).Bind(5, point);
    s.Bind(6, payload).Bind(7, pointState).Bind(8, createdMs);
    if (!Run(s)) return false;
  }
  return true;
}

bool RecordStationEvent(results::ResultsDatabase& rdb, const EventOrigin& origin, const StationEvent& event,
                        const std::vector<std::string>& transports, std::string& error) {
  results::Database& db = rdb.Raw();
  results::Transaction t(db);
  results::Statement s = db.Prepare(
      "INSERT INTO alarm_events (project, station, file, time_ms, kind, point, level, quantity, value, "
      "limit_value, why) VALUES (?1, ?2, ?3, ?4, ?5, ?6, '', '', NULL, NULL, ?7)");
  bool ok = t.Began() && s.Valid();
  if (ok) {
    s.Bind(1, origin.project).Bind(2, origin.station).Bind(3, origin.file).Bind(4, event.timeMs);
    s.Bind(5, std::string_view(StationEventName(event.kind))).Bind(6, event.point).Bind(7, event.why);
    ok = Run(s);
  }
  const std::int64_t id = ok ? db.LastInsertId() : 0;
  ok = ok && QueueNotifications(db, id, origin, event.point, EventJson(id, origin, event), "", event.timeMs,
                                transports);
  if (!ok || !t.Commit()) {
    error = std::string("cannot write the station event \"") + StationEventName(event.kind) +
            "\": " + db.LastError();
    return false;
  }
  return true;
}

}  // namespace vigil::alarms
