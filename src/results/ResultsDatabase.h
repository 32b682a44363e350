// The results database of a station (SQLite): cycles, their station solutions and references,
// every line of their cycle files and every point's result. The cycle file stays the record of
// truth; the database is written after it, one transaction per cycle, and can be rebuilt from
// the cycle files at any time.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "evaluation/CycleEvaluation.h"
#include "results/Sqlite.h"

namespace vigil::results {

inline constexpr const char* kResultsFileName = "results.sqlite";

struct CycleKey {
  std::string project;
  std::string station;
  std::string file;  ///< the cycle file's name, without folder
};

/// One stored cycle as listed.
struct StoredCycle {
  std::int64_t id = 0;
  CycleKey key;
  int cycleNumber = 0;
  std::int64_t firstMs = 0;
  std::int64_t lastMs = 0;
  int measuredLines = 0;
  int failedLines = 0;
  bool corrected = false;
  std::string uncorrectedWhy;
  std::string referencesUsed;      ///< names joined by ", "
  std::string referencesExcluded;  ///< "name: why" joined by "; "
};

/// One point of one stored cycle as exported.
struct StoredPoint {
  std::int64_t cycleId = 0;
  std::string file;
  std::int64_t timeMs = 0;
  std::string point;
  int prismType = -1;
  bool reference = false;
  bool positioned = false;
  bool corrected = false;  ///< the cycle's station was adjusted
  double eastingMetres = 0.0, northingMetres = 0.0, levelMetres = 0.0;
  bool hasDisplacement = false;
  double eastMm = 0.0, northMm = 0.0, levelMm = 0.0;
  double sigmaEastMm = 0.0, sigmaNorthMm = 0.0, sigmaLevelMm = 0.0;
  bool significant = false;
  double rawEastMm = 0.0, rawNorthMm = 0.0, rawLevelMm = 0.0;
  bool hasVelocity = false;
  double eastMmPerDay = 0.0, northMmPerDay = 0.0, levelMmPerDay = 0.0;
};

class ResultsDatabase {
 public:
  /// Opens or creates the database and its tables; nothing with `error` when it cannot.
  static std::unique_ptr<ResultsDatabase> Open(const std::filesystem::path& path, std::string& error);
  /// Opens an existing database for reading only, of this version or any later one (later
  /// versions only add tables): its tables are never created nor migrated. Nothing with
  /// `error` when the file is missing or holds no results tables.
  static std::unique_ptr<ResultsDatabase> OpenReadOnly(const std::filesystem::path& path, std::string& error);

  /// Writes one evaluated cycle in one transaction, replacing a cycle of the same key. Each
  /// point's velocity is fitted over its stored displacements of the `velocityWindowDays`
  /// before. False with `error` and nothing changed when the write fails.
  bool WriteCycle(const CycleKey& key, const evaluation::CycleReadings& readings,
                  const evaluation::CycleEvaluation& evaluation, double velocityWindowDays,
                  std::string& error);

  /// The positions of a stored cycle's points, as a baseline for later cycles.
  std::optional<evaluation::Baseline> BaselineOf(const CycleKey& key);

  /// The cycles of a project-station in time order; every station when both names are empty.
  std::vector<StoredCycle> Cycles(const std::string& project, const std::string& station);

  /// Every point result of a project-station in time order (of one point when `point` is not
  /// empty), between two local times (ms, inclusive).
  std::vector<StoredPoint> Points(const std::string& project, const std::string& station,
                                  const std::string& point, std::int64_t fromMs, std::int64_t toMs);

  Database& Raw() { return *db_; }

 private:
  explicit ResultsDatabase(std::unique_ptr<Database> db) : db_(std::move(db)) {}
  bool WriteRows(std::int64_t cycleId, const evaluation::CycleReadings& readings,
                 const evaluation::CycleEvaluation& evaluation, const CycleKey& key,
                 double velocityWindowDays);
  std::unique_ptr<Database> db_;
};

}  // namespace vigil::results
