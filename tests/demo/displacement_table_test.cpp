// The comparison of reported with simulated displacement and its tolerance.
#include <gtest/gtest.h>

#include <cmath>

#include "demo/DisplacementTable.h"
#include "platform/Clock.h"
#include "platform/Format.h"

namespace vigil::demo {
namespace {

sim::Scenario Site(double angleMgon, double distanceMm, double ppm) {
  sim::Scenario s;
  s.station = {1000.0, 2000.0, 100.0};
  s.angleNoiseMgon = angleMgon;
  s.distanceNoiseMm = distanceMm;
  s.distanceNoisePpm = ppm;
  s.epochMs = platform::MillisecondsFromCivil({2026, 12, 7, 7, 0, 0});
  return s;
}

TEST(ToleranceMm, FollowsTheNoise) {
  struct Case {
    double angleMgon, distanceMm, ppm, distanceMetres, referenceMetres, expectedMm, toleranceMm;
    const char* comment;
  };
  // One reading's error s(D) = hypot(D * angle (rad), mm + ppm * D).
  const double sAngle = 200.0 * 0.1e-3 * 3.14159265 / 200.0 * 1000.0;  // 0.1 mgon at 200 m
  const Case cases[] = {
      {0.0, 0.0, 0.0, 200.0, 300.0, 0.0, 1e-12, "no noise, no tolerance"},
      {0.0, 1.0, 0.0, 200.0, 200.0, 3.0 * std::sqrt(2.0 + 1.0 + 2.0), 1e-9,
       "distance noise alone, prism as far as the references"},
      {0.1, 0.0, 0.0, 200.0, 0.0, 3.0 * std::sqrt(2.0) * sAngle, 1e-9,
       "without references only the two readings count"},
      {0.0, 0.0, 1.0, 1000.0, 1000.0, 3.0 * std::sqrt(5.0), 1e-9, "1 ppm at 1 km is 1 mm"},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(ToleranceMm(Site(c.angleMgon, c.distanceMm, c.ppm), c.distanceMetres, c.referenceMetres),
                c.expectedMm, c.toleranceMm)
        << c.comment;
  }
}

training::TrainingPoint Trained(const char* name, const char* e, const char* n, const char* rl) {
  training::TrainingPoint p;
  p.name = name;
  p.easting = e;
  p.northing = n;
  p.rl = rl;
  return p;
}

TEST(CompareDisplacements, ReportedAgainstSimulated) {
  sim::Scenario site = Site(0.3, 1.0, 1.0);
  sim::Prism moving{"M", sim::PrismType::kMonitoring, -30.0, {1100.0, 2000.0, 100.0}, {}, {}};
  moving.movements.push_back({sim::Movement::Kind::kDrift, {0.0, 2.0, -1.0}, {}, 0, {}, 365.0});
  site.prisms.push_back(moving);
  site.prisms.push_back({"R", sim::PrismType::kReference, -30.0, {1000.0, 2200.0, 100.0}, {}, {}});
  const std::int64_t trainedAt = site.epochMs;
  const std::int64_t dayLater = trainedAt + 86400000;

  struct Case {
    const char* e;
    const char* n;
    const char* rl;
    bool reading;
    int outside;
    double dnErrorMm;
    const char* comment;
  };
  const Case cases[] = {
      {"1100.0000", "2000.0020", "99.9990", true, 0, 0.0, "exactly what the simulator moved"},
      {"1100.0000", "2000.0000", "100.0000", true, 0, -2.0, "2 mm missed: still inside the noise"},
      {"1100.0000", "2000.0120", "99.9990", true, 1, 10.0, "10 mm too far north: outside"},
      {"1100.0000", "2000.0020", "99.9990", false, 1, 0.0, "no good reading is never a pass"},
  };
  for (const Case& c : cases) {
    CycleFileSummary cycles;
    if (c.reading) {
      GoodReading g;
      g.eastingMetres = platform::ParseDoubleOr(c.e, 0.0);
      g.northingMetres = platform::ParseDoubleOr(c.n, 0.0);
      g.rlMetres = platform::ParseDoubleOr(c.rl, 0.0);
      g.localMs = dayLater;
      cycles.lastGood["XYZ001"] = g;
      cycles.lastGood["REF002"] = {1000.0, 2200.0, 100.0, dayLater, "f"};
    }
    const DisplacementTable t = CompareDisplacements(site,
                                                     {Trained("XYZ001", "1100.0000", "2000.0000", "100.0000"),
                                                      Trained("REF002", "1000.0", "2200.0", "100.0")},
                                                     trainedAt, cycles);
    ASSERT_EQ(t.rows.size(), 2u) << c.comment;
    EXPECT_EQ(t.rows[0].simPrism, "M") << c.comment;
    EXPECT_EQ(t.rows[1].simPrism, "R") << c.comment;
    EXPECT_EQ(t.outside, c.reading ? c.outside : 2) << c.comment;
    if (!c.reading) continue;
    EXPECT_NEAR(t.rows[0].simulated.nMm, 2.0, 1e-6) << c.comment;
    EXPECT_NEAR(t.rows[0].simulated.rlMm, -1.0, 1e-6) << c.comment;
    EXPECT_NEAR(t.rows[0].error.nMm, c.dnErrorMm, 1e-6) << c.comment;
    EXPECT_NEAR(t.largestError.nMm, std::fabs(c.dnErrorMm), 1e-6) << c.comment;
  }
}

TEST(CompareDisplacements, APointTrainedOnNoPrismIsOutside) {
  sim::Scenario site = Site(0.3, 1.0, 1.0);
  site.prisms.push_back({"M", sim::PrismType::kMonitoring, -30.0, {1100.0, 2000.0, 100.0}, {}, {}});
  CycleFileSummary cycles;
  cycles.lastGood["X"] = {1100.0, 2001.0, 100.0, site.epochMs, "f"};
  const DisplacementTable t =
      CompareDisplacements(site, {Trained("X", "1100.0", "2001.0", "100.0")}, site.epochMs, cycles);
  ASSERT_EQ(t.rows.size(), 1u);
  EXPECT_TRUE(t.rows[0].simPrism.empty()) << "1 m from the prism: trained on something else";
  EXPECT_EQ(t.outside, 1);
  EXPECT_NE(FormatTable(t).find("OUTSIDE"), std::string::npos);
}

}  // namespace
}  // namespace vigil::demo
