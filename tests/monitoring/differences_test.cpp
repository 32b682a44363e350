#include "monitoring/Differences.h"

#include <gtest/gtest.h>

namespace vigil::monitoring {
namespace {

TEST(Differences, HeadingsInMillimetresOrTheDistanceUnit) {
  store::ProjectStationSettings s;
  auto columns = DifferenceColumns(s);
  ASSERT_EQ(columns.size(), 7u);
  EXPECT_EQ(columns[1].caption, "dE (mm)");
  EXPECT_EQ(columns[3].caption, "dRL (mm)");
  EXPECT_EQ(columns[4].widthPx, 0) << "reference columns are hidden";
  s.distance_unit = 1;
  EXPECT_EQ(DifferenceColumns(s)[2].caption, "dN (ft)");
  s.distance_unit = 2;
  EXPECT_EQ(DifferenceColumns(s)[1].caption, "dE (in)");
}

TEST(Differences, MeasuredMinusReference) {
  struct Case {
    int unit;  // 0 m, 1 ft
    const char* e;
    const char* refE;
    const char* expected;
  };
  const Case cases[] = {
      {0, "1100.0020", "1100.0000", "2.00"},
      {0, "1099.9985", "1100.0000", "-1.50"},
      {1, "3608.9304", "3608.9239", "0.0065"},  // 2 mm in feet, rounded at 4 decimals per text
      {1, "10.0066", "10.0000", "0.0066"},
  };
  for (const Case& c : cases) {
    store::ProjectStationSettings s;
    s.distance_unit = c.unit;
    const auto d = ComputeDifferences(s, c.e, "5.0", "7.0", c.refE, "5.0", "6.5");
    ASSERT_TRUE(d.has_value()) << c.e;
    EXPECT_EQ(d->dEasting, c.expected);
    EXPECT_EQ(d->dNorthing, c.unit == 0 ? "0.00" : "0.0000");
    EXPECT_EQ(d->dRl, c.unit == 0 ? "500.00" : "0.5000");
  }
}

TEST(Differences, NothingWithoutNumbers) {
  const store::ProjectStationSettings s;
  EXPECT_FALSE(ComputeDifferences(s, "", "", "", "1", "2", "3")) << "failed reading";
  EXPECT_FALSE(ComputeDifferences(s, "1", "2", "3", "", "", "")) << "point without reference";
  EXPECT_FALSE(ComputeDifferences(s, "1", "2", "x", "1", "2", "3"));
}

}  // namespace
}  // namespace vigil::monitoring
