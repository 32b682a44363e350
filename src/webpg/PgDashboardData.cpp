#include "webpg/PgDashboardData.h"

#include <pqxx/pqxx>

#include <algorithm>
#include <mutex>

#include "platform/Text.h"
#include "replication/MaskedText.h"
#include "replication/ServerSchema.h"

namespace vigil::webpg {

namespace {

using results::StoredPoint;
using web::EventRow;
using web::OpenLevel;
using web::PointRow;
using web::StationKey;
using web::StationState;

// As the station's database reads them: a NULL number is 0, a NULL text empty.
std::int64_t Int(const pqxx::field& f) {
  return f.is_null() ? 0 : f.as<std::int64_t>();
}
double Real(const pqxx::field& f) {
  return f.is_null() ? 0.0 : f.as<double>();
}
std::string Text(const pqxx::field& f) {
  return f.is_null() ? std::string() : f.as<std::string>();
}

constexpr const char* kPointColumns =
    "p.file, p.time_ms, p.point, p.prism_type, p.reference, p.positioned, c.corrected, p.easting_m, "
    "p.northing_m, p.level_m, p.has_displacement, p.d_east_mm, p.d_north_mm, p.d_level_mm, p.sigma_east_mm, "
    "p.sigma_north_mm, p.sigma_level_mm, p.significant, p.raw_east_mm, p.raw_north_mm, p.raw_level_mm, "
    "p.v_east_mm_per_day, p.v_north_mm_per_day, p.v_level_mm_per_day";
constexpr const char* kPointJoin =
    " FROM point_results p JOIN cycles c ON c.project = p.project AND c.station = p.station AND c.file = "
    "p.file WHERE p.project = $1 AND p.station = $2";

StoredPoint ReadPoint(const pqxx::row& r) {
  StoredPoint p;
  p.file = Text(r[0]);
  p.timeMs = Int(r[1]);
  p.point = Text(r[2]);
  p.prismType = static_cast<int>(Int(r[3]));
  p.reference = Int(r[4]) != 0;
  p.positioned = Int(r[5]) != 0;
  p.corrected = Int(r[6]) != 0;
  p.eastingMetres = Real(r[7]);
  p.northingMetres = Real(r[8]);
  p.levelMetres = Real(r[9]);
  p.hasDisplacement = Int(r[10]) != 0;
  p.eastMm = Real(r[11]);
  p.northMm = Real(r[12]);
  p.levelMm = Real(r[13]);
  p.sigmaEastMm = Real(r[14]);
  p.sigmaNorthMm = Real(r[15]);
  p.sigmaLevelMm = Real(r[16]);
  p.significant = Int(r[17]) != 0;
  p.rawEastMm = Real(r[18]);
  p.rawNorthMm = Real(r[19]);
  p.rawLevelMm = Real(r[20]);
  p.hasVelocity = !r[21].is_null() && !r[22].is_null() && !r[23].is_null();
  p.eastMmPerDay = Real(r[21]);
  p.northMmPerDay = Real(r[22]);
  p.levelMmPerDay = Real(r[23]);
  return p;
}

class PgDashboardData final : public web::DashboardData {
 public:
  PgDashboardData(std::string conninfo, std::unique_ptr<pqxx::connection> c)
      : conninfo_(std::move(conninfo)), connection_(std::move(c)) {}

  std::vector<StationKey> Stations() override {
    std::vector<StationKey> out;
    Read([&](pqxx::read_transaction& t) {
      for (const auto& r : t.exec("SELECT DISTINCT project, station FROM cycles"))
        out.push_back({Text(r[0]), Text(r[1])});
    });
    std::sort(out.begin(), out.end());  // byte order, as the station's own database sorts
    return out;
  }

  bool HasStation(const StationKey& key) override {
    bool found = false;
    Read([&](pqxx::read_transaction& t) {
      found = !t.exec_params("SELECT 1 FROM cycles WHERE project = $1 AND station = $2 LIMIT 1", key.project,
                             key.station)
                   .empty();
    });
    return found;
  }

  StationState State(const StationKey& key) override {
    StationState out;
    out.key = key;
    Read([&](pqxx::read_transaction& t) {
      out.cycleCount = static_cast<int>(
          Int(t.exec_params("SELECT count(*) FROM cycles WHERE project = $1 AND station = $2", key.project,
                            key.station)[0][0]));
      const pqxx::result last = t.exec_params(
          "SELECT file, cycle_number, first_ms, last_ms, measured_lines, failed_lines, corrected, "
          "uncorrected_why FROM cycles WHERE project = $1 AND station = $2 ORDER BY first_ms DESC, file "
          "COLLATE \"C\" DESC LIMIT 1",
          key.project, key.station);
      if (!last.empty()) {
        const pqxx::row r = last[0];
        results::StoredCycle c;
        c.key = {key.project, key.station, Text(r[0])};
        c.cycleNumber = static_cast<int>(Int(r[1]));
        c.firstMs = Int(r[2]);
        c.lastMs = Int(r[3]);
        c.measuredLines = static_cast<int>(Int(r[4]));
        c.failedLines = static_cast<int>(Int(r[5]));
        c.corrected = Int(r[6]) != 0;
        c.uncorrectedWhy = Text(r[7]);
        std::vector<std::string> used, excluded;
        for (const auto& u :
             t.exec_params("SELECT point, used, why FROM reference_uses WHERE project = $1 AND "
                           "station = $2 AND file = $3 ORDER BY point COLLATE \"C\"",
                           key.project, key.station, c.key.file)) {
          if (Int(u[1]) != 0) {
            used.push_back(Text(u[0]));
          } else {
            excluded.push_back(Text(u[0]) + ": " + Text(u[2]));
          }
        }
        c.referencesUsed = platform::Join(used, ", ");
        c.referencesExcluded = platform::Join(excluded, "; ");
        out.lastCycle = std::move(c);
      }
      const pqxx::result st = t.exec_params(
          "SELECT updated_ms, last_cycle_ms, next_cycle_ms, link FROM station_status WHERE project = $1 AND "
          "station = $2",
          key.project, key.station);
      if (!st.empty())
        out.status = web::StationStatus{Int(st[0][0]), Int(st[0][1]), Int(st[0][2]), Text(st[0][3])};
      for (const auto& [point, level] : OpenLevels(t, key))
        out.highestLevel = std::max(out.highestLevel, level);
    });
    return out;
  }

  std::vector<PointRow> Points(const StationKey& key, const std::string& only) override {
    std::vector<PointRow> out;
    Read([&](pqxx::read_transaction& t) {
      // Each point's newest positioned result, else its newest result.
      const std::string sql = std::string("SELECT DISTINCT ON (p.point) ") + kPointColumns +
                              ", count(*) OVER (PARTITION BY p.point)" + kPointJoin +
                              (only.empty() ? " AND $3 = ''" : " AND p.point = $3") +
                              " ORDER BY p.point, coalesce(p.positioned, 0) DESC, c.first_ms DESC, c.file "
                              "COLLATE \"C\" DESC";
      const std::map<std::string, OpenLevel> levels = OpenLevels(t, key);
      for (const auto& r : t.exec_params(sql, key.project, key.station, only)) {
        PointRow row{ReadPoint(r), -1, static_cast<int>(Int(r[24]))};
        const auto it = levels.find(row.latest.point);
        if (it != levels.end()) row.level = it->second;
        out.push_back(std::move(row));
      }
    });
    std::sort(out.begin(), out.end(),
              [](const PointRow& a, const PointRow& b) { return a.latest.point < b.latest.point; });
    return out;
  }

  bool HasPoint(const StationKey& key, const std::string& point) override {
    bool found = false;
    Read([&](pqxx::read_transaction& t) {
      found = !t.exec_params(
                    "SELECT 1 FROM point_results WHERE project = $1 AND station = $2 AND point = $3 LIMIT 1",
                    key.project, key.station, point)
                   .empty();
    });
    return found;
  }

  std::vector<StoredPoint> Series(const StationKey& key, const std::string& point) override {
    return Results(key, " AND p.point = $3", point);
  }

  std::vector<StoredPoint> AllResults(const StationKey& key) override {
    return Results(key, " AND $3 = ''", "");
  }

  std::vector<EventRow> Events(const StationKey& key, int limit) override {
    std::vector<EventRow> out;
    Read([&](pqxx::read_transaction& t) {
      for (const auto& r :
           t.exec_params("SELECT time_ms, file, kind, point, level, quantity, value, limit_value, why FROM "
                         "alarm_events "
                         "WHERE project = $1 AND station = $2 ORDER BY time_ms DESC, id DESC LIMIT $3",
                         key.project, key.station, limit)) {
        EventRow e;
        e.timeMs = Int(r[0]);
        e.file = Text(r[1]);
        e.kind = Text(r[2]);
        e.point = Text(r[3]);
        e.level = Text(r[4]);
        e.quantity = Text(r[5]);
        if (!r[6].is_null()) e.value = r[6].as<double>();
        if (!r[7].is_null()) e.limit = r[7].as<double>();
        e.why = Text(r[8]);
        out.push_back(std::move(e));
      }
    });
    return out;
  }

 private:
  // One connection serves every request thread, one request at a time. A connection the server
  // dropped (restarted) is opened again once; what still fails reads as nothing.
  template <typename F>
  void Read(F&& f) {
    std::lock_guard lock(mutex_);
    for (int attempt = 0; attempt < 2; ++attempt) {
      try {
        if (!connection_->is_open()) connection_ = std::make_unique<pqxx::connection>(conninfo_);
        pqxx::read_transaction t(*connection_);
        f(t);
        return;
      } catch (const pqxx::broken_connection&) {
        continue;
      } catch (const std::exception&) {
        return;
      }
    }
  }

  std::map<std::string, OpenLevel> OpenLevels(pqxx::read_transaction& t, const StationKey& key) {
    std::map<std::string, OpenLevel> out;
    for (const auto& r : t.exec_params(
             "SELECT point, level FROM alarm_states WHERE project = $1 AND station = $2 AND open = 1",
             key.project, key.station)) {
      OpenLevel& level = out.try_emplace(Text(r[0]), -1).first->second;
      level = std::max(level, web::LevelIndex(Text(r[1])));
    }
    return out;
  }

  std::vector<StoredPoint> Results(const StationKey& key, const char* filter, const std::string& point) {
    std::vector<StoredPoint> out;
    Read([&](pqxx::read_transaction& t) {
      const std::string sql = std::string("SELECT ") + kPointColumns + kPointJoin + filter +
                              " ORDER BY p.time_ms, p.point COLLATE \"C\"";
      for (const auto& r : t.exec_params(sql, key.project, key.station, point)) out.push_back(ReadPoint(r));
    });
    return out;
  }

  std::string conninfo_;
  std::unique_ptr<pqxx::connection> connection_;
  std::mutex mutex_;
};

}  // namespace

std::unique_ptr<web::DashboardData> OpenServerDashboard(const std::string& connection, std::string& error) {
  error = replication::MaskedConnection(connection) + ": ";
  try {
    auto c = std::make_unique<pqxx::connection>(connection);
    pqxx::nontransaction t(*c);
    const pqxx::result has = t.exec("SELECT to_regclass('schema_version') IS NOT NULL");
    const int version = has[0][0].as<bool>()
                            ? t.exec("SELECT coalesce(max(version), 0) FROM schema_version")[0][0].as<int>()
                            : 0;
    if (version != replication::kServerSchemaVersion) {
      error += version == 0
                   ? std::string("holds no replicated results (no schema_version table)")
                   : "its tables are of version " + std::to_string(version) +
                         ", this program reads version " + std::to_string(replication::kServerSchemaVersion) +
                         ": replicate with stations of this version first";
      return nullptr;
    }
    t.commit();
    error.clear();
    return std::make_unique<PgDashboardData>(connection, std::move(c));
  } catch (const std::exception& e) {
    const std::string what = e.what();
    error += replication::MaskedMessage(what.substr(0, what.find('\n')), connection, false);
    return nullptr;
  }
}

}  // namespace vigil::webpg
