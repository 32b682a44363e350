// The measuring operations on the virtual clock against the scripted instrument.
#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "link/ParseResult.h"
#include "platform/Format.h"
#include "survey/Coordinates.h"

namespace vigil::link::test {
namespace {

const std::string kOk = "#SDHAOK\r\n";
const std::string kAngles150 = "#SEe 0 00,0,0,0,98.00000,150.00000,0.0001,-0.0002\r\n";

std::string DistanceLine(const std::string& ha, const std::string& va, const std::string& sd) {
  return "#S*ST2,0," + ha + "," + va + "," + sd + "\r\n";
}

// Every case runs reply-driven and on the fixed poll periods: the same commands, results and
// notices, and never a command sooner after "Ee", "*ST2" or "*ST6" than their 300 ms pause.
class EngineTest : public EngineFixture, public ::testing::WithParamInterface<bool> {
 protected:
  EngineTest() { station_.reply_driven = GetParam(); }
  void TearDown() override {
    const auto& sent = Peer().Received();
    const auto& at = Peer().ReceivedAtMs();
    for (std::size_t i = 1; i < sent.size(); ++i) {
      const std::string& before = sent[i - 1];
      if (before == "#SEe\r\n" || before == "#S*ST2\r\n" || before.rfind("#S*ST6 ", 0) == 0) {
        EXPECT_GE(at[i] - at[i - 1], kFirePauseMs) << sent[i] << " after " << before;
      }
    }
    EngineFixture::TearDown();
  }
};

TEST_P(EngineTest, TurnSearchAnglesAndDistanceEndInOneReducedReading) {
  engine_->SetPrismContext("XYZ001", survey::kPrismMonitoring);
  AnswerWithLine("*DHA0500000VA1000000\r\n", kOk, 3000);
  AcknowledgeAll({"/C 0\r\n\r\n", "*ST0\r\n"});
  AnswerWithLine("*SJ000000\r\n", "#SSJ0OK\r\n", 1500);
  AnswerWithLine("Ee\r\n", "#SEe 0 00,0,0,0,100.00000,50.00000,0,0\r\n");
  AnswerWithLine("*ST2\r\n", DistanceLine("50.00000", "100.00000", "100.0000"));

  const std::uint64_t start = NowMs();
  engine_->TurnTo(50.0, 100.0, Counting(), false, true);
  ASSERT_TRUE(RunUntilCompleted());
  // Reply-driven: each step goes on when its line is in (3 s turn, 1.5 s search, two 0.4 s
  // readings, the waits for the acknowledgements); fixed: at the next 2 s or 1 s poll.
  EXPECT_EQ(NowMs() - start, GetParam() ? 5450u : 9150u);
  EXPECT_EQ(Sent(), (std::vector<std::string>{"*DHA0500000VA1000000\r\n", "/C 0\r\n\r\n", "*SJ000000\r\n",
                                              "Ee\r\n", "/C 0\r\n\r\n", "*ST2\r\n", "*ST0\r\n"}));
  EXPECT_EQ(results_, std::vector<int>{0});
  const double ppm = survey::ComputeAtmosphericPpm(station_.temperature, station_.pressure);
  EXPECT_EQ(engine_->Reading().sdText, platform::FormatFixed(100.0 * (1 + ppm * 1e-6) - 0.030, 4));
  EXPECT_EQ(engine_->Reading().haText, "50.00000");
  EXPECT_FALSE(engine_->FailedMark());
  EXPECT_FALSE(engine_->Turning());
  EXPECT_FALSE(engine_->Measuring());
  EXPECT_TRUE(engine_->Stopped());
  loop_.RunFor(60000);
  EXPECT_EQ(completions_, 1) << "one operation, one completion";
}

TEST_P(EngineTest, TurnErrorsDecideBetweenMeasuringAnywayAndFailing) {
  struct Case {
    const char* answer;
    bool measures;
    bool failed;
  };
  const Case cases[] = {
      {"#SDHAE575\r\n", true, false},
      {"#SDHAE572\r\n", true, true},
      {"#SDHAE301\r\n", false, true},
      {"#SDHAXX\r\n", false, true},  // an unexpected line
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    firstCommand_ = Peer().Received().size();
    AnswerWithLine("*DHA1000000VA1000000\r\n", c.answer);
    AcknowledgeAll({"/C 0\r\n\r\n", "*ST0\r\n"});
    AnswerWithLine("*ST2\r\n", DistanceLine("100.00000", "100.00000", "20.0000"));
    engine_->TurnTo(100.0, 100.0, nullptr, false, false);
    ASSERT_TRUE(loop_.RunUntil([&] { return !engine_->Turning(); }, 20000));
    // The mark as the turn left it; a good distance afterwards clears it again.
    EXPECT_EQ(engine_->FailedMark(), c.failed);
    loop_.RunFor(20000);
    EXPECT_EQ(CountSent("*ST2\r\n"), c.measures ? 1u : 0u);
    EXPECT_EQ(engine_->FailedMark(), c.failed && !c.measures);
  }
}

TEST_P(EngineTest, ATurnWithoutAnyAckEndsAfterFiveSecondsAndStillMeasures) {
  AcknowledgeAll({"/C 0\r\n\r\n", "*ST0\r\n"});
  AnswerWithLine("*ST2\r\n", DistanceLine("1.00000", "100.00000", "20.0000"));
  const std::uint64_t start = NowMs();
  engine_->TurnTo(1.0, 100.0, Counting(), false, false);
  ASSERT_TRUE(loop_.RunUntil([&] { return CountSent("*ST2\r\n") == 1; }, 100000));
  EXPECT_GE(NowMs() - start, 5000u);
  EXPECT_LE(NowMs() - start, 7000u) << "not the 70 s of an acknowledged turn";
  EXPECT_TRUE(engine_->FailedMark());
  ASSERT_TRUE(RunUntilCompleted());
  EXPECT_EQ(results_, std::vector<int>{0});
}

// The only sign of a dead link the engine has: a turn nobody acknowledged. Told once per
// change; an acknowledged turn that fails (a target not there) is no lost link.
TEST_P(EngineTest, ALinkReportedLostByAnUnacknowledgedTurnAndBackByAnAcknowledgedOne) {
  std::vector<bool> reports;
  engine_->SetLinkReport([&](bool answering) { reports.push_back(answering); });
  AcknowledgeAll({"/C 0\r\n\r\n", "*ST0\r\n"});
  AnswerWithLine("*ST2\r\n", DistanceLine("1.00000", "100.00000", "20.0000"));
  for (int turn = 0; turn < 2; ++turn) {
    engine_->TurnTo(1.0, 100.0, Counting(), false, false);
    ASSERT_TRUE(RunUntilCompleted());
    completions_ = 0;
  }
  EXPECT_EQ(reports, std::vector<bool>{false}) << "twice unacknowledged, told once";
  AnswerWithLine("*DHA0500000VA1000000\r\n", kOk, 3000);
  engine_->TurnTo(50.0, 100.0, Counting(), false, false);
  ASSERT_TRUE(RunUntilCompleted());
  EXPECT_EQ(reports, (std::vector<bool>{false, true}));
}

TEST_P(EngineTest, AnAcknowledgedTurnThatNeverEndsTimesOutAfterSeventySeconds) {
  Peer().Answer("#S*DHA1000000VA1000000\r\n", {{5, std::string(1, kAck)}});
  AcknowledgeAll({"/C 0\r\n\r\n", "*ST0\r\n"});
  const std::uint64_t start = NowMs();
  engine_->TurnTo(100.0, 100.0, nullptr, false, false);
  ASSERT_TRUE(loop_.RunUntil([&] { return CountSent("*ST2\r\n") == 1; }, 100000));
  EXPECT_GT(NowMs() - start, 70000u);
  EXPECT_LE(NowMs() - start, 73000u);
}

TEST_P(EngineTest, DistanceLinesWithErrorCodesAreSkippedUntilAGoodLine) {
  engine_->SetPrismContext("P", survey::kPrismReference);
  Peer().Answer("#S*ST2\r\n", {{5, DistanceLine("10.00000", "100.00000", "E201")},
                               {2500, DistanceLine("10.00000", "100.00000", "50.0000")}});
  AcknowledgeAll({"*ST0\r\n"});
  engine_->MeasureDistance(Counting(), true);
  ASSERT_TRUE(RunUntilCompleted());
  EXPECT_EQ(results_, std::vector<int>{0});
  EXPECT_TRUE(notices_.messages.empty());
  EXPECT_EQ(CountSent("*ST0\r\n"), 1u);
}

TEST_P(EngineTest, ADistanceWithoutAGoodLineTimesOutStopsAndReports) {
  Peer().Answer("#S*ST2\r\n", {{5, DistanceLine("10.00000", "100.00000", "0.0000")}});
  AcknowledgeAll({"*ST0\r\n"});
  engine_->MeasureDistance(Counting(), true);
  ASSERT_TRUE(RunUntilCompleted());
  EXPECT_EQ(results_, std::vector<int>{kReadingTimeOut}) << "a zero distance is never a reading";
  EXPECT_EQ(CountSent("*ST0\r\n"), 1u);
  EXPECT_TRUE(engine_->Stopped());
}

TEST_P(EngineTest, AnUnexpectedDistanceLineIsShownMarkedAndWaitedOut) {
  Peer().Answer("#S*ST2\r\n", {{5, "#Sgarbage\r\n"}});
  Peer().Answer("#S*ST0\r\n", {});
  engine_->MeasureDistance(Counting(), true);
  ASSERT_TRUE(RunUntilCompleted());
  EXPECT_EQ(notices_.messages, (std::vector<std::string>{"Measuring::Communication error! Ret = 2",
                                                         "Failed to stop measuring!"}));
  EXPECT_EQ(notices_.beeps, std::vector<BeepKind>{BeepKind::Question});
  EXPECT_TRUE(engine_->FailedMark());
}

TEST_P(EngineTest, FaceChangeTurnsToTheOtherFaceAndReadsAnglesThere) {
  AnswerWithLine("Ee\r\n", kAngles150);
  AnswerWithLine("*DHA3500000VA3020000\r\n", kOk);
  engine_->ChangeFace(true);
  loop_.RunFor(20000);
  EXPECT_EQ(Sent(), (std::vector<std::string>{"Ee\r\n", "*DHA3500000VA3020000\r\n", "Ee\r\n"}));
  EXPECT_FALSE(engine_->Measuring());
  EXPECT_EQ(engine_->ReadingResult(), 0);
}

TEST_P(EngineTest, RelativeReadingsAreReducedByTheOrientationAndNormalised) {
  station_.orientation = 20.0;
  engine_->SetPrismContext("R", survey::kPrismReflectorless);
  AcknowledgeAll({"/C 2\r\n\r\n", "*ST0\r\n"});
  AnswerWithLine("*ST2\r\n", DistanceLine("10.00000", "100.00000", "30.0000"));
  // Reflectorless: no search, and the reflector type is written although keeping was asked.
  engine_->MeasureTarget(Counting(), 0.0, true, true);
  ASSERT_TRUE(RunUntilCompleted());
  EXPECT_EQ(Sent(), (std::vector<std::string>{"/C 2\r\n\r\n", "*ST2\r\n", "*ST0\r\n"}));
  EXPECT_NEAR(engine_->Reading().haGon, 390.0, 1e-9);
}

TEST_P(EngineTest, AnglesOnlyReadingReportsAndAFailedOneZeroesTheTilt) {
  engine_->MutableReading().tiltX = 5.0;
  AnswerWithLine("Ee\r\n", "#SEe 0 00,0,0,0,E115,150.00000,0.1,0.2\r\n");
  engine_->MeasureAngles(Counting(), true);
  ASSERT_TRUE(RunUntilCompleted());
  EXPECT_EQ(results_, std::vector<int>{12});
  EXPECT_EQ(engine_->Reading().tiltX, 0.0);
  EXPECT_EQ(CountSent("*ST2\r\n"), 0u);
}

TEST_P(EngineTest, ANullRoutineFinishesWithoutACompletion) {
  AnswerWithLine("Ee\r\n", kAngles150);
  engine_->MeasureAngles(nullptr, true);
  loop_.RunFor(10000);
  EXPECT_EQ(engine_->ReadingResult(), 0);
  EXPECT_NEAR(engine_->Reading().haGon, 150.0, 1e-9);
  EXPECT_EQ(completions_, 0);
}

TEST_P(EngineTest, ScanLinesEachCompleteOnceWhileTheTimerRuns) {
  station_.orientation = 0.0;
  Peer().Answer("#S*ST6 10.0000,95.0,30.0000,105.0,,,,\r\n\r\n",
                {{5, "#S*ST6,0,1,7,12.00000,99.00000,0\r\n#S*ST6,0,2,8,21.00000,101.00000,0\r\n"}});
  engine_->ScanMeasure("10", "95.0", "30", "105.0", Counting());
  loop_.RunFor(10000);
  EXPECT_EQ(completions_, 2);
  EXPECT_EQ(results_, (std::vector<int>{0, 0}));
  EXPECT_EQ(engine_->ScanValue1(), 2);
  EXPECT_EQ(engine_->ScanValue2(), 8);
  EXPECT_EQ(engine_->ActiveTimer(), kScanTimer) << "the scan screen decides when the scan is over";
}

INSTANTIATE_TEST_SUITE_P(Paces, EngineTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& pace) {
                           return pace.param ? "ReplyDriven" : "FixedPeriods";
                         });

class EngineAtWrapTest : public EngineFixture {
 protected:
  EngineAtWrapTest() : EngineFixture(0xFFFFFFFFu - 3000u) {}
};

TEST_F(EngineAtWrapTest, AReadingAcrossTheTickWrapDoesNotTimeOutEarly) {
  AnswerWithLine("Ee\r\n", kAngles150, 2500);
  engine_->MeasureAngles(Counting(), true);
  ASSERT_TRUE(RunUntilCompleted());
  EXPECT_EQ(results_, std::vector<int>{0});
}

}  // namespace
}  // namespace vigil::link::test
