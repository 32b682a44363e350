// The texts of Verify and the C&I check in both unit systems, and the simulated instrument's
// collimation and index errors.
#include <gtest/gtest.h>

#include "sim/Instrument.h"
#include "survey/Units.h"
#include "training/TrainingReports.h"

namespace vigil::training {
namespace {

std::string Default(const TextKey& t) {
  return std::string(t.defaultText);
}

TEST(TrainingReports, CiInDegreesWhateverTheAngleUnit) {
  store::ProjectStationSettings gon;
  store::ProjectStationSettings dms;
  dms.angle_units = 1;
  // F1 Ha 10, F2 Ha 210.002: C = -0.001 gon
  const CiReadings r{10.0, 100.0, 210.002, 300.0};
  const std::string c = survey::FormatAngle(gon, -0.001, survey::AngleFormat::Degrees, false);
  ASSERT_NE(c.find('-'), std::string::npos) << c;
  EXPECT_EQ(
      CiText(gon, r),
      "F1 Reading:\nHa: 10.00000 gon \nVa: 100.00000 gon \n\nF2 Reading:\nHa: 210.00200 gon \nVa: 300.00000 "
      "gon \n\nC&I:\nC: " +
          c + " \nI: " + survey::FormatAngle(gon, 0.0, survey::AngleFormat::Degrees, false) + " \n");
  const std::string text = CiText(dms, r);
  EXPECT_NE(text.find("Ha: 09\xC2\xB0 00' 0.00\" \n"), std::string::npos) << text;
  EXPECT_NE(text.find("C: " + c + " \n"), std::string::npos);
}

TEST(TrainingReports, VerifyDifferencesTakeTheShortWayAcrossNorth) {
  store::ProjectStationSettings s;
  survey::Reading r;
  r.haGon = 399.9;
  r.vaGon = 100.0;
  r.sdMetres = 50.0;
  const TrainingPoint stored{"N", "0.10000", "100.00000", "50.0000", "0", "0", "0", "2", ""};
  const std::string text = VerifyText(s, Default, "N", r, stored);
  EXPECT_NE(text.find("Difference in HA: 0.20000 gon \n"), std::string::npos) << text;
}

TEST(TrainingReports, RetrainQuestionRoundsTheDistance) {
  store::ProjectStationSettings s;
  s.distance_unit = 2;
  survey::Reading r;
  r.haGon = 1.0;
  r.vaGon = 2.0;
  r.sdMetres = 1.0;
  const TrainingPoint known{"B", "1.00000", "2.00000", "39.3701", "0", "0", "0", "2", ""};
  const std::string text = RetrainQuestionText(s, Default, "A", r, known, 12.345);
  EXPECT_EQ(text.rfind("A is 12.3 mm from B.\n\nA POSITION\n", 0), 0u) << text;
  EXPECT_NE(text.find("Slope Distance: 39.3701 in\n\nB POSITION"), std::string::npos) << text;
}

TEST(SimulatedInstrument, CollimationAndIndexErrorsFlipWithTheFace) {
  struct Case {
    double c, i, azimuth, zenith;
    int face;
    double ha, va;
  } const cases[] = {
      {0.0, 0.0, 100.0, 100.0, 1, 100.0, 100.0},    {0.01, 0.0, 100.0, 100.0, 1, 100.01, 100.0},
      {0.01, 0.0, 100.0, 100.0, 2, 299.99, 300.0},  {0.0, 0.005, 100.0, 90.0, 1, 100.0, 90.005},
      {0.0, 0.005, 100.0, 90.0, 2, 300.0, 310.005}, {-0.02, 0.0, 399.99, 100.0, 1, 399.97, 100.0},
  };
  for (const Case& c : cases) {
    const sim::Instrument instrument(0.0, c.c, c.i);
    const sim::Pointing p{c.azimuth, c.zenith, c.face};
    EXPECT_NEAR(instrument.ReadHa(p), c.ha, 1e-9);
    EXPECT_NEAR(instrument.ReadVa(p), c.va, 1e-9);
    const sim::Pointing back = instrument.FromReading(c.ha, c.va);
    EXPECT_EQ(back.face, c.face);
    EXPECT_NEAR(back.azimuthGon, c.azimuth, 1e-9) << "turning to a reading points where it was read";
    EXPECT_NEAR(back.zenithGon, c.zenith, 1e-9);
  }
}

}  // namespace
}  // namespace vigil::training
