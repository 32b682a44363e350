// A network of stations replicating to one server of the benchmark's own. Each station is a
// thread that evaluates and stores its synthetic cycles back to back (50 prisms with 4
// references x 2 faces x 2 repeats, 6 cycles a day) and after each one runs the replicator as
// its worker thread would: the rows per second the server takes, the replication's cost per
// cycle next to the station's own, and the largest lag from a cycle stored to it committed on
// the server. Then one station's whole history copied again in one go (a server back after
// an outage) and a year of one point's displacements read from the server.
//   bench_replication [STATIONS [DAYS]]   (default 20 stations x 30 days)
#include <pqxx/pqxx>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#include <time.h>
#include <vector>

#include "PgServer.h"
#include "TempFolder.h"
#include "evaluation/CycleEvaluation.h"
#include "monitoring/CycleFileText.h"
#include "platform/Clock.h"
#include "platform/Format.h"
#include "replication/Replicator.h"
#include "results/ResultsDatabase.h"
#include "survey/Coordinates.h"

namespace {

using namespace vigil;
using Clock = std::chrono::steady_clock;

constexpr int kPrisms = 50, kReferences = 4, kRepeats = 2, kCyclesPerDay = 6;
const survey::StationPosition kStation{2250.0, 5120.0, 438.15};

std::vector<evaluation::TrainedPoint> Site() {
  std::vector<evaluation::TrainedPoint> out;
  for (int i = 0; i < kPrisms; ++i) {
    const bool reference = i < kReferences;
    const double bearing = reference ? i * 100.0 + 20.0 : 20.0 + 60.0 * i / kPrisms;
    const double metres = reference ? 320.0 : 120.0 + i;
    const double b = bearing * survey::kGonToRadians;
    const double e = kStation.eastingMetres + metres * std::sin(b),
                 n = kStation.northingMetres + metres * std::cos(b);
    const double h = kStation.levelMetres + (reference ? 12.0 : -5.0 + 0.1 * i);
    const survey::Observation o = survey::ComputeHaVaSd(kStation, e, n, h);
    out.push_back({platform::Format("P%03d", {i}), reference ? 0 : 2, o.haGon, o.vaGon, o.sdMetres, e, n, h});
  }
  return out;
}

// Day `day` (from 0) of a year starting 2027-01-01, cycle 1..6.
std::string CycleText(const std::vector<evaluation::TrainedPoint>& site, int day, int cycle,
                      std::mt19937_64& rng) {
  std::normal_distribution<double> gauss(0.0, 1.0);
  const platform::LocalDateTime date = platform::CivilFromMilliseconds(
      platform::MillisecondsFromCivil({2027, 1, 1, 0, 0, 0, 0, 0}) + std::int64_t{day} * 86'400'000);
  store::ProjectStationSettings s;
  std::string text = monitoring::CycleHeaderLine(s);
  int second = 0;
  for (int face = 1; face <= 2; ++face) {
    for (const evaluation::TrainedPoint& p : site) {
      for (int r = 0; r < kRepeats; ++r) {
        survey::Observation o{p.haGon + gauss(rng) * 0.00015, p.vaGon + gauss(rng) * 0.00015,
                              p.sdMetres + gauss(rng) * 0.0006};
        const double h = o.haGon * survey::kGonToRadians, v = o.vaGon * survey::kGonToRadians;
        const survey::Observation seen = face == 1 ? o : survey::OtherFace(o);
        monitoring::CycleRow row;
        row[monitoring::kCycleEpoch] = "4";
        row[monitoring::kCycleNumber] = platform::FormatInt(cycle);
        row[monitoring::kCycleRound] = "1";
        row[monitoring::kCycleDate] = platform::Format("%02d-%02d-%04d", {date.day, date.month, date.year});
        row[monitoring::kCycleTime] =
            platform::Format("%02d:%02d:%02d", {(cycle - 1) * 4 + 1, second / 60 % 60, second % 60});
        row[monitoring::kCyclePoint] = p.name;
        row[monitoring::kCycleFace] = face == 1 ? "1" : "2";
        row[monitoring::kCycleHa] = platform::FormatFixed(seen.haGon, 5);
        row[monitoring::kCycleVa] = platform::FormatFixed(seen.vaGon, 5);
        row[monitoring::kCycleSd] = platform::FormatFixed(o.sdMetres, 4);
        row[monitoring::kCycleEasting] =
            platform::FormatFixed(kStation.eastingMetres + o.sdMetres * std::sin(h) * std::sin(v), 4);
        row[monitoring::kCycleNorthing] =
            platform::FormatFixed(kStation.northingMetres + o.sdMetres * std::cos(h) * std::sin(v), 4);
        row[monitoring::kCycleRl] = platform::FormatFixed(kStation.levelMetres + o.sdMetres * std::cos(v), 4);
        text += monitoring::CycleDataLine(s, row);
        second += 7;
      }
    }
  }
  return text;
}

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// CPU time of the calling thread: what a cycle costs the station's processor, whatever else
// runs on the machine.
double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0.0;
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

struct StationFigures {
  std::vector<double> storeMs, replicateMs, replicateCpuMs;
  double largestLagMs = 0.0;
  std::int64_t rows = 0;
  int failures = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const int stations = argc > 1 ? std::atoi(argv[1]) : 20;
  const int days = argc > 2 ? std::atoi(argv[2]) : 30;
  test::PgServer server;
  if (!server.Ok()) {
    std::printf("cannot start PostgreSQL in %s\n", server.Folder().c_str());
    return 1;
  }
  const std::string connection = server.NewDatabase("network");
  test::TempFolder dir;
  const std::vector<evaluation::TrainedPoint> site = Site();
  evaluation::EvaluationSettings settings;
  settings.angleSigmaMgon = 0.15;
  settings.distanceSigmaMm = 0.5;
  settings.distanceSigmaPpm = 0.5;

  std::vector<StationFigures> figures(static_cast<std::size_t>(stations));
  const auto start = Clock::now();
  std::vector<std::thread> threads;
  for (int s = 0; s < stations; ++s) {
    threads.emplace_back([&, s] {
      StationFigures& f = figures[static_cast<std::size_t>(s)];
      std::mt19937_64 rng(20270101 + static_cast<unsigned>(s));
      const auto path = dir.path() / platform::Format("station%02d.sqlite", {s});
      std::string error;
      auto db = results::ResultsDatabase::Open(path, error);
      replication::Replicator replicator(path, connection, 20);
      const std::string name = platform::Format("S%02d", {s});
      for (int day = 0; day < days; ++day) {
        for (int cycle = 1; cycle <= kCyclesPerDay; ++cycle) {
          const std::string text = CycleText(site, day, cycle, rng);
          const auto t0 = Clock::now();
          evaluation::CycleReadings readings;
          evaluation::ReadCycleReadings(text, {}, readings, error);
          const evaluation::CycleEvaluation ev = evaluation::EvaluateCycle(readings, site, settings);
          db->WriteCycle({"NET", name, platform::Format("%s_NET_%04d_Cycle_%d.vgl", {name, day, cycle})},
                         readings, ev, 7.0, error);
          const auto t1 = Clock::now();
          const double cpu0 = ThreadCpuMs();
          replication::ReplicationStatus r;
          do {
            r = replicator.RunBatch();
            f.rows += r.rowsSent;
          } while (r.code == replication::ReplicationCode::kSent);
          f.failures += r.code != replication::ReplicationCode::kUpToDate;
          const auto t2 = Clock::now();
          f.replicateCpuMs.push_back(ThreadCpuMs() - cpu0);
          f.storeMs.push_back(Ms(t1 - t0));
          f.replicateMs.push_back(Ms(t2 - t1));
          f.largestLagMs = std::max(f.largestLagMs, Ms(t2 - t1));
        }
      }
    });
  }
  for (std::thread& t : threads) t.join();
  const double liveSeconds = Ms(Clock::now() - start) / 1000.0;

  std::vector<double> storeMs, replicateMs, replicateCpuMs;
  std::int64_t rows = 0;
  double lag = 0.0;
  int failures = 0;
  for (const StationFigures& f : figures) {
    storeMs.insert(storeMs.end(), f.storeMs.begin(), f.storeMs.end());
    replicateMs.insert(replicateMs.end(), f.replicateMs.begin(), f.replicateMs.end());
    replicateCpuMs.insert(replicateCpuMs.end(), f.replicateCpuMs.begin(), f.replicateCpuMs.end());
    rows += f.rows;
    lag = std::max(lag, f.largestLagMs);
    failures += f.failures;
  }
  const int cycles = stations * days * kCyclesPerDay;
  std::printf(
      "network: %d stations x %d days x %d cycles a day = %d cycles (%d prisms x 2 faces x %d repeats)\n",
      stations, days, kCyclesPerDay, cycles, kPrisms, kRepeats);
  std::printf(
      "live: %lld rows in %.1f s = %.0f rows/s into the server (all stations storing back to back), "
      "%d failed batches\n",
      static_cast<long long>(rows), liveSeconds, static_cast<double>(rows) / liveSeconds, failures);
  std::printf(
      "wall time per cycle: station's own evaluate+store median %.2f ms; replication median %.2f ms, p99 "
      "%.2f ms, "
      "last day's median %.2f ms\n",
      Percentile(storeMs, 0.5), Percentile(replicateMs, 0.5), Percentile(replicateMs, 0.99),
      Percentile(
          std::vector<double>(figures[0].replicateMs.end() -
                                  std::min<std::ptrdiff_t>(kCyclesPerDay, figures[0].replicateMs.size()),
                              figures[0].replicateMs.end()),
          0.5));
  std::printf(
      "replication's CPU time on the station per cycle: median %.2f ms, p99 %.2f ms, last day's median "
      "%.2f ms\n",
      Percentile(replicateCpuMs, 0.5), Percentile(replicateCpuMs, 0.99),
      Percentile(
          std::vector<double>(figures[0].replicateCpuMs.end() -
                                  std::min<std::ptrdiff_t>(kCyclesPerDay, figures[0].replicateCpuMs.size()),
                              figures[0].replicateCpuMs.end()),
          0.5));
  std::printf("largest lag from a cycle stored to it committed on the server: %.1f ms\n", lag);

  // The first station's history sent again in one go, as after an outage (a fresh database).
  const std::string again = server.NewDatabase("catchup");
  replication::Replicator catchUp(dir.path() / "station00.sqlite", again, 20);
  std::int64_t caughtRows = 0;
  const auto c0 = Clock::now();
  replication::ReplicationStatus r;
  do {
    r = catchUp.RunBatch();
    caughtRows += r.rowsSent;
  } while (r.code == replication::ReplicationCode::kSent);
  const double catchUpSeconds = Ms(Clock::now() - c0) / 1000.0;
  std::printf("catch-up of one station's %d cycles: %lld rows in %.2f s = %.0f rows/s\n",
              days * kCyclesPerDay, static_cast<long long>(caughtRows), catchUpSeconds,
              static_cast<double>(caughtRows) / catchUpSeconds);

  // One point's displacements over the whole period, from the server.
  pqxx::connection reader(connection);
  std::vector<double> queryMs;
  std::size_t samples = 0;
  for (int i = 0; i < 21; ++i) {
    pqxx::read_transaction tx(reader);
    const auto q0 = Clock::now();
    const pqxx::result res = tx.exec(
        "SELECT time_ms, d_east_mm, d_north_mm, d_level_mm FROM point_results WHERE project = 'NET' AND "
        "station = "
        "'S00' AND point = 'P010' ORDER BY time_ms");
    queryMs.push_back(Ms(Clock::now() - q0));
    samples = res.size();
  }
  std::printf("one point's %zu displacements (%d days) read from the server: median %.2f ms\n", samples, days,
              Percentile(queryMs, 0.5));
  return 0;
}
