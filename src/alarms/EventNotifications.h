// The notifications of an event: one outbox row per transport, written inside the event's own
// transaction, so an event is never stored without them nor they without it. Each row carries
// the event as JSON and, for a point's event, the point's state after it (what a retained
// per-point message shows).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "alarms/LevelTracker.h"
#include "alarms/StationEvents.h"
#include "results/ResultsDatabase.h"

namespace vigil::alarms {

/// Where an event belongs: its project-station and the cycle file that gave it (empty for an
/// event of the station between cycles).
struct EventOrigin {
  std::string project;
  std::string station;
  std::string file;
};

/// The event as sent: {"event_id", "project", "station", "file", "kind", "point", "level",
/// "quantity", "value", "limit", "unit", "why", "time_ms", "time"}; docs/ALARMS.md shows it.
std::string EventJson(std::int64_t eventId, const EventOrigin& origin, const AlarmEvent& event);
std::string EventJson(std::int64_t eventId, const EventOrigin& origin, const StationEvent& event);

/// A point's state after a cycle: its highest open level ("none" when clear) and whether that
/// level is confirmed.
std::string PointStateJson(const EventOrigin& origin, const std::string& point, const LevelTracker& tracker,
                           std::int64_t timeMs);

/// Inserts the event's rows (one per transport); call inside the event's transaction. True with
/// no transports.
bool QueueNotifications(results::Database& db, std::int64_t eventId, const EventOrigin& origin,
                        const std::string& point, const std::string& payload, const std::string& pointState,
                        std::int64_t createdMs, const std::vector<std::string>& transports);

/// Writes a station event that no cycle gave (no cycle, link lost, a failed write) to
/// alarm_events with its notifications, in one transaction. False with `error` when the
/// database cannot be written: nothing of it is then stored.
bool RecordStationEvent(results::ResultsDatabase& db, const EventOrigin& origin, const StationEvent& event,
                        const std::vector<std::string>& transports, std::string& error);

}  // namespace vigil::alarms
