// The result question, the count suffix and the residual columns.
#include <gtest/gtest.h>

#include <string>

#include "orientation/StationResultText.h"
#include "orientation/Tolerances.h"
#include "platform/Format.h"

namespace vigil::orientation {
namespace {

ResectionState ResultAt(double e, double n, double rl, double orientationGon) {
  ResectionState s;
  s.resection_count = 2;
  s.res_e = e;
  s.res_n = n;
  s.res_rl = rl;
  s.res_orientation = orientationGon;
  return s;
}

store::ProjectStationSettings Station(double e, double n, double axisLevel, double instrumentHeight) {
  store::ProjectStationSettings s;
  s.easting = e;
  s.northing = n;
  s.reduced_level = axisLevel;
  s.instrument_height = instrumentHeight;
  return s;
}

TEST(StationResultText, InMetresShowsTheMarkLevelAndTheShiftsInMillimetres) {
  const store::ProjectStationSettings s = Station(1000.0, 2000.0, 101.5, 1.5);
  const ResectionState r = ResultAt(1000.0025, 1999.99, 101.5004, 123.45678);
  EXPECT_EQ(StationResultText(s, r),
            "STATION COORDINATE:\n"
            "Easting: 1000.0025 m\n"
            "Northing: 1999.9900 m\n"
            "Reduced level: 100.0004 m\n"
            "Orientation: 123.45678 gon\n"
            "Tol. (E): 2.5 mm\n"
            "Tol. (N): -10.0 mm\n"
            "Tol. (RL): 0.4 mm\n\n"
            "Do you wish to update now to this values?");
}

TEST(StationResultText, InFeetAndDegreesShowsTheShiftsInFeetWithoutGon) {
  store::ProjectStationSettings s = Station(1000.0, 2000.0, 100.0, 0.0);
  s.distance_unit = 1;
  s.angle_units = 1;
  const ResectionState r = ResultAt(1000.3048, 2000.0, 100.0, 100.0);
  const std::string text = StationResultText(s, r);
  EXPECT_NE(text.find("Easting: 3281.8399 ft\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Orientation: 90\xC2\xB0 00' 0.00\"\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Tol. (E): 1.0000 ft\nTol. (N): 0.0000 ft\nTol. (RL): 0.0000 ft\n\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find(" gon"), std::string::npos) << text;
}

TEST(StationResultText, UsesTheTranslations) {
  const store::ProjectStationSettings s = Station(0.0, 0.0, 0.0, 0.0);
  const std::string text =
      StationResultText(s, ResultAt(0.0, 0.0, 0.0, 0.0), [](std::string_view key, std::string_view def) {
        return key == "IDS_ORIENT_LBL_TOL_E" ? std::string("dE") : std::string(def);
      });
  EXPECT_NE(text.find("\ndE: 0.0 mm\n"), std::string::npos) << text;
}

TEST(ResultTexts, AreEmptyWithoutAResult) {
  const store::ProjectStationSettings s = Station(0.0, 0.0, 0.0, 0.0);
  ResectionState r = ResultAt(5.0, 6.0, 7.0, 8.0);
  r.resection_count = 1;
  const ResultTexts t = ResultTextsOf(s, r);
  EXPECT_TRUE(t.easting.empty() && t.northing.empty() && t.markLevel.empty() && t.orientation.empty());
}

TEST(CountSuffix, OnlyForACountAboveZero) {
  EXPECT_EQ(CountSuffix(0), "");
  EXPECT_EQ(CountSuffix(-1), "");
  EXPECT_EQ(CountSuffix(1), " [Count = 1]");
  EXPECT_EQ(CountSuffix(12), " [Count = 12]");
}

TEST(ShortAngleDifference, TakesTheShortWayRound) {
  struct Case {
    double in;
    double out;
    const char* comment;
  };
  const Case cases[] = {
      {399.998, -0.002, "computed just west of north, trained just east: once showed 399.998"},
      {-399.998, 0.002, ""},
      {0.5, 0.5, ""},
      {200.0, 200.0, "half a turn stays positive"},
      {-200.0, 200.0, ""},
  };
  for (const Case& c : cases) EXPECT_NEAR(ShortAngleDifference(c.in), c.out, 1e-9) << c.comment;
}

TEST(Residuals, AreComputedMinusTrainedFromTheProvisionalStation) {
  store::ProjectStationSettings s;
  const survey::StationPosition provisional{1000.0, 2000.0, 100.0};
  ResectionPoint p;
  p.e = 1000.0;
  p.n = 2100.0;
  p.rl = 100.0;
  // Computed: Ha 0, Va 100, SD 100.
  const Residuals r = ResidualsOf(s, provisional, p, {"399.99000", "100.00500", "100.0030", "", "", ""});
  EXPECT_EQ(r.ha, "0.01000");
  EXPECT_EQ(r.va, "-0.00500");
  EXPECT_EQ(r.sd, "-0.0030");
  const Residuals none = ResidualsOf(s, provisional, p, {"x", "", "?", "", "", ""});
  EXPECT_TRUE(none.ha.empty() && none.va.empty() && none.sd.empty());
}

}  // namespace
}  // namespace vigil::orientation
