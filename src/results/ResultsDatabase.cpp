#include "results/ResultsDatabase.h"

#include "evaluation/Velocity.h"
#include "platform/Text.h"
#include "results/Schema.h"

namespace vigil::results {

namespace {

using evaluation::CycleEvaluation;
using evaluation::PointResult;

// An optional value: bound as NULL when absent.
void BindOr(Statement& s, int index, bool present, double value) {
  if (present) {
    s.Bind(index, value);
  } else {
    s.BindNull(index);
  }
}

bool Run(Statement& s) {
  s.Step();
  const bool ok = s.Done();
  s.Reset();
  return ok;
}

std::vector<evaluation::DisplacementSample> EarlierDisplacements(Database& db, const CycleKey& key,
                                                                 const std::string& point,
                                                                 std::int64_t fromMs, std::int64_t beforeMs) {
  Statement s = db.Prepare(
      "SELECT p.time_ms, p.d_east_mm, p.d_north_mm, p.d_level_mm FROM point_results p JOIN cycles c ON c.id "
      "= "
      "p.cycle_id WHERE c.project = ?1 AND c.station = ?2 AND p.point = ?3 AND p.has_displacement = 1 AND "
      "p.time_ms >= ?4 AND p.time_ms < ?5 AND c.file <> ?6 ORDER BY p.time_ms");
  s.Bind(1, key.project)
      .Bind(2, key.station)
      .Bind(3, point)
      .Bind(4, fromMs)
      .Bind(5, beforeMs)
      .Bind(6, key.file);
  std::vector<evaluation::DisplacementSample> out;
  while (s.Step()) out.push_back({s.Int(0), s.Double(1), s.Double(2), s.Double(3)});
  return out;
}

}  // namespace

std::unique_ptr<ResultsDatabase> ResultsDatabase::Open(const std::filesystem::path& path,
                                                       std::string& error) {
  std::unique_ptr<Database> db = Database::Open(path, error);
  if (!db) return nullptr;
  if (!PrepareSchema(*db, error)) return nullptr;
  return std::unique_ptr<ResultsDatabase>(new ResultsDatabase(std::move(db)));
}

std::unique_ptr<ResultsDatabase> ResultsDatabase::OpenReadOnly(const std::filesystem::path& path,
                                                               std::string& error) {
  std::unique_ptr<Database> db = Database::OpenReadOnly(path, error);
  if (!db) return nullptr;
  Statement version = db->Prepare("PRAGMA user_version");
  if (!version.Step() || version.Int(0) < 1) {
    error = version.Valid() ? "no results tables in it" : "not a results database: " + db->LastError();
    return nullptr;
  }
  return std::unique_ptr<ResultsDatabase>(new ResultsDatabase(std::move(db)));
}

bool ResultsDatabase::WriteCycle(const CycleKey& key, const evaluation::CycleReadings& readings,
                                 const CycleEvaluation& ev, double velocityWindowDays, std::string& error) {
  Transaction t(*db_);
  if (!t.Began()) {
    error = db_->LastError();
    return false;
  }
  Statement remove = db_->Prepare("DELETE FROM cycles WHERE project = ?1 AND station = ?2 AND file = ?3");
  remove.Bind(1, key.project).Bind(2, key.station).Bind(3, key.file);
  Statement insert = db_->Prepare(
      "INSERT INTO cycles (project, station, file, cycle_number, first_ms, last_ms, measured_lines, "
      "failed_lines, "
      "skipped_lines, corrected, uncorrected_why) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)");
  insert.Bind(1, key.project)
      .Bind(2, key.station)
      .Bind(3, key.file)
      .Bind(4, ev.cycleNumber)
      .Bind(5, ev.firstMs);
  insert.Bind(6, ev.lastMs).Bind(7, ev.measuredLines).Bind(8, ev.failedLines).Bind(9, ev.skippedLines);
  insert.Bind(10, ev.station.corrected).Bind(11, ev.station.uncorrectedWhy);
  if (!Run(remove) || !Run(insert) ||
      !WriteRows(db_->LastInsertId(), readings, ev, key, velocityWindowDays) || !t.Commit()) {
    error = db_->LastError();
    return false;
  }
  return true;
}

bool ResultsDatabase::WriteRows(std::int64_t id, const evaluation::CycleReadings& readings,
                                const CycleEvaluation& ev, const CycleKey& key, double velocityWindowDays) {
  const evaluation::StationAdjustment& adj = ev.station.adjustment;
  const bool solved = ev.station.corrected;
  Statement station = db_->Prepare(
      "INSERT INTO station_solutions VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, "
      "?15, ?16, "
      "?17)");
  station.Bind(1, id).Bind(2, ev.stationAsSet.eastingMetres).Bind(3, ev.stationAsSet.northingMetres);
  station.Bind(4, ev.stationAsSet.levelMetres);
  BindOr(station, 5, solved, adj.station.eastingMetres);
  BindOr(station, 6, solved, adj.station.northingMetres);
  BindOr(station, 7, solved, adj.station.levelMetres);
  BindOr(station, 8, solved, adj.station.orientationCorrectionGon);
  BindOr(station, 9, solved, adj.sigmaEastingMm);
  BindOr(station, 10, solved, adj.sigmaNorthingMm);
  BindOr(station, 11, solved, adj.sigmaLevelMm);
  BindOr(station, 12, solved, adj.sigmaOrientationMgon);
  BindOr(station, 13, solved, adj.sigma0);
  BindOr(station, 14, solved, adj.redundancy);
  BindOr(station, 15, solved, adj.weightedSquareSum);
  BindOr(station, 16, solved, adj.globalTestCritical);
  BindOr(station, 17, solved, adj.globalTestPassed ? 1.0 : 0.0);
  if (!Run(station)) return false;

  Statement ref = db_->Prepare("INSERT INTO reference_uses VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
  for (const evaluation::ReferenceUse& u : ev.station.references) {
    ref.Bind(1, id).Bind(2, u.point).Bind(3, u.used).Bind(4, u.why);
    const evaluation::ReferenceResiduals* residuals = nullptr;
    for (const auto& r : adj.residuals) {
      if (r.point == u.point && adj.solved) residuals = &r;
    }
    for (int k = 0; k < 3; ++k) {
      const auto& r = residuals ? residuals->of[static_cast<std::size_t>(k)] : evaluation::Residual{};
      BindOr(ref, 5 + k, residuals != nullptr, r.value);
      BindOr(ref, 8 + k, residuals != nullptr, r.standardised);
    }
    if (!Run(ref)) return false;
  }

  Statement line = db_->Prepare(
      "INSERT INTO observations VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13)");
  for (const evaluation::CycleReading& r : readings.readings) {
    line.Bind(1, id)
        .Bind(2, r.lineNumber)
        .Bind(3, r.point)
        .Bind(4, r.round)
        .Bind(5, r.face)
        .Bind(6, r.localMs);
    line.Bind(7, r.measured).Bind(8, r.haGon).Bind(9, r.vaGon).Bind(10, r.sdMetres);
    BindOr(line, 11, r.measured, r.eastingMetres);
    BindOr(line, 12, r.measured, r.northingMetres);
    BindOr(line, 13, r.measured, r.rlMetres);
    if (!Run(line)) return false;
  }

  Statement point = db_->Prepare(
      "INSERT INTO point_results VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, "
      "?16, ?17, "
      "?18, ?19, ?20, ?21, ?22, ?23, ?24, ?25, ?26, ?27, ?28, ?29, ?30, ?31, ?32, ?33, ?34, ?35, ?36, ?37, "
      "?38, "
      "?39, ?40, ?41, ?42)");
  for (const PointResult& p : ev.points) {
    const auto& o = p.observation;
    const bool measured = o.readings > 0;
    point.Bind(1, id).Bind(2, p.point).Bind(3, p.prismType).Bind(4, p.reference).Bind(5, o.readings);
    point.Bind(6, o.failed).Bind(7, o.face1).Bind(8, o.face2).Bind(9, o.localMs);
    BindOr(point, 10, measured, o.haGon);
    BindOr(point, 11, measured, o.vaGon);
    BindOr(point, 12, measured, o.sdMetres);
    BindOr(point, 13, measured, o.haScatterMgon);
    BindOr(point, 14, measured, o.vaScatterMgon);
    BindOr(point, 15, measured, o.sdScatterMm);
    point.Bind(16, p.scatterSuspect).Bind(17, p.positioned);
    BindOr(point, 18, p.positioned, p.position.eastingMetres);
    BindOr(point, 19, p.positioned, p.position.northingMetres);
    BindOr(point, 20, p.positioned, p.position.levelMetres);
    const auto& c = p.position.covariance;
    const double cov[] = {c[0][0], c[0][1], c[0][2], c[1][1], c[1][2], c[2][2]};
    for (int k = 0; k < 6; ++k) BindOr(point, 21 + k, p.positioned, cov[k]);
    const auto& d = p.displacement;
    point.Bind(27, p.hasDisplacement);
    const double dv[] = {d.eastMm,       d.northMm,      d.levelMm,   d.sigmaEastMm,
                         d.sigmaNorthMm, d.sigmaLevelMm, d.testValue, d.testCritical};
    for (int k = 0; k < 8; ++k) BindOr(point, 28 + k, p.hasDisplacement, dv[k]);
    point.Bind(36, p.hasDisplacement && d.significant);
    BindOr(point, 37, p.positioned && p.prismType >= 0, p.rawEastMm);
    BindOr(point, 38, p.positioned && p.prismType >= 0, p.rawNorthMm);
    BindOr(point, 39, p.positioned && p.prismType >= 0, p.rawLevelMm);
    std::optional<evaluation::Velocity> v;
    if (p.hasDisplacement) {
      constexpr double kMsPerDay = 86'400'000.0;
      std::vector<evaluation::DisplacementSample> samples = EarlierDisplacements(
          *db_, key, p.point, o.localMs - static_cast<std::int64_t>(velocityWindowDays * kMsPerDay),
          o.localMs);
      samples.push_back({o.localMs, d.eastMm, d.northMm, d.levelMm});
      v = evaluation::VelocityOver(samples, velocityWindowDays);
    }
    BindOr(point, 40, v.has_value(), v ? v->eastMmPerDay : 0.0);
    BindOr(point, 41, v.has_value(), v ? v->northMmPerDay : 0.0);
    BindOr(point, 42, v.has_value(), v ? v->levelMmPerDay : 0.0);
    if (!Run(point)) return false;
  }
  return true;
}

std::optional<evaluation::Baseline> ResultsDatabase::BaselineOf(const CycleKey& key) {
  Statement s = db_->Prepare(
      "SELECT p.point, p.easting_m, p.northing_m, p.level_m, p.cov_ee, p.cov_en, p.cov_eh, p.cov_nn, "
      "p.cov_nh, "
      "p.cov_hh FROM point_results p JOIN cycles c ON c.id = p.cycle_id WHERE c.project = ?1 AND c.station = "
      "?2 AND "
      "c.file = ?3 AND p.positioned = 1");
  s.Bind(1, key.project).Bind(2, key.station).Bind(3, key.file);
  evaluation::Baseline out;
  while (s.Step()) {
    evaluation::PointPosition p;
    p.eastingMetres = s.Double(1);
    p.northingMetres = s.Double(2);
    p.levelMetres = s.Double(3);
    const double c[] = {s.Double(4), s.Double(5), s.Double(6), s.Double(7), s.Double(8), s.Double(9)};
    p.covariance = {{{c[0], c[1], c[2]}, {c[1], c[3], c[4]}, {c[2], c[4], c[5]}}};
    out.emplace(s.Text(0), p);
  }
  if (!s.Done() || out.empty()) return std::nullopt;
  return out;
}

std::vector<StoredCycle> ResultsDatabase::Cycles(const std::string& project, const std::string& station) {
  Statement s = db_->Prepare(
      "SELECT c.id, c.project, c.station, c.file, c.cycle_number, c.first_ms, c.last_ms, c.measured_lines, "
      "c.failed_lines, c.corrected, c.uncorrected_why FROM cycles c WHERE (?1 = '' AND ?2 = '') OR "
      "(c.project = ?1 "
      "AND c.station = ?2) ORDER BY c.first_ms, c.file");
  s.Bind(1, project).Bind(2, station);
  std::vector<StoredCycle> out;
  while (s.Step()) {
    StoredCycle c;
    c.id = s.Int(0);
    c.key = {s.Text(1), s.Text(2), s.Text(3)};
    c.cycleNumber = static_cast<int>(s.Int(4));
    c.firstMs = s.Int(5);
    c.lastMs = s.Int(6);
    c.measuredLines = static_cast<int>(s.Int(7));
    c.failedLines = static_cast<int>(s.Int(8));
    c.corrected = s.Int(9) != 0;
    c.uncorrectedWhy = s.Text(10);
    out.push_back(std::move(c));
  }
  Statement refs =
      db_->Prepare("SELECT point, used, why FROM reference_uses WHERE cycle_id = ?1 ORDER BY rowid");
  for (StoredCycle& c : out) {
    refs.Bind(1, c.id);
    std::vector<std::string> used, excluded;
    while (refs.Step()) {
      if (refs.Int(1) != 0) {
        used.push_back(refs.Text(0));
      } else {
        excluded.push_back(refs.Text(0) + ": " + refs.Text(2));
      }
    }
    refs.Reset();
    c.referencesUsed = platform::Join(used, ", ");
    c.referencesExcluded = platform::Join(excluded, "; ");
  }
  return out;
}

std::vector<StoredPoint> ResultsDatabase::Points(const std::string& project, const std::string& station,
                                                 const std::string& point, std::int64_t fromMs,
                                                 std::int64_t toMs) {
  Statement s = db_->Prepare(
      "SELECT p.cycle_id, c.file, p.time_ms, p.point, p.prism_type, p.reference, p.positioned, c.corrected, "
      "p.easting_m, p.northing_m, p.level_m, p.has_displacement, p.d_east_mm, p.d_north_mm, p.d_level_mm, "
      "p.sigma_east_mm, p.sigma_north_mm, p.sigma_level_mm, p.significant, p.raw_east_mm, p.raw_north_mm, "
      "p.raw_level_mm, p.v_east_mm_per_day, p.v_north_mm_per_day, p.v_level_mm_per_day FROM point_results p "
      "JOIN "
      "cycles c ON c.id = p.cycle_id WHERE c.project = ?1 AND c.station = ?2 AND (?3 = '' OR p.point = ?3) "
      "AND "
      "p.time_ms BETWEEN ?4 AND ?5 ORDER BY p.time_ms, p.point");
  s.Bind(1, project).Bind(2, station).Bind(3, point).Bind(4, fromMs).Bind(5, toMs);
  std::vector<StoredPoint> out;
  while (s.Step()) {
    StoredPoint p;
    p.cycleId = s.Int(0);
    p.file = s.Text(1);
    p.timeMs = s.Int(2);
    p.point = s.Text(3);
    p.prismType = static_cast<int>(s.Int(4));
    p.reference = s.Int(5) != 0;
    p.positioned = s.Int(6) != 0;
    p.corrected = s.Int(7) != 0;
    p.eastingMetres = s.Double(8);
    p.northingMetres = s.Double(9);
    p.levelMetres = s.Double(10);
    p.hasDisplacement = s.Int(11) != 0;
    p.eastMm = s.Double(12);
    p.northMm = s.Double(13);
    p.levelMm = s.Double(14);
    p.sigmaEastMm = s.Double(15);
    p.sigmaNorthMm = s.Double(16);
    p.sigmaLevelMm = s.Double(17);
    p.significant = s.Int(18) != 0;
    p.rawEastMm = s.Double(19);
    p.rawNorthMm = s.Double(20);
    p.rawLevelMm = s.Double(21);
    p.hasVelocity = !s.IsNull(22);
    p.eastMmPerDay = s.Double(22);
    p.northMmPerDay = s.Double(23);
    p.levelMmPerDay = s.Double(24);
    out.push_back(std::move(p));
  }
  return out;
}

}  // namespace vigil::results
