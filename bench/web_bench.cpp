// vigil-web against a year of a station: six cycles a day of 50 points (4 references), each
// point's result in every cycle, alarm events and states. The database is filled with the
// rows directly (the evaluation is benchmarked on its own); vigil-web then serves it from its
// own process and each page and API answer is timed over loopback, then its peak memory read.
// With --pg the database is first replicated to a PostgreSQL server of the benchmark's own and
// vigil-web serves it from there (--pg CONNINFO), as a dashboard of many stations would.
//   bench_web [--days N] [--keep FOLDER] [--pg]   (FOLDER keeps the database for a look in a browser)
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "PgServer.h"
#include "TempFolder.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "replication/Replicator.h"
#include "results/ResultsDatabase.h"
#include "support/ChildProgram.h"

namespace {

using namespace vigil;
using Clock = std::chrono::steady_clock;

constexpr int kPoints = 50;
constexpr int kReferences = 4;
constexpr int kCyclesPerDay = 6;
constexpr std::int64_t kStartMs = 1'798'761'600'000;  // 2027-01-01 local

bool Fill(results::ResultsDatabase& rdb, int days) {
  results::Database& db = rdb.Raw();
  results::Transaction t(db);
  results::Statement cycle = db.Prepare(
      "INSERT INTO cycles (project, station, file, cycle_number, first_ms, last_ms, measured_lines, "
      "failed_lines, skipped_lines, corrected, uncorrected_why) VALUES ('DAM', 'P1', ?1, ?2, ?3, ?4, 600, 0, "
      "0, 1, "
      "'')");
  results::Statement ref =
      db.Prepare("INSERT INTO reference_uses (cycle_id, point, used, why) VALUES (?1, ?2, 1, '')");
  results::Statement point = db.Prepare(
      "INSERT INTO point_results (cycle_id, point, prism_type, reference, readings, failed, face1, face2, "
      "time_ms, positioned, easting_m, northing_m, level_m, has_displacement, d_east_mm, d_north_mm, "
      "d_level_mm, sigma_east_mm, sigma_north_mm, sigma_level_mm, significant, scatter_suspect, "
      "v_east_mm_per_day, "
      "v_north_mm_per_day, v_level_mm_per_day) VALUES (?1, ?2, ?3, ?4, 6, 0, 3, 3, ?5, 1, ?6, ?7, ?8, 1, ?9, "
      "?10, "
      "?11, 0.6, 0.6, 0.4, ?12, 0, 0.01, 0.01, 0.0)");
  std::mt19937_64 rng(7);
  std::normal_distribution<double> noise(0.0, 0.5);
  auto run = [](results::Statement& s) {
    s.Step();
    const bool ok = s.Done();
    s.Reset();
    return ok;
  };
  bool ok = t.Began();
  for (int c = 0; ok && c < days * kCyclesPerDay; ++c) {
    const std::int64_t first = kStartMs + static_cast<std::int64_t>(c) * 4 * 3'600'000;
    const int day = c / kCyclesPerDay;
    cycle.Bind(1, platform::Format("P1_DAM_day%03d_Cycle_%d.vgl", {day, c % kCyclesPerDay + 1}))
        .Bind(2, c % kCyclesPerDay + 1)
        .Bind(3, first)
        .Bind(4, first + 600'000);
    ok = run(cycle);
    const std::int64_t id = db.LastInsertId();
    for (int p = 0; ok && p < kPoints; ++p) {
      const std::string name = platform::Format("P%03d", {p});
      const bool reference = p < kReferences;
      if (reference) {
        ref.Bind(1, id).Bind(2, name);
        ok = run(ref);
      }
      // Monitoring points creep 0.01 mm a day east, one in ten faster.
      const double creep = reference ? 0.0 : day * (p % 10 == 0 ? 0.05 : 0.01);
      const double de = creep + noise(rng), dn = noise(rng), dh = -creep / 2 + noise(rng);
      point.Bind(1, id).Bind(2, name).Bind(3, reference ? 0 : 2).Bind(4, reference ? 1 : 0);
      point.Bind(5, first + p * 10'000)
          .Bind(6, 2250.0 + 100.0 * std::sin(p))
          .Bind(7, 5120.0 + 100.0 * std::cos(p))
          .Bind(8, 430.0 + p * 0.1);
      point.Bind(9, de).Bind(10, dn).Bind(11, dh).Bind(12, std::hypot(de, dn, dh) > 3.0);
      ok = ok && run(point);
    }
  }
  ok = ok && db.Execute(
                 "INSERT INTO alarm_states (project, station, point, level, open, confirmed, beyond_cycles) "
                 "VALUES ('DAM', 'P1', 'P010', 'alert', 1, 1, 40), ('DAM', 'P1', 'P020', 'alarm', 1, 0, 1)");
  for (int e = 0; ok && e < 500; ++e) {
    ok = db.Execute(platform::Format(
        "INSERT INTO alarm_events (project, station, file, time_ms, kind, point, level, quantity, value, "
        "limit_value, why) VALUES ('DAM', 'P1', 'x.vgl', %d000, 'raised', 'P010', 'alert', 'de_mm', 5.1, 5, "
        "'')",
        {static_cast<long long>(kStartMs / 1000 + e * 3600)}));
  }
  return ok && t.Commit();
}

// One GET over a fresh connection; the whole answer's size, 0 when it failed.
std::size_t Fetch(int port, const std::string& target) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<std::uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  std::size_t size = 0;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
    const std::string request = "GET " + target + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n";
    ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    char buffer[65536];
    std::string head;
    for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;) {
      if (head.size() < 12) head.append(buffer, static_cast<std::size_t>(std::min<ssize_t>(n, 12)));
      size += static_cast<std::size_t>(n);
    }
    if (head.rfind("HTTP/1.1 200", 0) != 0) size = 0;
  }
  ::close(fd);
  return size;
}

double PeakMiB(int pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  }
  return -1.0;
}

}  // namespace

int main(int argc, char** argv) {
  int days = 365;
  std::filesystem::path keep;
  bool fromServer = false;
  for (int i = 1; i < argc; ++i) fromServer = fromServer || std::string(argv[i]) == "--pg";
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "--days") days = std::max(1, std::atoi(argv[i + 1]));
    if (std::string(argv[i]) == "--keep") keep = argv[i + 1];
  }
  test::TempFolder folder;
  const auto path = (keep.empty() ? folder.path() : keep) / results::kResultsFileName;
  std::filesystem::remove(path);
  std::string error;
  const auto fillStart = Clock::now();
  {
    auto db = results::ResultsDatabase::Open(path, error);
    if (!db || !Fill(*db, days)) {
      std::fprintf(stderr, "bench_web: cannot fill the database: %s\n", error.c_str());
      return 1;
    }
  }
  const double fillSeconds = std::chrono::duration<double>(Clock::now() - fillStart).count();
  const auto bytes = std::filesystem::file_size(path);
  std::printf("%d days x %d cycles x %d points: %d point results, database %.1f MiB (filled in %.1f s)\n",
              days, kCyclesPerDay, kPoints, days * kCyclesPerDay * kPoints,
              static_cast<double>(bytes) / 1048576.0, fillSeconds);

  std::unique_ptr<test::PgServer> server;
  std::string connection;
  if (fromServer) {
    server = std::make_unique<test::PgServer>();
    if (!server->Ok()) {
      std::fprintf(stderr, "bench_web: cannot start PostgreSQL in %s\n", server->Folder().c_str());
      return 1;
    }
    connection = server->NewDatabase("dashboard");
    const auto copyStart = Clock::now();
    replication::Replicator replicator(path, connection, 500);
    replication::ReplicationStatus r;
    std::int64_t rows = 0;
    do {
      r = replicator.RunBatch();
      rows += r.rowsSent;
    } while (r.code == replication::ReplicationCode::kSent);
    if (r.code != replication::ReplicationCode::kUpToDate) {
      std::fprintf(stderr, "bench_web: replication failed: %s\n", r.message.c_str());
      return 1;
    }
    std::printf("replicated to the server: %lld rows in %.1f s; vigil-web --pg serves it\n",
                static_cast<long long>(rows),
                std::chrono::duration<double>(Clock::now() - copyStart).count());
  }
  bench::ChildProgram web(
      fromServer
          ? std::vector<std::string>{VIGIL_WEB_PATH, "--pg", connection, "--listen", "127.0.0.1:0"}
          : std::vector<std::string>{VIGIL_WEB_PATH, "--db", path.string(), "--listen", "127.0.0.1:0"});
  int port = 0;
  for (int waited = 0; port == 0 && waited < 500; ++waited) {
    for (const auto& line : web.Lines(Clock::now())) {
      const auto at = line.text.rfind(':');
      if (line.text.find("serving http://") != std::string::npos && at != std::string::npos)
        port = std::atoi(line.text.c_str() + at + 1);
    }
    if (port == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (port == 0) {
    std::fprintf(stderr, "bench_web: vigil-web did not start\n");
    return 1;
  }
  struct Target {
    const char* what;
    std::string target;
    int repeats;
  } targets[] = {
      {"overview page (/)", "/", 20},
      {"point page", "/s/DAM/P1/point/P010", 20},
      {"asset uPlot", "/assets/uPlot.iife.min.js", 20},
      {"API stations", "/api/stations", 20},
      {"API points", "/api/s/DAM/P1/points", 20},
      {"API series of a point (year)", "/api/s/DAM/P1/points/P010/series", 20},
      {"API events", "/api/s/DAM/P1/events", 20},
      {"CSV download (every result)", "/s/DAM/P1/results.csv", 3},
      {"GeoJSON download", "/s/DAM/P1/results.geojson", 3},
  };
  std::printf("%-30s %10s %10s %12s\n", "answer", "median ms", "max ms", "size KiB");
  bool ok = true;
  double pagesPeakMiB = 0.0;
  for (const Target& t : targets) {
    if (t.repeats == 3 && pagesPeakMiB == 0.0) pagesPeakMiB = PeakMiB(web.Pid());
    std::vector<double> ms;
    std::size_t size = 0;
    for (int r = 0; r < t.repeats; ++r) {
      const auto start = Clock::now();
      size = Fetch(port, t.target);
      ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
      ok = ok && size > 0;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-30s %10.1f %10.1f %12.1f\n", t.what, ms[ms.size() / 2], ms.back(),
                static_cast<double>(size) / 1024.0);
  }
  std::printf(
      "vigil-web peak resident memory (VmHWM): %.1f MiB after the pages and API, %.1f MiB after the "
      "downloads\n",
      pagesPeakMiB, PeakMiB(web.Pid()));
  web.Stop();
  return ok ? 0 : 1;
}
