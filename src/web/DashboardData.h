// What the dashboard reads, from a station's results database or from a server holding many
// stations: the stations, their last cycle and status, each point's latest result and open alarm
// level, a point's series and the alarm events.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "results/ResultsDatabase.h"

namespace vigil::web {

struct StationKey {
  std::string project;
  std::string station;
  bool operator<(const StationKey& o) const {
    return project != o.project ? project < o.project : station < o.station;
  }
  bool operator==(const StationKey& o) const { return project == o.project && station == o.station; }
};

/// As the station last wrote it; absent from older databases.
struct StationStatus {
  std::int64_t updatedMs = 0;
  std::int64_t lastCycleMs = 0;
  std::int64_t nextCycleMs = 0;
  std::string link;
};

struct StationState {
  StationKey key;
  int cycleCount = 0;
  std::optional<results::StoredCycle> lastCycle;  ///< with its references used and excluded
  std::optional<StationStatus> status;
  int highestLevel = -1;  ///< the highest open alarm level of its points, as OpenLevel
};

/// -1: no open level; else 0 alert, 1 alarm, 2 action (as alarms::AlarmLevel).
using OpenLevel = int;

struct PointRow {
  results::StoredPoint latest;  ///< its latest positioned result, else its latest result
  OpenLevel level = -1;
  int results = 0;
};

struct EventRow {
  std::int64_t timeMs = 0;
  std::string file, kind, point, level, quantity, why;
  std::optional<double> value, limit;
};

/// Every call answers from the backend's current rows; implementations serialise their own
/// connection, so one object serves every request thread.
class DashboardData {
 public:
  virtual ~DashboardData() = default;
  /// A station's results database (SQLite); nothing with `error` when the file is missing or no
  /// results database.
  static std::unique_ptr<DashboardData> Open(const std::filesystem::path& path, std::string& error);

  virtual std::vector<StationKey> Stations() = 0;
  virtual bool HasStation(const StationKey& key) = 0;
  virtual StationState State(const StationKey& key) = 0;
  /// Every point of the station by name; only the point `only` when it is not empty.
  virtual std::vector<PointRow> Points(const StationKey& key, const std::string& only = "") = 0;
  virtual bool HasPoint(const StationKey& key, const std::string& point) = 0;
  /// The point's results in time order.
  virtual std::vector<results::StoredPoint> Series(const StationKey& key, const std::string& point) = 0;
  /// Every result of the station in time order, for the downloads.
  virtual std::vector<results::StoredPoint> AllResults(const StationKey& key) = 0;
  /// The newest `limit` events, newest first.
  virtual std::vector<EventRow> Events(const StationKey& key, int limit) = 0;
};

/// The open level of an alarm state's level name (-1 for a name not known).
OpenLevel LevelIndex(const std::string& name);

}  // namespace vigil::web
