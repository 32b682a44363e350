// The 2D scan: one reply line per prism in the window, in sweep order, at the turn speed.
#include <gtest/gtest.h>

#include "SimFixture.h"

namespace vigil::sim::test {
namespace {

using Scanning = SimTest;

Scenario Fan() {
  Scenario s = SmallSite();
  s.prisms.clear();
  // level prisms 100 m away at bearings 20, 50 and 80 gon; one far off at 300 gon
  const double bearings[] = {50.0, 20.0, 80.0, 300.0};
  const char* names[] = {"P50", "P20", "P80", "P300"};
  for (int i = 0; i < 4; ++i) {
    const double a = bearings[i] * 3.14159265358979323846 / 200.0;
    s.prisms.push_back({names[i],
                        PrismType::kMonitoring,
                        -30.0,
                        {1000.0 + 100.0 * std::sin(a), 2000.0 + 100.0 * std::cos(a), 100.0},
                        {},
                        {}});
  }
  s.prisms.push_back({"RFL", PrismType::kReflectorless, 0.0, {1000.0, 2100.0, 100.0}, {}, {}});  // bearing 0
  return s;
}

TEST_F(Scanning, ReportsEachPrismInTheWindowInSweepOrder) {
  Boot(Fan());
  Connect();
  Send("*ST6 390.0000,90,90.0000,110,,,,", "\r\n\r\n");  // across north, 100 gon wide
  Run(100);
  EXPECT_TRUE(got_.empty()) << "no ACK: the scan is fire-and-pause";
  // turning to the start corner (10 gon) takes 200 ms, the sweep 2 s
  Run(1000);
  EXPECT_EQ(Lines().size(), 1u) << "the prism at 20 gon is passed after 30 gon of sweep";
  Run(2000);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 3u);
  const double expected[] = {20.0, 50.0, 80.0};
  for (std::size_t i = 0; i < 3; ++i) {
    const auto f = Fields(lines[i]);
    ASSERT_GE(f.size(), 8u);
    EXPECT_EQ(f[0], "#S*ST6");
    EXPECT_EQ(platform::ParseIntOr(f[2], -1), static_cast<int>(i) + 1);
    EXPECT_GT(platform::ParseIntOr(f[3], -1), 0) << "a prism";
    EXPECT_NEAR(Number(f[4]), expected[i], 1e-5);
    EXPECT_NEAR(Number(f[5]), 100.0, 1e-5);
  }
  EXPECT_NEAR(sim_->instrument().ReadHa(), 90.0, 1e-9) << "the sweep ends at the second corner";
  EXPECT_EQ(sim_->log().Count("*ST6"), 1);
}

TEST_F(Scanning, AnEmptyWindowEndsWithOneNoPrismLine) {
  Boot(Fan());
  Connect();
  Send("*ST6 100.0000,90,200.0000,110,,,,", "\r\n\r\n");
  Run(10000);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  const auto f = Fields(lines[0]);
  EXPECT_EQ(f.at(3), "0") << "second integer not positive: no prism";
}

TEST_F(Scanning, TheVerticalExtentOfTheWindowCounts) {
  Boot(Fan());
  Connect();
  Send("*ST6 10.0000,80,90.0000,95,,,,", "\r\n\r\n");  // all prisms are level: below this window
  Run(10000);
  ASSERT_EQ(Lines().size(), 1u);
  EXPECT_EQ(Fields(Lines()[0]).at(3), "0");
}

}  // namespace
}  // namespace vigil::sim::test
