// From a cycle file's text to corrected displacements: units from the header, faces folded and
// averaged, the evaluation settings file, velocity, and a whole cycle measured from a pillar
// that moved and twisted since training.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "SyntheticSite.h"
#include "evaluation/CycleEvaluation.h"
#include "evaluation/EvaluationSettings.h"
#include "evaluation/Velocity.h"
#include "monitoring/CycleFileText.h"
#include "platform/Format.h"
#include "survey/Coordinates.h"

namespace vigil::evaluation {
namespace {

using test::CycleText;
using test::kGonHeader;
using test::Trained;

TEST(ReadCycleReadings, ReadsAnglesAndDistancesInTheUnitsItsHeaderNames) {
  const std::string degreesFeet =
      "Epoch\tCycle\tRound\tDate\tTime\tPoint\tFace\tHa\tVa\tSD(ft)\tPressure (hPa)\tTemp (°C)\tPPM\t"
      "Easting (ft)\tNorthing (ft)\tRL (ft)\tTilt-X\tTilt-Y\r\n"
      "4\t2\t1\t07-12-2026\t13:00:05\tP1\t1\t111.06397\t90.00000\t328.0840\t968.0\t8.0\t-2.1\t"
      "328.0840\t0.0000\t0.0000\t0.0\t0.0\r\n";
  const std::string gon =
      std::string(kGonHeader) +
      "4\t1\t1\t07-12-2026\t08:00:01\tA\t2\t300.00000\t300.00000\t100.0000\t968.0\t8.0\t-2.1\t"
      "900.0000\t1000.0000\t100.0000\t0.0\t0.0\r\n"
      "4\t1\t1\t07-12-2026\t08:00:09\tB\t1\t10.00000\t100.00000\t50.0000\t\t\t\t\t\t\t\t\r\n"
      "4\t1\t1\t32-12-2026\t08:00:09\tB\t1\t10.00000\t100.00000\t50.0000\t\t\t\t\t\t\t\t\r\n"
      "garbage\r\n";
  CycleReadings r;
  std::string error;
  ASSERT_TRUE(ReadCycleReadings(degreesFeet, {}, r, error)) << error;
  ASSERT_EQ(r.readings.size(), 1u);
  EXPECT_NEAR(r.readings[0].haGon, 123.4567, 1e-5) << "packed DDD.MMSSs";
  EXPECT_NEAR(r.readings[0].sdMetres, 100.0, 1e-4) << "international feet";
  EXPECT_EQ(r.readings[0].cycleNumber, 2);

  ASSERT_TRUE(ReadCycleReadings(gon, {}, r, error)) << error;
  ASSERT_EQ(r.readings.size(), 2u);
  EXPECT_EQ(r.skippedLines, 2) << "a day 32 and a line of one field";
  EXPECT_TRUE(r.readings[0].measured);
  EXPECT_EQ(r.readings[0].face, 2);
  EXPECT_FALSE(r.readings[1].measured) << "a failed reading keeps its expected angles only";
  EXPECT_EQ(r.readings[1].localMs - r.readings[0].localMs, 8000);

  EXPECT_FALSE(ReadCycleReadings("4\t1\t1\t07-12-2026\t08:00:01\tA\t1\t1\t1\t1\r\n", {}, r, error));
  EXPECT_FALSE(error.empty());
}

TEST(MeanObservations, FoldsFaceTwoAveragesAcrossZeroAndMeasuresTheScatter) {
  auto reading = [](int face, double ha, double va, double sd, bool measured = true) {
    CycleReading r;
    r.point = "P";
    r.face = face;
    r.haGon = ha;
    r.vaGon = va;
    r.sdMetres = sd;
    r.measured = measured;
    return r;
  };
  const std::vector<CycleReading> rs = {
      reading(1, 399.9998, 99.9990, 100.0010), reading(2, 200.0004, 300.0006, 99.9990),
      reading(1, 0.0000, 99.9992, 100.0000), reading(1, 5.0, 5.0, 5.0, false)};
  const std::vector<PointObservation> obs = MeanObservations(rs);
  ASSERT_EQ(obs.size(), 1u);
  const PointObservation& o = obs[0];
  EXPECT_EQ(o.readings, 3);
  EXPECT_EQ(o.face2, 1);
  EXPECT_EQ(o.failed, 1);
  EXPECT_NEAR(o.haGon, 0.0000667, 1e-6) << "mean of 399.9998, 0.0004 and 0 lies just past zero";
  EXPECT_NEAR(o.vaGon, 99.9992, 1e-9) << "face 2 Va 300.0006 reads 99.9994 in face 1";
  EXPECT_NEAR(o.sdMetres, 100.0, 1e-9);
  EXPECT_NEAR(o.haScatterMgon, 0.333, 0.001);
  EXPECT_NEAR(o.sdScatterMm, 1.0, 1e-6);
}

TEST(EvaluationSettings, FileValuesOverTheDefaultsAndEveryBadLineNamed) {
  struct Case {
    const char* text;
    bool ok;
    const char* errorPart;
  };
  const Case cases[] = {
      {"# precision of the instrument\nangle_sigma_mgon = 0.15\r\ndistance_sigma_mm=0.5\n\nbaseline_cycle = "
       "S_P_07-Dec-2026_Cycle_1.vgl\n",
       true, ""},
      {"confidence = 1.5\n", false, "line 1: confidence must be a number from 0.5 to 0.999999"},
      {"angle_sigma_mgon = 0,15\n", false, "angle_sigma_mgon"},
      {"\n\nangle = 1\n", false, "line 3: unknown key \"angle\""},
      {"velocity_window_days\n", false, "expected key = value"},
      {"baseline_cycle = ../x.vgl\n", false, "baseline_cycle"},
  };
  for (const Case& c : cases) {
    EvaluationSettings s;
    s.confidence = 0.9;
    std::string error;
    ASSERT_EQ(ParseEvaluationSettings(c.text, s, error), c.ok) << c.text;
    if (!c.ok) {
      EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
      EXPECT_DOUBLE_EQ(s.confidence, 0.9) << "a bad file changes nothing";
      continue;
    }
    EXPECT_DOUBLE_EQ(s.angleSigmaMgon, 0.15);
    EXPECT_DOUBLE_EQ(s.distanceSigmaMm, 0.5);
    EXPECT_DOUBLE_EQ(s.distanceSigmaPpm, 1.0);
    EXPECT_EQ(s.baselineCycle, "S_P_07-Dec-2026_Cycle_1.vgl");
  }
}

TEST(VelocityOver, FitsTheSlopeOfTheWindowOnly) {
  constexpr std::int64_t kDay = 86'400'000;
  std::vector<DisplacementSample> samples;
  for (int d = 0; d <= 10; ++d) samples.push_back({d * kDay, d < 5 ? 0.0 : 0.5 * (d - 5), -0.25 * d, 1.0});
  const auto v = VelocityOver(samples, 5.0);
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ(v->samples, 6);
  EXPECT_NEAR(v->eastMmPerDay, 0.5, 1e-9) << "the still days before the window do not count";
  EXPECT_NEAR(v->northMmPerDay, -0.25, 1e-9);
  EXPECT_NEAR(v->levelMmPerDay, 0.0, 1e-9);
  EXPECT_FALSE(VelocityOver({samples[0]}, 5.0).has_value());
  EXPECT_FALSE(VelocityOver({samples[0], {60'000, 1.0, 1.0, 1.0}}, 5.0).has_value()) << "a minute apart";
}

TEST(EvaluateCycle, CorrectedDisplacementsAreTheTrueOnesWhenThePillarMovedAndTwisted) {
  const survey::StationPosition asSet{2250.0, 5120.0, 438.15};
  const survey::StationPosition truth{2250.004, 5119.997, 438.148};  // settled 2 mm, moved 5 mm
  CycleReadings readings;
  std::string error;
  ASSERT_TRUE(ReadCycleReadings(CycleText(asSet, truth, 2.0), {}, readings, error)) << error;
  EvaluationSettings settings;
  settings.angleSigmaMgon = 0.15;
  settings.distanceSigmaMm = 0.5;
  settings.distanceSigmaPpm = 0.5;
  const CycleEvaluation ev = EvaluateCycle(readings, Trained(asSet), settings);

  ASSERT_TRUE(ev.station.corrected) << ev.station.uncorrectedWhy;
  EXPECT_EQ(ev.cycleNumber, 3);
  EXPECT_EQ(ev.failedLines, 6);
  EXPECT_NEAR(ev.station.adjustment.station.orientationCorrectionGon * 1000.0, 2.0, 0.01);
  EXPECT_NEAR(ev.station.adjustment.station.levelMetres, truth.levelMetres, 1e-4);
  struct Expect {
    const char* name;
    double e, n, h;
    bool significant;
  };
  // Text rounding (0.01 mgon, 0.1 mm) is all that separates them from the truth.
  const Expect expected[] = {{"M1", 3.0, -2.0, 1.0, true}, {"M2", 0, 0, 0, false}, {"M3", 0, 5.0, 0, true}};
  for (const Expect& x : expected) {
    const auto p = std::find_if(ev.points.begin(), ev.points.end(),
                                [&](const PointResult& r) { return r.point == x.name; });
    ASSERT_NE(p, ev.points.end());
    ASSERT_TRUE(p->hasDisplacement) << x.name;
    EXPECT_NEAR(p->displacement.eastMm, x.e, 0.1) << x.name;
    EXPECT_NEAR(p->displacement.northMm, x.n, 0.1) << x.name;
    EXPECT_NEAR(p->displacement.levelMm, x.h, 0.1) << x.name;
    EXPECT_EQ(p->displacement.significant, x.significant) << x.name;
    EXPECT_GT(p->displacement.sigmaEastMm, 0.1) << x.name;
    EXPECT_LT(p->displacement.sigmaEastMm, 2.0) << x.name;
    // the raw difference carries the pillar's twist: 2 mgon at 150 m is 4.7 mm
    EXPECT_GT(std::hypot(p->rawEastMm - x.e, p->rawNorthMm - x.n), 2.0) << x.name;
  }
  const auto failed =
      std::find_if(ev.points.begin(), ev.points.end(), [](const PointResult& r) { return r.point == "M4"; });
  ASSERT_NE(failed, ev.points.end());
  EXPECT_FALSE(failed->positioned);
  EXPECT_EQ(failed->observation.failed, 6);
}

TEST(EvaluateCycle, WithoutTwoReferencesTheCycleIsNotCorrectedAndSaysSo) {
  const survey::StationPosition asSet{2250.0, 5120.0, 438.15};
  std::vector<TrainedPoint> trained = Trained(asSet);
  for (TrainedPoint& t : trained) {
    if (t.name != "R1") t.prismType = t.prismType == 0 ? 1 : t.prismType;  // only R1 stays a reference
  }
  CycleReadings readings;
  std::string error;
  ASSERT_TRUE(ReadCycleReadings(CycleText(asSet, asSet, 0.0), {}, readings, error));
  const CycleEvaluation ev = EvaluateCycle(readings, trained, {});
  EXPECT_FALSE(ev.station.corrected);
  EXPECT_EQ(ev.station.uncorrectedWhy, "fewer than two usable references");
  const auto m1 =
      std::find_if(ev.points.begin(), ev.points.end(), [](const PointResult& r) { return r.point == "M1"; });
  EXPECT_NEAR(m1->displacement.northMm, -2.0, 0.1) << "positions from the station as set";
}

}  // namespace
}  // namespace vigil::evaluation
