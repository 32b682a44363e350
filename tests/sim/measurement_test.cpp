// Turning, searching, angles and distance against the true site.
#include <gtest/gtest.h>

#include <cmath>

#include "SimFixture.h"

namespace vigil::sim::test {
namespace {

using Measuring = SimTest;

// Written from the program's published formula, independently of both implementations.
double ProgramPpm(double t, double p) {
  const double e = std::pow(10.0, 7.5 * t / (t + 237.3) + 0.7857);
  const double a = 1.0 + 0.0036608581051398447 * t;
  return 282.324 - 0.294362 * p / a + 0.024762 * e / a;
}

std::string TurnText(double haGon, double vaGon) {
  return platform::Format(
      "*DHA%07dVA%07d", {static_cast<int>(haGon * 10000.0 + 1e-7), static_cast<int>(vaGon * 10000.0 + 1e-7)});
}

TEST(ProgramPpmFormula, MatchesThePublishedValues) {
  EXPECT_NEAR(ProgramPpm(20.0, 1013.25), 4.95, 0.005);
  EXPECT_NEAR(ProgramPpm(0.0, 1013.25), -15.79, 0.005);
  EXPECT_NEAR(ProgramPpm(30.0, 1013.0), 14.59, 0.005);
}

TEST_F(Measuring, ATurnIsAcknowledgedAtOnceAndAnsweredOkWhenItArrives) {
  Boot(SmallSite());
  Connect();
  Send(TurnText(100.0, 100.0));  // 100 gon at 50 gon/s, then 200 ms settling
  Run(100);
  EXPECT_EQ(All(), "\x06") << "the ACK comes as the turn starts";
  Run(2000);
  EXPECT_EQ(All(), "\x06");
  Run(200);
  EXPECT_EQ(All(), "\x06#S*DHOK\r\n");
  EXPECT_NEAR(sim_->instrument().ReadHa(), 100.0, 1e-9);
}

struct DirectionCase {
  const char* prism;
  double circleZeroGon;
  bool face2;
  double haGon, vaGon;
  const char* comment;
};

TEST_F(Measuring, SearchThenAnglesGiveTheTrueDirectionInEitherFace) {
  const DirectionCase cases[] = {
      {"EAST", 37.5, false, 137.5, 100.0, "circle zero adds to the bearing"},
      {"EAST", 37.5, true, 337.5, 300.0, "face 2 reads Ha + 200 and 400 - Va"},
      {"NORTH", 390.0, false, 390.0, 50.0, "45 degrees up"},
      {"NORTH", 390.0, true, 190.0, 350.0, "wraps below 400"},
  };
  for (const DirectionCase& c : cases) {
    Scenario s = SmallSite();
    s.circleZeroGon = c.circleZeroGon;
    s.angleNoiseMgon = 0.3;
    s.seed = 99;
    Boot(s);
    Connect();
    // point 1.5 gon off the prism, then let the search centre it
    Send(TurnText(std::fmod(c.haGon + 1.5, 400.0), c.vaGon - (c.face2 ? -1.0 : 1.0)));
    Run(10000);
    Send("*SJ000000");
    Run(10000);
    got_.clear();
    Send("Ee");
    Run(1000);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 1u) << c.comment;
    const auto f = Fields(lines[0]);
    ASSERT_EQ(f.size(), 8u);
    EXPECT_EQ(lines[0].substr(0, 9), "#SEe 0,00");
    EXPECT_NEAR(Number(f[5]), c.haGon, 0.0015) << c.comment;  // 5 sigma
    EXPECT_NEAR(Number(f[4]), c.vaGon, 0.0015) << c.comment;
    EXPECT_NEAR(Number(f[6]), 0.0, 0.0025) << "tilt X";
    sim_->Stop();
    bus_->Unregister(kLinkTitle);
    got_.clear();
  }
}

struct DistanceCase {
  double temperatureC, pressureHpa, constantMm, noiseMm;
  const char* comment;
};

TEST_F(Measuring, RawDistanceCorrectedByTheProgramGivesTheTrueSlopeDistance) {
  const DistanceCase cases[] = {
      {20.0, 1013.25, -30.0, 0.0, "standard air, the common prism"},
      {0.0, 1013.25, 0.0, 0.0, "cold: a negative ppm"},
      {30.0, 1013.0, 17.5, 0.0, "a positive constant"},
      {35.0, 850.0, -34.4, 1.0, "mountain air with noise: within 5 sigma"},
  };
  for (const DistanceCase& c : cases) {
    Scenario s = SmallSite();
    s.temperatureC = c.temperatureC;
    s.pressureHpa = c.pressureHpa;
    s.prisms[0].constantMm = c.constantMm;
    s.distanceNoiseMm = c.noiseMm;
    Boot(s);
    Connect();
    Send(TurnText(100.0, 100.0));
    Run(5000);
    got_.clear();
    Send("*ST2");
    Run(3500);  // lines at 1.2 s, 2.2 s and 3.2 s
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 3u) << c.comment;
    for (const auto& line : lines) {
      const auto f = Fields(line);
      ASSERT_EQ(f.size(), 5u);
      EXPECT_EQ(f[0], "#S*ST2");
      EXPECT_NEAR(Number(f[2]), 100.0, 1e-9);
      EXPECT_NEAR(Number(f[3]), 100.0, 1e-9);
      const double corrected =
          Number(f[4]) * (1.0 + ProgramPpm(c.temperatureC, c.pressureHpa) * 1e-6) + c.constantMm * 0.001;
      EXPECT_NEAR(corrected, 100.0, 0.00006 + 5.0 * c.noiseMm * 0.001) << c.comment;
    }
    got_.clear();
    Send("*ST0");
    Run(5000);
    EXPECT_EQ(All(), "#S*ST\x06") << "stop is acknowledged and the series ends";
    sim_->Stop();
    bus_->Unregister(kLinkTitle);
    got_.clear();
  }
}

struct MotionCase {
  Movement movement;
  double days;
  double eastMm, northMm, levelMm;
  const char* comment;
};

TEST_F(Measuring, PrismsMoveAsTheScenarioSays) {
  const std::int64_t epoch = platform::MillisecondsFromCivil({2026, 12, 7, 8, 0, 0, 0, 1});
  Movement drift{Movement::Kind::kDrift, {0.5, -0.2, 0.0}, {}, 0, {}, 365.0};
  Movement step{Movement::Kind::kStep, {}, {0.0, 12.0, -3.0}, epoch + 3 * 86'400'000LL, {}, 365.0};
  Movement seasonal{Movement::Kind::kSeasonal, {}, {}, 0, {0.0, 0.0, 4.0}, 40.0};
  const MotionCase cases[] = {
      {drift, 10.0, 5.0, -2.0, 0.0, "0.5 mm/day for 10 days"},
      {step, 2.9, 0.0, 0.0, 0.0, "before the step"},
      {step, 3.0, 0.0, 12.0, -3.0, "at the step"},
      {seasonal, 10.0, 0.0, 0.0, 4.0, "a quarter period: the full amplitude"},
      {seasonal, 20.0, 0.0, 0.0, 0.0, "half a period: back"},
  };
  for (const MotionCase& c : cases) {
    Scenario s = SmallSite();
    s.prisms[0].movements = {c.movement};
    platform::VirtualTimeDriver driver(0, platform::LocalDateTime{2026, 12, 7, 8, 0, 0, 0, 1});
    VirtualSimClock clock(driver);
    Simulator sim(*bus_, clock, s);
    driver.Advance(static_cast<std::uint64_t>(c.days * 86'400'000.0));
    const auto p = sim.TruePosition("EAST");
    ASSERT_TRUE(p.has_value());
    EXPECT_NEAR((p->eastingMetres - 1100.0) * 1000.0, c.eastMm, 1e-6) << c.comment;
    EXPECT_NEAR((p->northingMetres - 2000.0) * 1000.0, c.northMm, 1e-6) << c.comment;
    EXPECT_NEAR((p->levelMetres - 100.0) * 1000.0, c.levelMm, 1e-6) << c.comment;
  }
  Boot(SmallSite());
  EXPECT_FALSE(sim_->TruePosition("NOBODY").has_value());
  // without an epoch the movements start with the simulator, not in 1970
  Scenario late = SmallSite();
  late.epochGiven = false;
  late.prisms[0].movements = {drift};
  Run(86'400'000);
  Simulator started(*bus_, clock_, late);
  EXPECT_NEAR((started.TruePosition("EAST")->eastingMetres - 1100.0) * 1000.0, 0.0, 1e-9);
}

TEST_F(Measuring, ThePillarSettlesAndTwistsAsTheScenarioSays) {
  const std::int64_t epoch = platform::MillisecondsFromCivil({2026, 12, 7, 8, 0, 0, 0, 1});
  struct TwistCase {
    Twist twist;
    double hoursAfterEpoch, expectMgon;
    const char* comment;
  };
  const TwistCase cases[] = {
      {{Twist::Kind::kDrift, 0.2, 0, 0, 0, 365, 0}, 240.0, 2.0, "0.2 mgon/day for 10 days"},
      {{Twist::Kind::kStep, 0, 3.0, epoch + 3'600'000, 0, 365, 0}, 0.5, 0.0, "before the step"},
      {{Twist::Kind::kStep, 0, 3.0, epoch + 3'600'000, 0, 365, 0}, 1.0, 3.0, "at the step"},
      {{Twist::Kind::kSeasonal, 0, 0, 0, 1.5, 4.0, 0}, 24.0, 1.5, "a quarter period"},
      {{Twist::Kind::kDaily, 0, 0, 0, 1.0, 365, 14 * 60}, 6.0, 1.0, "14:00, the daily maximum"},
      {{Twist::Kind::kDaily, 0, 0, 0, 1.0, 365, 14 * 60}, 24.0, 0.0, "08:00 next day, a quarter day off"},
      {{Twist::Kind::kDaily, 0, 0, 0, 1.0, 365, 14 * 60}, 18.0, -1.0, "02:00, the minimum"},
  };
  for (const TwistCase& c : cases) {
    Scenario s = SmallSite();
    s.twists = {c.twist};
    platform::VirtualTimeDriver driver(0, platform::LocalDateTime{2026, 12, 7, 8, 0, 0, 0, 1});
    VirtualSimClock clock(driver);
    Simulator sim(*bus_, clock, s);
    driver.Advance(static_cast<std::uint64_t>(c.hoursAfterEpoch * 3'600'000.0));
    EXPECT_NEAR(sim.TrueTwistGon() * 1000.0, c.expectMgon, 1e-9) << c.comment;
  }

  // A twist turns every circle reading; a settling pillar shortens the distance to a prism above.
  Scenario s = SmallSite();
  s.twists = {{Twist::Kind::kStep, 0, 5.0, epoch + 3'600'000, 0, 365, 0}};
  s.stationMovements = {{Movement::Kind::kStep, {}, {0.0, 0.0, -10.0}, epoch + 3'600'000, {}, 365.0}};
  Boot(s);
  Connect();
  auto angles = [this] {
    got_.clear();
    Send("Ee");
    Run(1000);
    const auto f = Fields(Lines().at(0));
    return std::pair{Number(f.at(5)), Number(f.at(4))};
  };
  Send(TurnText(0.0, 50.0));
  Run(5000);
  const auto before = angles();
  Run(3'600'000);
  Send("*SJ000000");
  Run(10000);
  const auto after = angles();
  EXPECT_NEAR((after.first - before.first) * 1000.0, 5.0, 1e-3) << "Ha turned by the twist";
  EXPECT_NEAR(sim_->TrueStation().levelMetres, 99.99, 1e-9);
  EXPECT_LT(after.second, before.second) << "the prism above is seen steeper from the settled axis";
}

TEST_F(Measuring, ADriftingPrismIsMeasuredFiveMillimetresFurtherAfterTenDays) {
  Scenario s = SmallSite();
  s.prisms[0].movements = {{Movement::Kind::kDrift, {0.5, 0.0, 0.0}, {}, 0, {}, 365.0}};
  Boot(s);
  Connect();
  auto measure = [this] {
    got_.clear();
    Send(TurnText(100.0, 100.0));
    Run(5000);
    got_.clear();
    Send("*ST2");
    Run(1500);
    Send("*ST0");
    Run(100);
    return Number(Fields(Lines().at(0)).at(4));
  };
  const double first = measure();
  Run(10ULL * 86'400'000ULL);
  const double later = measure();
  EXPECT_NEAR((later - first) * (1.0 + ProgramPpm(20.0, 1013.25) * 1e-6) * 1000.0, 5.0, 0.11);
}

TEST_F(Measuring, AHiddenPrismIsNotFoundBySearchNorMeasured) {
  Scenario s = SmallSite();
  s.prisms[0].hidden = {{true, 8 * 60, 9 * 60, 0, 0}};  // every day 08:00-09:00; the clock starts at 08:00
  Boot(s);
  Connect();
  Send(TurnText(101.0, 100.5));
  Run(5000);
  got_.clear();
  Send("*SJ000000");
  Run(5000);
  EXPECT_EQ(All(), "\x06#S*SJE572\r\n");
  got_.clear();
  Send(TurnText(100.0, 100.0));
  Run(5000);
  got_.clear();
  Send("*ST2");
  Run(1500);
  ASSERT_EQ(Lines().size(), 1u);
  EXPECT_EQ(Fields(Lines()[0]).at(4), "E200") << "no signal comes back";
  Send("*ST0");
  Run(3'600'000);  // 09:00 and later: visible again
  got_.clear();
  Send(TurnText(101.0, 100.5));
  Run(5000);
  got_.clear();
  Send("*SJ000000");
  Run(5000);
  EXPECT_EQ(All(), "\x06#S*SJOK\r\n");
  EXPECT_NEAR(sim_->instrument().ReadHa(), 100.0, 1e-9) << "centred on the prism";
}

TEST_F(Measuring, SearchWithNothingInItsFieldReportsTheNoPrismNumber) {
  Boot(SmallSite());
  Connect();
  Send(TurnText(250.0, 100.0));
  Run(8000);
  got_.clear();
  Send("*SJ000000");
  Run(5000);
  EXPECT_EQ(All(), "\x06#S*SJE572\r\n");
}

TEST_F(Measuring, HorizontalCircleIsSetByZeroAndByAValue) {
  Boot(SmallSite());
  Connect();
  Send(TurnText(100.0, 100.0));
  Run(5000);
  Send("Xh");
  Send("/Dc 250.0000", "\r\n\r\n");
  Run(100);
  EXPECT_NEAR(sim_->instrument().ReadHa(), 250.0, 1e-9);
  Send("Xh");
  Run(100);
  EXPECT_NEAR(sim_->instrument().ReadHa(), 0.0, 1e-9);
  EXPECT_NEAR(sim_->instrument().circleZeroGon(), 300.0, 1e-9) << "east now reads 0";
  EXPECT_EQ(All().substr(All().size() - 6), "#SXh \x06");
}

}  // namespace
}  // namespace vigil::sim::test
