// The station of a cycle from its references: a worked case with a known answer, the same
// station as the orientation screens' resection, the redundancy identity, and which references
// are used, excluded or refused.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "evaluation/StationSolution.h"
#include "orientation/Resection.h"
#include "survey/Coordinates.h"

namespace vigil::evaluation {
namespace {

// Pillar at (2250, 5120, 438.15); the circle turned so that grid bearing = Ha + 0.0123 gon.
const StationEstimate kTruth{2250.0, 5120.0, 438.15, 0.0123};

struct Target {
  const char* name;
  double e, n, h;
};
// Four references well spread: north, east, south-east, west, 150 to 330 m away.
const Target kRefs[] = {{"R1", 2324.605, 5453.764, 452.31},
                        {"R2", 2567.372, 5139.967, 449.87},
                        {"R3", 2400.0, 4980.0, 430.0},
                        {"R4", 2080.0, 5150.0, 445.0}};

ReferenceObservation Observe(const Target& t, const StationEstimate& s, double dSdMm = 0.0,
                             double dHaMgon = 0.0) {
  const survey::Observation o =
      survey::ComputeHaVaSd({s.eastingMetres, s.northingMetres, s.levelMetres}, t.e, t.n, t.h);
  return {t.name,
          6,
          survey::NormaliseAngle(o.haGon - s.orientationCorrectionGon + dHaMgon * 0.001),
          o.vaGon,
          o.sdMetres + dSdMm * 0.001,
          t.e,
          t.n,
          t.h,
          0};  // the frame exact: only the cycle's readings carry noise here
}

SolutionSettings Settings() {
  SolutionSettings s;
  s.precision = {0.15, 0.5, 0.5};
  return s;
}

// The provisional station as the program had it: 2 cm and 3 mgon off.
const StationEstimate kProvisional{2250.02, 5119.985, 438.16, 0.0};

struct SolveCase {
  std::vector<int> refs;  // indices into kRefs
  int disturbed;          // index into refs, -1 none
  double dSdMm, dHaMgon;  // the disturbance
  bool corrected;
  std::string excluded;  // name of the reference excluded, "" none
  std::string why;       // part of the reason when not corrected
  const char* comment;
};

TEST(SolveStation, UsesExcludesAndRefusesReferencesAsTheirObservationsAllow) {
  const SolveCase cases[] = {
      {{0, 1, 2, 3}, -1, 0, 0, true, "", "", "four references, exact: the truth"},
      {{0, 1}, -1, 0, 0, true, "", "", "two references still fix the station"},
      {{0, 1, 2, 3}, 2, 4.0, 0, true, "R3", "", "R3 moved 4 mm along the line of sight"},
      {{0, 1, 2, 3}, 0, 0, 1.0, true, "R1", "", "R1 moved 1 mgon (5 mm) across the line of sight"},
      {{0, 1, 2}, 1, 6.0, 0, true, "R2", "", "three references, one moved"},
      {{0, 1}, 1, 6.0, 0, false, "", "two references disagree", "two references cannot tell which moved"},
      {{0}, -1, 0, 0, false, "", "fewer than two", "one reference"},
      {{}, -1, 0, 0, false, "", "no reference", "none"},
  };
  for (const SolveCase& c : cases) {
    std::vector<ReferenceObservation> obs;
    for (std::size_t i = 0; i < c.refs.size(); ++i) {
      const bool hit = static_cast<int>(i) == c.disturbed;
      obs.push_back(Observe(kRefs[c.refs[i]], kTruth, hit ? c.dSdMm : 0.0, hit ? c.dHaMgon : 0.0));
    }
    const StationSolution s = SolveStation(obs, {}, kProvisional, Settings());
    ASSERT_EQ(s.corrected, c.corrected) << c.comment << ": " << s.uncorrectedWhy;
    ASSERT_EQ(s.references.size(), c.refs.size()) << c.comment;
    for (const ReferenceUse& u : s.references) {
      if (u.point == c.excluded) {
        EXPECT_FALSE(u.used) << c.comment;
        EXPECT_NE(u.why.find("moved"), std::string::npos) << c.comment << ": " << u.why;
      } else {
        EXPECT_EQ(u.used, c.corrected) << c.comment << ": " << u.point;
      }
    }
    if (!c.corrected) {
      EXPECT_NE(s.uncorrectedWhy.find(c.why), std::string::npos) << c.comment << ": " << s.uncorrectedWhy;
      continue;
    }
    const StationEstimate& got = s.adjustment.station;
    EXPECT_NEAR(got.eastingMetres, kTruth.eastingMetres, 2e-6) << c.comment;
    EXPECT_NEAR(got.northingMetres, kTruth.northingMetres, 2e-6) << c.comment;
    EXPECT_NEAR(got.levelMetres, kTruth.levelMetres, 2e-6) << c.comment;
    EXPECT_NEAR(got.orientationCorrectionGon, kTruth.orientationCorrectionGon, 1e-6) << c.comment;
    EXPECT_LT(s.adjustment.sigma0, 0.01) << c.comment;  // pi = 3.14159265 in the observations' texts
  }
}

TEST(SolveStation, ReferencesNearlyInLineWithTheStationAreRefusedWithTheReason) {
  // R1 and a second reference 3 gon beside it, and one straight behind the station
  const Target inLine[] = {
      {"R1", 2324.605, 5453.764, 452.31}, {"A", 2300.0, 5330.0, 450.0}, {"B", 2220.0, 5000.0, 440.0}};
  std::vector<ReferenceObservation> obs;
  for (const Target& t : inLine) obs.push_back(Observe(t, kTruth));
  EXPECT_LT(ReferenceSpreadGon(obs), 10.0);
  const StationSolution s =
      SolveStation(obs, {{"R9", false, "not measured in this cycle"}}, kProvisional, Settings());
  EXPECT_FALSE(s.corrected);
  EXPECT_NE(s.uncorrectedWhy.find("nearly in line"), std::string::npos) << s.uncorrectedWhy;
  ASSERT_EQ(s.references.size(), 4u);
  EXPECT_EQ(s.references.back().why, "not measured in this cycle");
}

TEST(AdjustStation, TwoReferencesGiveTheStationOfTheOrientationScreensResection) {
  // No noise: the least-squares station and the two-point sequential resection agree.
  orientation::ResectionState state;
  std::vector<ReferenceObservation> obs;
  for (int i : {0, 1}) {
    const ReferenceObservation o = Observe(kRefs[i], kTruth);
    obs.push_back(o);
    orientation::AddResectionObservation(state, o.point, {o.haGon, o.vaGon, o.sdMetres},
                                         {o.eastingMetres, o.northingMetres, o.levelMetres}, false);
  }
  const StationAdjustment adj = AdjustStation(obs, kProvisional, Settings().precision, 0.95);
  ASSERT_TRUE(adj.solved) << adj.failure;
  EXPECT_NEAR(adj.station.eastingMetres, state.res_e, 1e-5);
  EXPECT_NEAR(adj.station.northingMetres, state.res_n, 1e-5);
  EXPECT_NEAR(adj.station.levelMetres, state.res_rl, 1e-5);
  // the screens keep the circle reading of grid north: minus the correction
  EXPECT_NEAR(survey::NormaliseAngle(-adj.station.orientationCorrectionGon), state.res_orientation, 1e-6);
}

TEST(AdjustStation, RedundancyNumbersSumToTheRedundancyAndNoiseGivesSigmaZeroNearOne) {
  std::mt19937_64 rng(20261207);
  std::normal_distribution<double> gauss(0.0, 1.0);
  const Precision p = Settings().precision;
  double squareSum = 0.0;
  int redundancy = 0, failedGlobal = 0;
  constexpr int kCycles = 400;
  for (int cycle = 0; cycle < kCycles; ++cycle) {
    std::vector<ReferenceObservation> obs;
    for (const Target& t : kRefs) {
      ReferenceObservation o = Observe(t, kTruth);
      o.haGon += gauss(rng) * p.AngleSigmaGon(o.readings);
      o.vaGon += gauss(rng) * p.AngleSigmaGon(o.readings);
      o.sdMetres += gauss(rng) * p.DistanceSigmaMetres(o.sdMetres, o.readings);
      obs.push_back(o);
    }
    const StationAdjustment adj = AdjustStation(obs, kProvisional, p, 0.95);
    ASSERT_TRUE(adj.solved);
    double sumR = 0.0;
    for (const ReferenceResiduals& r : adj.residuals)
      for (const Residual& x : r.of) sumR += x.redundancy;
    ASSERT_NEAR(sumR, adj.redundancy, 1e-6) << "the redundancy numbers sum to n - u";
    squareSum += adj.weightedSquareSum;
    redundancy += adj.redundancy;
    failedGlobal += !adj.globalTestPassed;
  }
  EXPECT_NEAR(squareSum / redundancy, 1.0, 0.1) << "v'Pv / r estimates sigma0^2 = 1";
  EXPECT_NEAR(failedGlobal / static_cast<double>(kCycles), 0.05, 0.03)
      << "the test rejects 5 % of clean cycles";
}

}  // namespace
}  // namespace vigil::evaluation
