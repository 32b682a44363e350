// The ordered search gives what a look at every prism gives.
#include <gtest/gtest.h>

#include <cmath>

#include "sim/TargetIndex.h"

namespace vigil::sim::test {
namespace {

// Prisms around a station at (0, 0, 0): some across the 0/400 seam, one hidden by day, one
// reflectorless, one drifting fast enough to leave the ordering's place within its life.
Scenario SeamSite() {
  Scenario s;
  const auto at = [](double azimuthGon, double metres, double level) {
    const double a = azimuthGon * 3.14159265 / 200.0;
    return GridPoint{metres * std::sin(a), metres * std::cos(a), level};
  };
  int n = 0;
  for (const double az : {399.8, 0.1, 0.3, 50.0, 50.2, 120.0, 199.9, 200.1, 300.0, 399.95}) {
    Prism p;
    p.name = "P" + std::to_string(++n);
    p.truth = at(az, 80.0 + n, n % 3 - 1.0);
    s.prisms.push_back(p);
  }
  s.prisms[3].hidden.push_back({true, 6 * 60, 18 * 60, 0, 0});
  s.prisms[4].type = PrismType::kReflectorless;
  Movement drift;
  drift.mmPerDay = {400000.0, 0.0, 0.0};  // 0.28 m a minute
  s.prisms[5].movements.push_back(drift);
  return s;
}

TEST(TargetIndex, FindsWhatALookAtEveryPrismFinds) {
  const Scenario site = SeamSite();
  TargetIndex index;
  int found = 0;
  const std::int64_t day = 1'765'000'000'000;  // some local time; 06:00 to 18:00 hides P4
  for (std::int64_t t = 0; t < 3 * 3'600'000; t += 397'000) {
    for (double az = 0.0; az < 400.0; az += 0.37) {
      for (const double window : {0.3, 6.0}) {
        for (const bool searchable : {true, false}) {
          const Pointing sight{az, 100.0 + std::fmod(az, 2.0), 1};
          const auto want = NearestTarget(site, day + t, sight, window, searchable);
          const auto got = index.Nearest(site, day + t, sight, window, searchable);
          ASSERT_EQ(got.has_value(), want.has_value()) << az << " gon, window " << window << ", t " << t;
          if (want) {
            EXPECT_EQ(got->prism, want->prism);
            ++found;
          }
        }
      }
    }
  }
  EXPECT_GT(found, 1000) << "the sights do find prisms";
}

}  // namespace
}  // namespace vigil::sim::test
