// The dashboard's data from a station's results database, opened read-only. Tables a database
// does not have yet (alarms before version 2, the station status before version 3) read as
// empty, never as an error.
#pragma once

#include <map>
#include <memory>
#include <mutex>

#include "web/DashboardData.h"

namespace vigil::web {

class SqliteDashboardData final : public DashboardData {
 public:
  explicit SqliteDashboardData(std::unique_ptr<results::ResultsDatabase> db) : db_(std::move(db)) {}

  std::vector<StationKey> Stations() override;
  bool HasStation(const StationKey& key) override;
  StationState State(const StationKey& key) override;
  std::vector<PointRow> Points(const StationKey& key, const std::string& only = "") override;
  bool HasPoint(const StationKey& key, const std::string& point) override;
  std::vector<results::StoredPoint> Series(const StationKey& key, const std::string& point) override;
  std::vector<results::StoredPoint> AllResults(const StationKey& key) override;
  std::vector<EventRow> Events(const StationKey& key, int limit) override;

 private:
  bool HasTable(const char* name);
  std::map<std::string, OpenLevel> OpenLevels(const StationKey& key);
  std::unique_ptr<results::ResultsDatabase> db_;
  std::mutex mutex_;  // one connection serves every request thread
};

}  // namespace vigil::web
