#include <gtest/gtest.h>

#include "UnitSettings.h"
#include "survey/Coordinates.h"

namespace vigil::survey {
namespace {

TEST(PrismTypeLabel, LabelsAndConstants) {
  ProjectStationSettings s;
  s.const_custom_name = "A", s.const_custom = 12.5;
  const struct {
    int type;
    int distanceUnit;
    const char* label;
    double mm;
  } cases[] = {
      {0, 0, "Reference Prism (-30.0)", -30.0},
      {1, 0, "Connection Prism (-7.0)", -7.0},
      {2, 0, "Monitoring Prism (-30.0)", -30.0},
      {3, 0, "Reflectorless (0.0)", 0.0},
      {4, 0, "Sheet Prism (0.0)", 0.0},
      {5, 0, "Custom Prism \"A\" (12.5)", 12.5},
      {-1, 0, "", 0.0},
      {6, 0, "", 0.0},
      {0, 1, "Reference Prism (-0.1)", -30.0},  // the label shows feet, the constant stays mm
      {0, 2, "Reference Prism (-1.2)", -30.0},
      {4, 1, "Sheet Prism (0.0)", 0.0},
  };
  for (const auto& c : cases) {
    s.distance_unit = c.distanceUnit;
    const PrismLabel label = PrismTypeLabel(s, c.type, true);
    EXPECT_EQ(label.text, c.label) << c.type;
    EXPECT_EQ(label.constantMm, c.mm) << c.type;
  }
  s.distance_unit = 1;
  EXPECT_EQ(PrismTypeLabel(s, 0).text, "Reference Prism (-30.0)");  // mm unless asked for the unit
}

TEST(MatchTrainingPoint, FirstPointWithinTolerance) {
  const std::vector<ListedPoint> points = {
      {"D", "", "", ""},  // imported without an observation: never matches a reading at 0
      {"A", "100.00000", "100.00000", "50.0000"},
      {"B", "0.10000", "99.00000", "20.0000"},
      {"A2", "100.20000", "100.00000", "50.0000"},
      {"F2", "330.00000", "290.00000", "40.0000"},  // trained in face 2
  };
  const struct {
    double ha, va, sd;
    const char* skip;
    const char* name;
    double haGon, dSdMm;
  } cases[] = {
      {100.3, 100.2, 50.05, "", "A", 100.0, 50.0}, {300.3, 299.8, 50.05, "", "A", 100.0, 50.0},  // face 2
      {100.3, 100.0, 50.0, "A", "A2", 100.2, 0.0}, {100.8, 100.0, 50.0, "", "", -1.0, 0.0},
      {100.0, 100.0, 50.15, "", "", -1.0, 0.0},    {100.0, 100.6, 50.0, "", "", -1.0, 0.0},
      {399.9, 99.0, 20.0, "", "B", 0.1, 0.0},      // across north, once missed
      {0.0, 0.0, 0.0, "X", "X", -1.0, 0.0},        // no match keeps the name to skip
      {130.1, 110.1, 40.0, "", "F2", 130.0, 0.0},  // a prism trained in face 2, once never found
      {330.1, 289.9, 40.0, "", "F2", 130.0, 0.0},  // ... nor in face 2
      {100.3, 299.8, 50.05, "", "", -1.0, 0.0},    // face 2 with a face-1 Ha is another direction
  };
  for (const auto& c : cases) {
    Reading r;
    r.haGon = c.ha, r.vaGon = c.va, r.sdMetres = c.sd;
    const PointMatch m = MatchTrainingPoint(ProjectStationSettings{}, r, points, c.skip);
    EXPECT_EQ(m.name, c.name) << c.ha << " " << c.va << " " << c.sd;
    EXPECT_EQ(m.matched, m.haGon != -1.0);
    EXPECT_NEAR(m.haGon, c.haGon, 1e-9);
    EXPECT_NEAR(m.dSdMm, c.dSdMm, 1e-6);
  }
  EXPECT_FALSE(MatchTrainingPoint(ProjectStationSettings{}, Reading{}, {}, "").matched);
}

TEST(MatchTrainingPoint, ListedInDisplayUnits) {
  const auto s = test::UnitSettings(1, 1);
  const std::vector<ListedPoint> points = {{"E", "111° 06' 39.71\"", "90° 00' 0.00\"", "32.8084"}};
  Reading r;
  r.haGon = 123.4, r.vaGon = 100.1, r.sdMetres = 10.02;
  const PointMatch m = MatchTrainingPoint(s, r, points, "");
  EXPECT_EQ(m.name, "E");
  EXPECT_NEAR(m.haGon, 123.4567, 1e-9);
  EXPECT_NEAR(m.dSdMm, 20.0, 1e-6);
}

}  // namespace
}  // namespace vigil::survey
