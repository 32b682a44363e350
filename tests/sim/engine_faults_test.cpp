// The measuring engine against the simulated instrument with its faults switched on: every
// reading ends either measured or failed, and nothing is recorded that was not measured.
#include <gtest/gtest.h>

#include <cmath>

#include "LinkedSim.h"
#include "link/ParseResult.h"
#include "sim/Geometry.h"
#include "survey/Reading.h"

namespace vigil::sim::test {
namespace {

// Station at (1000, 2000, 100), circle zero 0; one monitoring prism 100 m due east, no noise.
Scenario EastPrism() {
  Scenario s;
  s.station = {1000.0, 2000.0, 100.0};
  s.angleNoiseMgon = 0.0;
  s.distanceNoiseMm = 0.0;
  s.distanceNoisePpm = 0.0;
  s.tiltNoiseMgon = 0.0;
  s.prisms.push_back({"EAST", PrismType::kMonitoring, -30.0, {1100.0, 2000.0, 100.0}, {}, {}});
  return s;
}

class EngineFaultsTest : public ::testing::Test {
 protected:
  EngineFaultsTest() : site_(EastPrism()) {
    site_.SetUpStationLikeTheSite();
    EXPECT_TRUE(site_.link_.Connect());
    site_.sim_.log().Clear();
  }
  Faults& faults() { return site_.sim_.faults(); }
  int Count(std::string_view key) const { return site_.sim_.log().Count(key); }
  bool MeasureEast() { return site_.MeasurePrism("EAST", 100.0, 100.0, survey::kPrismMonitoring); }
  void ExpectTrueEast() const {
    const survey::Reading& r = site_.engine_->Reading();
    EXPECT_NEAR(r.eastingMetres, 1100.0, 0.0005);
    EXPECT_NEAR(r.northingMetres, 2000.0, 0.0005);
    EXPECT_NEAR(r.rlMetres, 100.0, 0.0005);
  }
  LinkedSim site_;
};

TEST_F(EngineFaultsTest, ATurnEndingIn575StillMeasuresWithoutTheFailedMark) {
  faults().turnErrors = 1;
  faults().turnErrorNumber = 575;
  EXPECT_TRUE(MeasureEast());
  EXPECT_FALSE(site_.engine_->FailedMark());
  EXPECT_EQ(Count("*SJ"), 0) << "no search after a turn that did not end in OK";
  ExpectTrueEast();
}

TEST_F(EngineFaultsTest, ATurnEndingIn572MeasuresAndMarksTheReadingFailedUntilAGoodOne) {
  faults().turnErrors = 1;
  faults().turnErrorNumber = 572;
  bool markedDuringDistance = false;
  site_.engine_->SetPrismContext("EAST", survey::kPrismMonitoring);
  bool done = false;
  site_.engine_->TurnTo(
      100.0, 100.0, [&] { done = true; }, true, true);
  ASSERT_TRUE(site_.loop_.RunUntil(
      [&] {
        markedDuringDistance =
            markedDuringDistance || (site_.engine_->Measuring() && site_.engine_->FailedMark());
        return done;
      },
      60000));
  EXPECT_TRUE(markedDuringDistance);
  EXPECT_EQ(site_.engine_->ReadingResult(), 0);
  EXPECT_FALSE(site_.engine_->FailedMark()) << "the good distance clears it";
}

TEST(EngineFaults, ATurnWithoutAckEndsAfterFiveSecondsAndMeasuresAnyway) {
  Scenario slow = EastPrism();
  slow.turnSpeedGonPerS = 10.0;  // 100 gon take 10 s: the turn is still running at 5 s
  LinkedSim site(slow);
  site.SetUpStationLikeTheSite();
  ASSERT_TRUE(site.link_.Connect());
  site.sim_.faults().lostAcks = 1;
  site.engine_->SetPrismContext("EAST", survey::kPrismMonitoring);
  const std::uint64_t start = site.clock_.ElapsedMs();
  site.engine_->TurnTo(100.0, 100.0, nullptr, true, true);
  ASSERT_TRUE(site.loop_.RunUntil([&] { return site.sim_.log().Count("*ST2") == 1; }, 80000));
  EXPECT_GT(site.clock_.ElapsedMs() - start, 5000u);
  EXPECT_LT(site.clock_.ElapsedMs() - start, 8000u) << "5 s without ACK, not 70 s";
  EXPECT_TRUE(site.engine_->FailedMark());
  EXPECT_EQ(site.sim_.log().Count("*SJ"), 0);
}

TEST_F(EngineFaultsTest, DistanceLinesWithErrorCodesAreSkippedUntilAGoodLine) {
  // One line a second arrives and one is read every 2 s: one bad line still leaves time for
  // a good one within the 5 s.
  faults().distanceErrors = 1;
  faults().distanceErrorCode = "E201";
  EXPECT_TRUE(MeasureEast());
  ExpectTrueEast();
  EXPECT_TRUE(site_.notices_.messages.empty());
}

TEST_F(EngineFaultsTest, OnlyErrorLinesTimeOutWithNothingRecorded) {
  faults().distanceErrors = 100;
  EXPECT_FALSE(MeasureEast());
  EXPECT_EQ(site_.engine_->ReadingResult(), link::kReadingTimeOut);
  EXPECT_EQ(site_.engine_->Reading().sdText, "");
  EXPECT_EQ(Count("*ST0"), 1) << "a failed distance always stops the instrument";
}

TEST_F(EngineFaultsTest, RepliesSplitLateOrDoubledStillGiveTheTrueReading) {
  faults().splitReplies = 20;
  faults().lateReplies = 20;
  faults().lateByMs = 700;
  EXPECT_TRUE(MeasureEast());
  ExpectTrueEast();
  faults().doubleLines = 5;
  EXPECT_TRUE(MeasureEast());
  ExpectTrueEast();
}

TEST_F(EngineFaultsTest, GarbledAndOverlongLinesAreReportedAndNeverTakenAsValues) {
  faults().overlongLines = 1;
  faults().garbledLines = 1;
  site_.engine_->SetPrismContext("EAST", survey::kPrismReflectorless);
  bool done = false;
  site_.engine_->MeasureDistance([&] { done = true; }, true);
  ASSERT_TRUE(site_.loop_.RunUntil([&] { return done; }, 60000));
  EXPECT_FALSE(site_.notices_.messages.empty());
  EXPECT_EQ(site_.notices_.messages.front(), "Measuring::Communication error! Ret = 2");
  if (site_.engine_->ReadingResult() == 0) {
    EXPECT_NEAR(site_.engine_->Reading().sdMetres, 100.0, 0.0005);
  } else {
    EXPECT_EQ(site_.engine_->ReadingResult(), link::kReadingTimeOut);
  }
}

TEST_F(EngineFaultsTest, ARefusedSearchIsAFailedOperationThatStillCompletes) {
  faults().nak.push_back({"*SJ", 1});
  EXPECT_FALSE(MeasureEast()) << "completes, as failed, instead of leaving its caller waiting";
  EXPECT_EQ(Count("*SJ"), 1);
  EXPECT_EQ(site_.engine_->ReadingResult(), link::kNakReceived);
  EXPECT_TRUE(site_.engine_->FailedMark());
  EXPECT_FALSE(site_.engine_->Turning());
  EXPECT_EQ(Count("*ST2"), 0);
}

}  // namespace
}  // namespace vigil::sim::test
