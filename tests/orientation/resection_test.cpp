// The two-point resection, the line bearing and the reorientation correction.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "orientation/Resection.h"
#include "survey/Coordinates.h"

namespace vigil::orientation {
namespace {

using survey::Observation;
using survey::StationPosition;

/// Angular distance (gon) the short way round.
double AngleApart(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 400.0);
  return std::min(d, 400.0 - d);
}

/// What an ideal instrument at `station`, whose circle reads `orientationGon` at grid north,
/// observes of `target`.
Observation Observe(const StationPosition& station, double orientationGon, const ResectionTarget& target) {
  Observation o =
      survey::ComputeHaVaSd(station, target.eastingMetres, target.northingMetres, target.rlMetres);
  o.haGon = survey::NormaliseAngle(o.haGon + orientationGon);
  return o;
}

struct Solved {
  ResectionState state;
  std::vector<ResectionOutcome> outcomes;
};

Solved Solve(const std::vector<std::pair<Observation, ResectionTarget>>& observations) {
  Solved s;
  for (const auto& [o, t] : observations)
    s.outcomes.push_back(AddResectionObservation(s.state, "P", o, t, false));
  return s;
}

// ---- LineBearing ------------------------------------------------------------------------

struct BearingCase {
  double dE;
  double dN;
  bool found;
  double bearingGon;
  const char* comment;
};

TEST(LineBearing, GivesTheBearingFromThePreviousPointToTheCurrentOne) {
  constexpr double kTolGon = 1e-7;  // atan(1) with pi = 3.14159265 is 50.00000006 gon
  const BearingCase cases[] = {
      {-10.0, 0.0, true, 100.0, "current due east of previous"},
      {0.0, -10.0, true, 0.0, "due north"},
      {0.0, 10.0, true, 200.0, "due south"},
      {10.0, 0.0, true, 300.0, "due west"},
      {-10.0, -10.0, true, 50.0, "north-east"},
      {10.0, -10.0, true, 350.0, "north-west"},
      {-10.0, 10.0, true, 150.0, "south-east"},
      {10.0, 10.0, true, 250.0, "south-west"},
      {-0.01, 0.0, true, 100.0, "exactly 0.01 m is no longer too close"},
      {0.0, 0.5, true, 200.0, "dE exactly 0 with dN above the limit: no division"},
      {0.009, -0.009, false, 0.0, "both under 0.01 m"},
      {0.0, 0.0, false, 0.0, "the same point"},
      {-0.005, 0.005, false, 0.0, "0.005 m apart in both axes"},
  };
  for (const BearingCase& c : cases) {
    const std::optional<double> b = LineBearing(c.dE, c.dN);
    ASSERT_EQ(b.has_value(), c.found) << c.comment;
    if (c.found) {
      EXPECT_NEAR(*b, c.bearingGon, kTolGon) << c.comment;
    }
  }
}

// ---- ComputeResection ---------------------------------------------------------------------

TEST(ComputeResection, TheFirstObservationIsKeptWithoutAResult) {
  ResectionState s;
  const ResectionOutcome outcome =
      AddResectionObservation(s, "A", {100.0, 95.0, 100.0}, {1100.0, 2000.0, 57.8}, false);
  EXPECT_EQ(outcome, ResectionOutcome::kCaptured);
  EXPECT_EQ(s.resection_count, 1);
  EXPECT_FALSE(s.HasResult());
  ASSERT_EQ(s.resection_points.size(), 1u);
  EXPECT_EQ(s.resection_points[0].name, "A");
  EXPECT_DOUBLE_EQ(s.prev_e, 1100.0);
  EXPECT_DOUBLE_EQ(s.prev_n, 2000.0);
  EXPECT_DOUBLE_EQ(s.prev_rl, 57.8);
  EXPECT_DOUBLE_EQ(s.prev_back, 300.0);
  EXPECT_DOUBLE_EQ(s.prev_zb, 105.0);
  EXPECT_DOUBLE_EQ(s.prev_sd, 100.0);
  EXPECT_NEAR(s.prev_x, 30000.0 + 100.0 * std::sin(95.0 * survey::kGonToRadians), 1e-9);
  EXPECT_NEAR(s.prev_y, 30000.0, 1e-5);
  EXPECT_DOUBLE_EQ(s.res_e, 0.0) << "no result yet";
}

TEST(ComputeResection, TheStationOfTheWorkedExampleIsFound) {
  struct Case {
    double haA;
    double haB;
    double orientationGon;
    const char* comment;
  };
  const Case cases[] = {
      {100.0, 0.0, 0.0, "Ha is the grid bearing"},
      {150.0, 50.0, 50.0, "the circle turned by 50 gon"},
  };
  constexpr double kTolMetres = 1e-6;  // cos(100 gon) is 1.8e-9 with pi = 3.14159265
  constexpr double kTolGon = 1e-7;
  for (const Case& c : cases) {
    const Solved s = Solve(
        {{{c.haA, 100.0, 100.0}, {1100.0, 2000.0, 50.0}}, {{c.haB, 100.0, 100.0}, {1000.0, 2100.0, 50.0}}});
    EXPECT_EQ(s.outcomes.back(), ResectionOutcome::kComputed) << c.comment;
    EXPECT_NEAR(s.state.res_e, 1000.0, kTolMetres) << c.comment;
    EXPECT_NEAR(s.state.res_n, 2000.0, kTolMetres) << c.comment;
    EXPECT_NEAR(s.state.res_rl, 50.0, kTolMetres) << c.comment;
    EXPECT_LT(AngleApart(s.state.res_orientation, c.orientationGon), kTolGon) << c.comment;
    EXPECT_LT(AngleApart(s.state.res_rotation, 400.0 - c.orientationGon), kTolGon) << c.comment;
  }
}

TEST(ComputeResection, RecoversAnyStationAndOrientationFromTwoIdealObservations) {
  struct Case {
    StationPosition station;
    double orientationGon;
    ResectionTarget a;
    ResectionTarget b;
    const char* comment;
  };
  const Case cases[] = {
      {{1000.0, 2000.0, 101.5},
       123.4567,
       {1100.0, 2050.0, 102.0},
       {950.0, 2120.0, 98.0},
       "targets up and down"},
      {{30000.0, 30000.0, 100.0},
       399.99,
       {30000.0, 30200.0, 110.0},
       {29990.0, 29800.0, 90.0},
       "circle near 400"},
      {{500.0, 500.0, 10.0},
       0.001,
       {510.0, 600.0, 10.0},
       {490.0, 600.0, 10.0},
       "targets either side of north"},
      {{-250.0, 80.0, 0.0},
       250.0,
       {-250.0, 80.5, 2.0},
       {-249.0, 80.0, -1.0},
       "short sights, negative easting"},
      {{1000.0, 2000.0, 50.0},
       200.0,
       {1300.0, 2000.0, 50.0},
       {700.0, 2000.1, 50.0},
       "targets nearly opposite"},
  };
  constexpr double kTolMetres = 1e-6;
  constexpr double kTolGon = 1e-6;
  for (const Case& c : cases) {
    const Solved s = Solve(
        {{Observe(c.station, c.orientationGon, c.a), c.a}, {Observe(c.station, c.orientationGon, c.b), c.b}});
    ASSERT_EQ(s.outcomes.back(), ResectionOutcome::kComputed) << c.comment;
    EXPECT_NEAR(s.state.res_e, c.station.eastingMetres, kTolMetres) << c.comment;
    EXPECT_NEAR(s.state.res_n, c.station.northingMetres, kTolMetres) << c.comment;
    EXPECT_NEAR(s.state.res_rl, c.station.levelMetres, kTolMetres) << c.comment;
    EXPECT_LT(AngleApart(s.state.res_orientation, c.orientationGon), kTolGon) << c.comment;
  }
}

TEST(ComputeResection, ASecondTargetTooCloseIsDroppedWithoutTouchingTheFirst) {
  struct Case {
    ResectionTarget second;
    Observation secondReading;
    const char* comment;
  };
  const ResectionTarget first{1100.0, 2000.0, 50.0};
  const Observation firstReading{100.0, 100.0, 100.0};
  const Case cases[] = {
      {{1100.005, 2000.005, 50.0}, {0.0, 100.0, 100.0}, "0.005 m from the first on the grid"},
      {{1000.0, 2100.0, 50.0}, {100.0, 100.0, 100.005}, "the same direction and distance: too close locally"},
  };
  for (const Case& c : cases) {
    ResectionState s;
    AddResectionObservation(s, "A", firstReading, first, false);
    const ResectionState before = s;
    EXPECT_EQ(AddResectionObservation(s, "B", c.secondReading, c.second, false), ResectionOutcome::kTooClose)
        << c.comment;
    EXPECT_EQ(s.resection_count, 1) << c.comment;
    EXPECT_EQ(s.resection_points.size(), 1u) << c.comment;
    EXPECT_FALSE(s.HasResult()) << c.comment;
    EXPECT_DOUBLE_EQ(s.prev_e, before.prev_e) << c.comment;
    EXPECT_DOUBLE_EQ(s.prev_x, before.prev_x) << c.comment;
    EXPECT_DOUBLE_EQ(s.prev_sd, before.prev_sd) << c.comment;
    EXPECT_DOUBLE_EQ(s.res_e, 0.0) << c.comment;
  }
}

TEST(ComputeResection, WithThreeObservationsTheResultDependsOnTheLastTwoOnly) {
  const StationPosition station{1000.0, 2000.0, 100.0};
  const ResectionTarget a{1100.0, 2000.0, 100.0};
  const ResectionTarget b{1000.0, 2100.0, 101.0};
  const ResectionTarget c{900.0, 1950.0, 99.0};
  Observation badA = Observe(station, 30.0, a);
  badA.haGon += 1.0;  // A observed wrongly: a solution that used it would be off
  badA.sdMetres += 0.5;
  const Solved three = Solve({{badA, a}, {Observe(station, 30.0, b), b}, {Observe(station, 30.0, c), c}});
  const Solved two = Solve({{Observe(station, 30.0, b), b}, {Observe(station, 30.0, c), c}});
  EXPECT_EQ(three.state.resection_count, 3);
  EXPECT_NEAR(three.state.res_e, two.state.res_e, 1e-9);
  EXPECT_NEAR(three.state.res_n, two.state.res_n, 1e-9);
  EXPECT_NEAR(three.state.res_rl, two.state.res_rl, 1e-9);
  EXPECT_NEAR(three.state.res_orientation, two.state.res_orientation, 1e-9);
  EXPECT_NEAR(three.state.res_e, 1000.0, 1e-6);
}

// ---- Recomputation after a removal -----------------------------------------------------

class Recompute : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& [name, target, error] : {std::tuple{"A", a_, 0.0}, {"B", b_, 0.3}, {"C", c_, 0.0}}) {
      Observation o = Observe(station_, 70.0, target);
      o.sdMetres += error;  // B is a poor observation: every result with it differs
      AddResectionObservation(state_, name, o, target, false);
    }
  }
  ResectionState Of(std::initializer_list<const char*> names) {
    ResectionState s;
    for (const char* name : names) {
      for (const ResectionPoint& p : state_.resection_points) {
        if (p.name == name)
          AddResectionObservation(s, p.name, {p.ha, p.va, p.sd}, {p.e, p.n, p.rl}, p.manual);
      }
    }
    return s;
  }
  void Erase(const char* name) {
    std::erase_if(state_.resection_points, [&](const ResectionPoint& p) { return p.name == name; });
  }

  const StationPosition station_{1000.0, 2000.0, 100.0};
  const ResectionTarget a_{1100.0, 2000.0, 100.0};
  const ResectionTarget b_{1000.0, 2100.0, 101.0};
  const ResectionTarget c_{900.0, 1950.0, 99.0};
  ResectionState state_;
};

TEST_F(Recompute, RemovingTheLastPointGivesTheResultOfTheFirstTwo) {
  Erase("C");
  EXPECT_EQ(RecomputeResection(state_), 0);
  const ResectionState expected = Of({"A", "B"});
  EXPECT_EQ(state_.resection_count, 2);
  EXPECT_NEAR(state_.res_e, expected.res_e, 1e-9);
  EXPECT_NEAR(state_.res_n, expected.res_n, 1e-9);
  EXPECT_NEAR(state_.res_rl, expected.res_rl, 1e-9);
  EXPECT_NEAR(state_.res_orientation, expected.res_orientation, 1e-9);
}

TEST_F(Recompute, RemovingTheMiddlePointGivesTheResultOfTheOuterTwo) {
  Erase("B");
  RecomputeResection(state_);
  EXPECT_EQ(state_.resection_count, 2);
  EXPECT_NEAR(state_.res_e, 1000.0, 1e-6) << "A and C are ideal";
  EXPECT_NEAR(state_.res_n, 2000.0, 1e-6);
  EXPECT_NEAR(state_.res_orientation, 70.0, 1e-6);
}

TEST_F(Recompute, PointsThatAreNotUsableAreSkippedButKept) {
  RecomputeResection(state_, [](const ResectionPoint& p) { return p.name != "B"; });
  EXPECT_EQ(state_.resection_count, 2);
  EXPECT_EQ(state_.resection_points.size(), 3u);
  EXPECT_NEAR(state_.res_e, 1000.0, 1e-6);
}

TEST_F(Recompute, OnePointLeftClearsTheResult) {
  Erase("B");
  Erase("C");
  RecomputeResection(state_);
  EXPECT_EQ(state_.resection_count, 1);
  EXPECT_FALSE(state_.HasResult());
  EXPECT_DOUBLE_EQ(state_.res_e, 0.0);
  EXPECT_DOUBLE_EQ(state_.res_orientation, 0.0);
}

TEST_F(Recompute, TwoRemainingPointsTooCloseLeaveALowerCount) {
  state_.resection_points[2].e = a_.eastingMetres + 0.004;
  state_.resection_points[2].n = a_.northingMetres - 0.004;
  Erase("B");
  EXPECT_EQ(RecomputeResection(state_), 1);
  EXPECT_EQ(state_.resection_count, 1);
  EXPECT_FALSE(state_.HasResult());
}

TEST(ResetResection, ClearsResultCountAndPointsButNotThePreviousObservation) {
  ResectionState s;
  AddResectionObservation(s, "A", {100.0, 100.0, 100.0}, {1100.0, 2000.0, 50.0}, false);
  AddResectionObservation(s, "B", {0.0, 100.0, 100.0}, {1000.0, 2100.0, 50.0}, true);
  ASSERT_TRUE(s.HasResult());
  ResetResection(s);
  EXPECT_EQ(s.resection_count, 0);
  EXPECT_TRUE(s.resection_points.empty());
  EXPECT_DOUBLE_EQ(s.res_e, 0.0);
  EXPECT_DOUBLE_EQ(s.res_n, 0.0);
  EXPECT_DOUBLE_EQ(s.res_rl, 0.0);
  EXPECT_DOUBLE_EQ(s.res_orientation, 0.0);
  EXPECT_DOUBLE_EQ(s.res_rotation, 0.0);
  EXPECT_DOUBLE_EQ(s.prev_n, 2100.0);
}

// ---- Reorientation ----------------------------------------------------------------------

TEST(ReorientationCorrection, IsTheNormalisedDifferenceOfReadingAndTrainedHa) {
  struct Case {
    double readingHa;
    double trainedHa;
    double expected;
    const char* comment;
  };
  const Case cases[] = {
      {10.0, 399.99, 10.01, "trained just west of north, read just east"},
      {0.5, 1.0, 399.5, "a negative difference comes round"},
      {100.0, 100.0, 0.0, "no change"},
      {250.0, 50.0, 200.0, "half a turn"},
      {399.9, 0.1, 399.8, ""},
      {0.02, 0.0, 0.02, "the circle moved by 0.02 gon"},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(ReorientationCorrection(c.readingHa, c.trainedHa), c.expected, 1e-9) << c.comment;
}

}  // namespace
}  // namespace vigil::orientation
