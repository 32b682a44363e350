// Evaluation of one cycle of 100 prisms x 2 faces x 3 repeats with 4 references: reading the
// cycle file's text, the evaluation itself (observations, station adjustment with the reference
// test, every point), and writing it to the results database; then the database's size per
// cycle and per station-year at six cycles a day.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "evaluation/CycleEvaluation.h"
#include "monitoring/CycleFileText.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "results/ResultsDatabase.h"
#include "survey/Coordinates.h"

namespace {

using namespace vigil;
using Clock = std::chrono::steady_clock;

constexpr int kPrisms = 100;
constexpr int kReferences = 4;
constexpr int kRepeats = 3;
const survey::StationPosition kStation{2250.0, 5120.0, 438.15};

struct Site {
  std::vector<evaluation::TrainedPoint> trained;
};

Site MakeSite() {
  Site s;
  for (int i = 0; i < kPrisms; ++i) {
    const bool reference = i < kReferences;
    const double bearing = reference ? i * 100.0 + 20.0 : 20.0 + 60.0 * i / kPrisms;
    const double metres = reference ? 320.0 : 120.0 + i;
    const double b = bearing * survey::kGonToRadians;
    const double e = kStation.eastingMetres + metres * std::sin(b),
                 n = kStation.northingMetres + metres * std::cos(b);
    const double h = kStation.levelMetres + (reference ? 12.0 : -5.0 + 0.1 * i);
    const survey::Observation o = survey::ComputeHaVaSd(kStation, e, n, h);
    s.trained.push_back(
        {platform::Format("P%03d", {i}), reference ? 0 : 2, o.haGon, o.vaGon, o.sdMetres, e, n, h});
  }
  return s;
}

std::string CycleText(const Site& site, int day, int cycle, std::mt19937_64& rng) {
  std::normal_distribution<double> gauss(0.0, 1.0);
  store::ProjectStationSettings s;
  std::string text = monitoring::CycleHeaderLine(s);
  int second = 0;
  for (int face = 1; face <= 2; ++face) {
    for (const evaluation::TrainedPoint& p : site.trained) {
      for (int r = 0; r < kRepeats; ++r) {
        survey::Observation o{p.haGon + gauss(rng) * 0.00015, p.vaGon + gauss(rng) * 0.00015,
                              p.sdMetres + gauss(rng) * 0.0006};
        const double h = o.haGon * survey::kGonToRadians, v = o.vaGon * survey::kGonToRadians;
        const survey::Observation seen = face == 1 ? o : survey::OtherFace(o);
        monitoring::CycleRow row;
        row[monitoring::kCycleEpoch] = "4";
        row[monitoring::kCycleNumber] = platform::FormatInt(cycle);
        row[monitoring::kCycleRound] = "1";
        row[monitoring::kCycleDate] = platform::Format("%02d-01-2027", {day});
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

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main() {
  const Site site = MakeSite();
  std::mt19937_64 rng(20261207);
  evaluation::EvaluationSettings settings;
  settings.angleSigmaMgon = 0.15;
  settings.distanceSigmaMm = 0.5;
  settings.distanceSigmaPpm = 0.5;
  test::TempFolder dir;
  std::string error;
  auto db = results::ResultsDatabase::Open(dir.path() / results::kResultsFileName, error);
  if (!db) {
    std::printf("cannot open the database: %s\n", error.c_str());
    return 1;
  }
  constexpr int kDays = 10, kCyclesPerDay = 6;
  std::vector<double> readMs, evaluateMs, writeMs;
  int corrected = 0;
  for (int day = 1; day <= kDays; ++day) {
    for (int cycle = 1; cycle <= kCyclesPerDay; ++cycle) {
      const std::string text = CycleText(site, day, cycle, rng);
      const auto t0 = Clock::now();
      evaluation::CycleReadings readings;
      evaluation::ReadCycleReadings(text, {}, readings, error);
      const auto t1 = Clock::now();
      const evaluation::CycleEvaluation ev = evaluation::EvaluateCycle(readings, site.trained, settings);
      const auto t2 = Clock::now();
      db->WriteCycle({"BENCH", "STN", platform::Format("STN_BENCH_%02d-Jan-2027_Cycle_%d.vgl", {day, cycle})},
                     readings, ev, 7.0, error);
      const auto t3 = Clock::now();
      readMs.push_back(Ms(t1 - t0));
      evaluateMs.push_back(Ms(t2 - t1));
      writeMs.push_back(Ms(t3 - t2));
      corrected += ev.station.corrected;
      if (!ev.station.corrected) std::printf("not corrected: %s\n", ev.station.uncorrectedWhy.c_str());
    }
  }
  db.reset();
  std::uintmax_t bytes = 0;
  for (const char* suffix : {"", "-wal"})
    bytes += platform::FileSize(dir.path() / (std::string(results::kResultsFileName) + suffix)).value_or(0);
  const int cycles = kDays * kCyclesPerDay;
  std::printf("cycle: %d prisms (%d references) x 2 faces x %d repeats = %d lines; %d cycles, %d corrected\n",
              kPrisms, kReferences, kRepeats, kPrisms * 2 * kRepeats, cycles, corrected);
  std::printf(
      "median per cycle: read the file's text %.2f ms, evaluate %.2f ms, write to the database %.2f ms\n",
      Median(readMs), Median(evaluateMs), Median(writeMs));
  std::printf("database: %.1f kB per cycle, %.0f MB per station-year at %d cycles a day\n",
              static_cast<double>(bytes) / cycles / 1024.0,
              static_cast<double>(bytes) / cycles * 365 * kCyclesPerDay / 1048576.0, kCyclesPerDay);
  return 0;
}
