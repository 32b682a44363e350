#include <gtest/gtest.h>

#include "survey/Coordinates.h"

namespace vigil::survey {
namespace {

TEST(NormaliseAngle, BoundariesAndWholeTurns) {
  const std::pair<double, double> cases[] = {
      {-0.5, 399.5},
      {400.5, 0.5},
      {400.0, 400.0},
      {0.0, 0.0},
      {399.99999, 399.99999},
      {-400.0, 0.0},
      {800.0, 400.0},
      {-400.5, 399.5},  // an orientation typed beyond a turn once left this
                        // negative
      {1200.25, 0.25},
  };
  for (const auto& [in, out] : cases) EXPECT_DOUBLE_EQ(NormaliseAngle(in), out) << in;
}

TEST(AtmosphericPpm, KnownAtmospheres) {
  const struct {
    double celsius, hpa, ppm, tolerance;
  } cases[] = {
      {20.0, 1013.25, 4.95, 0.005},    {0.0, 1013.25, -15.79, 0.005},   {30.0, 1013.0, 14.59, 0.005},
      {-20.0, 900.0, -3.4980, 0.0001}, {40.0, 1050.0, 14.3150, 0.0001},
  };
  for (const auto& c : cases) EXPECT_NEAR(ComputeAtmosphericPpm(c.celsius, c.hpa), c.ppm, c.tolerance);
}

ProjectStationSettings Station() {
  ProjectStationSettings s;
  s.easting = 1000.0, s.northing = 2000.0, s.reduced_level = 50.0;
  s.const_reference = -30.0, s.const_connection = -7.0, s.const_monitoring = -20.0, s.const_custom = 12.5;
  return s;
}

TEST(TargetCoordinates, PolarToGridUsesTheEightDecimalPi) {
  ProjectStationSettings s;
  s.easting = s.northing = s.reduced_level = 0.0;
  s.const_monitoring = 0.0;
  Reading r;
  r.haGon = 50.0, r.vaGon = 100.0, r.sdMetres = 100.0;
  ComputeTargetCoordinates(s, r, "");
  EXPECT_NEAR(r.eastingMetres, 70.7107, 5e-5);
  EXPECT_NEAR(r.northingMetres, 70.7107, 5e-5);
  EXPECT_NEAR(r.rlMetres, 1.795e-7, 1e-9);  // cos(100 gon) is not 0 with pi = 3.14159265
}

TEST(TargetCoordinates, PrismConstantByContext) {
  const struct {
    const char* pointName;
    int prismType;
    bool keepReflector;
    const char* prismName;
    double sdMetres;
  } cases[] = {
      {"", kPrismNone, false, "", 99.980},  // no name: the monitoring constant
      {"", kPrismNone, true, "", 100.0},    // instrument's own reflector kept
      {"P1", kPrismReference, false, "", 99.970}, {"P1", kPrismConnection, false, "", 99.993},
      {"P1", kPrismMonitoring, true, "", 99.980}, {"P1", kPrismReflectorless, false, "", 100.0},
      {"P1", kPrismSheet, false, "", 100.0},      {"P1", kPrismNone, false, "", 100.0},
      {"P1", kPrismCustom, false, "", 100.0125},  {"", kPrismConnection, false, "X", 99.993},
  };
  for (const auto& c : cases) {
    Reading r;
    r.haGon = 10.0, r.vaGon = 90.0, r.sdMetres = 100.0;
    r.pointName = c.pointName, r.prismType = c.prismType, r.keepReflector = c.keepReflector;
    ComputeTargetCoordinates(Station(), r, c.prismName);
    EXPECT_NEAR(r.sdMetres, c.sdMetres, 1e-9) << c.pointName << " type " << c.prismType;
  }
}

TEST(TargetCoordinates, ZeroDistanceChangesNothing) {
  Reading r;
  r.haGon = 10.0, r.eastingMetres = 1.0, r.northingMetres = 2.0, r.rlMetres = 3.0;
  ComputeTargetCoordinates(Station(), r, "");
  EXPECT_EQ(r.sdMetres, 0.0);
  EXPECT_EQ(r.eastingMetres, 1.0);
  EXPECT_EQ(r.northingMetres, 2.0);
  EXPECT_EQ(r.rlMetres, 3.0);
}

TEST(ReduceReading, AtmosphereOrientationAndTexts) {
  auto s = Station();
  s.temperature = 20.0, s.pressure = 1013.25, s.orientation = 20.0, s.const_monitoring = 0.0;
  Reading r;
  EXPECT_TRUE(ReduceReading(s, r, "10.00000", "100.00000", "100.0000", true));
  EXPECT_NEAR(r.ppm, 4.949, 0.001);
  EXPECT_EQ(r.haText, "390.00000");  // 10 - 20, normalised
  EXPECT_EQ(r.vaText, "100.00000");
  EXPECT_EQ(r.sdText, "100.0005");
  EXPECT_NEAR(r.eastingMetres, 984.3565, 1e-4);
  EXPECT_NEAR(r.northingMetres, 2098.7693, 1e-4);
  EXPECT_TRUE(ReduceReading(s, r, "10.00000", "100.00000", "100.0000", false));
  EXPECT_EQ(r.haText, "10.00000");
}

TEST(ReduceReading, MissingValuesAreNotTakenFromThePreviousReading) {
  auto s = Station();
  Reading r;
  r.sdMetres = 55.0, r.eastingMetres = 7.0, r.haText = "old";
  EXPECT_FALSE(ReduceReading(s, r, "E123", "100.0", "50.0", false));  // error code in the angle
  EXPECT_EQ(r.haText, "old");
  EXPECT_EQ(r.sdMetres, 55.0);
  // An empty distance once kept 55 m and corrected it a second time.
  EXPECT_FALSE(ReduceReading(s, r, "10.0", "100.0", "", false));
  EXPECT_EQ(r.sdText, "0.0000");
  EXPECT_EQ(r.haText, "10.00000");
  EXPECT_EQ(r.eastingMetres, 7.0);
}

}  // namespace
}  // namespace vigil::survey
