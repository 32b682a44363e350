// What the dashboard reads from a station's results database, opened read-only: the stations,
// their last cycle and status, each point's latest result and open alarm level, a point's
// series and the alarm events. Tables a database does not have yet (alarms before version 2,
// the station status before version 3) read as empty, never as an error.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
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

class DashboardData {
 public:
  /// Nothing with `error` when the file is missing or no results database.
  static std::unique_ptr<DashboardData> Open(const std::filesystem::path& path, std::string& error);

  std::vector<StationKey> Stations();
  bool HasStation(const StationKey& key);
  StationState State(const StationKey& key);
  /// Every point of the station by name; only the point `only` when it is not empty.
  std::vector<PointRow> Points(const StationKey& key, const std::string& only = "");
  bool HasPoint(const StationKey& key, const std::string& point);
  /// The point's results in time order.
  std::vector<results::StoredPoint> Series(const StationKey& key, const std::string& point);
  /// Every result of the station in time order, for the downloads.
  std::vector<results::StoredPoint> AllResults(const StationKey& key);
  /// The newest `limit` events, newest first.
  std::vector<EventRow> Events(const StationKey& key, int limit);

 private:
  explicit DashboardData(std::unique_ptr<results::ResultsDatabase> db) : db_(std::move(db)) {}
  bool HasTable(const char* name);
  std::map<std::string, OpenLevel> OpenLevels(const StationKey& key);
  std::unique_ptr<results::ResultsDatabase> db_;
  std::mutex mutex_;  // one connection serves every request thread
};

}  // namespace vigil::web
