#include "app/StationStatus.h"

#include "monitoring/Schedule.h"
#include "platform/Format.h"

namespace vigil::app {

std::optional<std::int64_t> NextCycleMs(std::string_view cycles, const platform::LocalDateTime& now) {
  const std::optional<std::string> text = monitoring::NextCycleTime(cycles, now.hour);
  int hour = 0;
  if (!text || text->size() < 8 || !platform::ScanInt(text->substr(0, 2), hour) || hour < 1 || hour > 12)
    return std::nullopt;
  const bool pm = text->substr(6, 2) == "PM";
  hour = hour % 12 + (pm ? 12 : 0);
  platform::LocalDateTime at = now;
  at.hour = hour;
  at.minute = 0;
  at.second = 0;
  at.millisecond = 0;
  std::int64_t ms = platform::MillisecondsFromCivil(at);
  if (hour <= now.hour) ms += 86'400'000;
  return ms;
}

std::optional<std::int64_t> LastCycleMs(results::Database& db, const std::string& project,
                                        const std::string& station) {
  results::Statement s = db.Prepare("SELECT max(last_ms) FROM cycles WHERE project = ?1 AND station = ?2");
  s.Bind(1, project).Bind(2, station);
  if (!s.Step() || s.IsNull(0)) return std::nullopt;
  return s.Int(0);
}

bool WriteStationStatus(results::Database& db, const StationStatus& status) {
  results::Statement s = db.Prepare(
      "INSERT OR REPLACE INTO station_status (project, station, updated_ms, last_cycle_ms, next_cycle_ms, "
      "link) VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
  s.Bind(1, status.project).Bind(2, status.station).Bind(3, status.updatedMs);
  if (status.lastCycleMs) {
    s.Bind(4, *status.lastCycleMs);
  } else {
    s.BindNull(4);
  }
  if (status.nextCycleMs) {
    s.Bind(5, *status.nextCycleMs);
  } else {
    s.BindNull(5);
  }
  s.Bind(6, std::string_view(status.linkConnected ? "connected" : "lost"));
  s.Step();
  return s.Done();
}

}  // namespace vigil::app
