#include <gtest/gtest.h>

#include "UnitSettings.h"
#include "survey/Units.h"

namespace vigil::survey {
namespace {

using test::UnitSettings;

struct DistanceCase {
  int unit;
  int standard;
  const char* tenMetres;
  const char* label;
};

TEST(Distances, TenMetresInEveryUnitAndBack) {
  const DistanceCase cases[] = {
      {0, 0, "10.0000", "m"},   {1, 0, "32.8084", "ft"}, {1, 1, "32.8083", "ft"}, {2, 0, "393.7008", "in"},
      {2, 1, "393.7000", "in"}, {1, 5, "32.8083", "ft"},  // any standard but 0 is the US survey foot
      {9, 0, "10.0000", "m"},                             // unknown unit: metres
  };
  for (const auto& c : cases) {
    const auto s = UnitSettings(0, c.unit, c.standard);
    EXPECT_EQ(FormatDistance(s, 10.0), c.tenMetres) << c.unit << "/" << c.standard;
    EXPECT_EQ(MetresTextToDisplay(s, "10.0000"), c.tenMetres);
    EXPECT_EQ(DistanceToMetres(s, c.tenMetres), "10.0000");
    EXPECT_EQ(DistanceUnitLabel(s), c.label);
    EXPECT_EQ(FormatDistanceWithUnit(s, c.tenMetres), std::string(c.tenMetres) + " " + c.label);
  }
}

TEST(Distances, PrismConstantsAndMillimetres) {
  const struct {
    int unit;
    const char* typed;
    const char* mm;
  } cases[] = {
      {0, "-30", "-30.0"},  // metres mode: typed in mm, unchanged
      {0, "-30.04", "-30.0"}, {1, "-0.1", "-30.5"},
      {2, "-1.2", "-30.5"},   {1, "", ""},  // nothing typed stays nothing, not a constant of 0
  };
  for (const auto& c : cases) EXPECT_EQ(PrismConstantToMm(UnitSettings(0, c.unit), c.typed), c.mm) << c.typed;
  EXPECT_EQ(MmToMetres("-30"), "-0.0300");
  EXPECT_EQ(MetresToMm("0.0123"), "12.3000");
  EXPECT_EQ(MmToMetres("x"), "x");
  EXPECT_EQ(DistanceToMetres(UnitSettings(0, 1), ""), "");
  EXPECT_EQ(MetresTextToDisplay(UnitSettings(0, 1), "n/a"), "n/a");
}

}  // namespace
}  // namespace vigil::survey
