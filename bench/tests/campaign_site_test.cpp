// The campaign's site and set-up: prisms a search can tell apart, the reading count, the
// cycle list, and a training file whose observations lead back to the prisms.
#include <gtest/gtest.h>

#include <cmath>

#include "monitoring/Schedule.h"
#include "platform/Format.h"
#include "support/CampaignSite.h"
#include "survey/Coordinates.h"
#include "survey/Units.h"
#include "training/TrainingFileFormat.h"

namespace vigil::bench {
namespace {

struct ShapeCase {
  CampaignShape shape;
  long long perCycle;
  long long total;
  const char* comment;
};

TEST(CampaignShape, ReadingsOfACampaign) {
  const ShapeCase cases[] = {
      {{30, 6, 50, 2, 3}, 300, 54000, "the month the benchmark runs"},
      {{1, 6, 50, 2, 3}, 300, 1800, "one day"},
      {{2, 4, 10, 1, 2}, 20, 160, "face 1 only"},
  };
  for (const ShapeCase& c : cases) {
    EXPECT_EQ(ReadingsPerCycle(c.shape), c.perCycle) << c.comment;
    EXPECT_EQ(ExpectedReadings(c.shape), c.total) << c.comment;
  }
}

struct SiteCase {
  int prisms;
  double minSeparationGon;
  const char* comment;
};

TEST(CampaignSite, EveryPrismStandsApartFromItsNeighboursByMoreThanTheSearchField) {
  const SiteCase cases[] = {
      {50, 7.99, "8 gon apart, the search field is 6 gon wide"},
      {60, 6.6, "still clear of the field"},
      {2, 199.9, "opposite each other"},
      {1, 400.0, "alone"},
  };
  for (const SiteCase& c : cases) {
    const sim::Scenario site = CampaignSite(c.prisms);
    ASSERT_EQ(static_cast<int>(site.prisms.size()), c.prisms) << c.comment;
    EXPECT_GE(SmallestSeparationGon(site), c.minSeparationGon) << c.comment;
    EXPECT_GE(SmallestSeparationGon(site), site.searchFieldGon) << c.comment;
    for (const sim::Prism& p : site.prisms) {
      const double dE = p.truth.eastingMetres - site.station.eastingMetres;
      const double dN = p.truth.northingMetres - site.station.northingMetres;
      const double horizontal = std::sqrt(dE * dE + dN * dN);
      EXPECT_GE(horizontal, 59.9) << p.name;
      EXPECT_LE(horizontal, 300.1) << p.name;
    }
  }
}

TEST(SetUpCampaign, IntervalModeWithOneCyclePerListedTime) {
  const struct {
    int cyclesPerDay;
    const char* cycles;
  } cases[] = {
      {6, "1,01:00 AM|2,05:00 AM|3,09:00 AM|4,01:00 PM|5,05:00 PM|6,09:00 PM"},
      {4, "1,01:00 AM|2,07:00 AM|3,01:00 PM|4,07:00 PM"},
      {1, "1,01:00 AM"},
  };
  for (const auto& c : cases) {
    CampaignShape shape;
    shape.cyclesPerDay = c.cyclesPerDay;
    store::ProjectStationSettings s;
    SetUpCampaign(s, CampaignSite(5), shape);
    EXPECT_EQ(s.cycles, c.cycles);
    EXPECT_EQ(static_cast<int>(monitoring::CycleEntries(s.cycles).size()), c.cyclesPerDay);
    EXPECT_EQ(s.mode, 0);
    EXPECT_EQ(s.sequence, 0) << "both faces";
    EXPECT_EQ(s.repeat, 3);
  }
}

// The observations in the file, reduced by hand, must land on the prisms: a wrong angle unit,
// orientation or sign would turn the instrument to nothing.
TEST(TrainingTextOf, ObservationsInTheFileLeadBackToThePrisms) {
  const struct {
    int angleUnits;
    double toleranceMetres;
    const char* comment;
  } cases[] = {
      {0, 0.0005, "gon, five decimals"},
      {1, 0.0015, "degrees, whole seconds"},
  };
  const sim::Scenario site = CampaignSite(50);
  for (const auto& c : cases) {
    store::ProjectStationSettings s;
    SetUpCampaign(s, site, CampaignShape{});
    s.angle_units = c.angleUnits;
    const auto points = training::ParseTrainingText(TrainingTextOf(s, site));
    ASSERT_EQ(points.size(), site.prisms.size()) << c.comment;
    for (std::size_t i = 0; i < points.size(); ++i) {
      const sim::Prism& truth = site.prisms[i];
      EXPECT_EQ(points[i].name, truth.name);
      EXPECT_EQ(points[i].prism_type, "2");
      const double ha =
          platform::ParseDoubleOr(survey::ParseAngle(s, points[i].ha), -1) * survey::kGonToRadians;
      const double va =
          platform::ParseDoubleOr(survey::ParseAngle(s, points[i].va), -1) * survey::kGonToRadians;
      const double sd = platform::ParseDoubleOr(points[i].sd, -1);
      const double horizontal = sd * std::sin(va);
      EXPECT_NEAR(s.easting + horizontal * std::sin(ha), truth.truth.eastingMetres, c.toleranceMetres)
          << c.comment << " " << truth.name;
      EXPECT_NEAR(s.northing + horizontal * std::cos(ha), truth.truth.northingMetres, c.toleranceMetres)
          << c.comment << " " << truth.name;
      EXPECT_NEAR(s.reduced_level + sd * std::cos(va), truth.truth.levelMetres, c.toleranceMetres)
          << c.comment << " " << truth.name;
    }
  }
}

}  // namespace
}  // namespace vigil::bench
