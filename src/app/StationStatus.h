// What a reader outside the station (the dashboard) sees of it between cycles: one row per
// project-station in station_status with its link, its last cycle and when the next is due.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "results/Sqlite.h"

namespace vigil::app {

struct StationStatus {
  std::string project;
  std::string station;
  std::int64_t updatedMs = 0;               ///< local ms since 1970
  std::optional<std::int64_t> lastCycleMs;  ///< the last stored cycle's last reading
  std::optional<std::int64_t> nextCycleMs;  ///< none while monitoring is off
  bool linkConnected = true;
};

/// Local ms since 1970 of the next listed cycle after `now` ("n,hh:00 AM|..."); tomorrow's
/// first when none is left today; none when the list names no cycle.
std::optional<std::int64_t> NextCycleMs(std::string_view cycles, const platform::LocalDateTime& now);

/// The end of the project-station's last stored cycle, if any.
std::optional<std::int64_t> LastCycleMs(results::Database& db, const std::string& project,
                                        const std::string& station);

/// Writes (or replaces) the project-station's row.
bool WriteStationStatus(results::Database& db, const StationStatus& status);

}  // namespace vigil::app
