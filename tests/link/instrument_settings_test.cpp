// Reading, setting and restoring the instrument's own settings around monitoring.
#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "link/ParseResult.h"

namespace vigil::link::test {
namespace {

class InstrumentSettingsTest : public EngineFixture {
 protected:
  InstrumentSettingsTest() {
    settings_->SetProgressStep([this] { ++steps_; });
    settings_->SetFinished([this] { finished_ = true; });
    AcknowledgeAll({"/B a,,c,0,1,0,g,h,i,j,k,l\r\n\r\n", "/C 0\r\n\r\n", "*/PA 0,0,1.5000,1.5000\r\n\r\n",
                    "Xa\r\n", "/B a,,c,d,e,f,g,h,i,j,k,l\r\n\r\n", "/C 3\r\n\r\n",
                    "*/PA 1,2,0.5000,0.7500\r\n\r\n"});
  }
  int steps_ = 0;
  bool finished_ = false;
};

TEST_F(InstrumentSettingsTest, EnableSetsMonitoringValuesAndDisableWritesBackExactlyWhatWasRead) {
  AnswerWithLine("A\r\n", "#SA a1,a2,a3,a4\r\n", 300);
  // Field 2 is empty: it is kept and written back empty.
  AnswerWithLine("B\r\n", "#SB a,,c,d,e,f,g,h,i,j,k,l\r\n", 300);
  AnswerWithLine("C\r\n", "#SC 3\r\n", 300);
  AnswerWithLine("*PA\r\n", "#S*PA 1,2,0.5000,0.7500\r\n", 300);
  settings_->ApplyMonitoringSettings();
  ASSERT_TRUE(loop_.RunUntil([&] { return finished_; }, 60000));
  EXPECT_EQ(steps_, 3);
  EXPECT_EQ(Sent(), (std::vector<std::string>{"A\r\n", "B\r\n", "/B a,,c,0,1,0,g,h,i,j,k,l\r\n\r\n", "C\r\n",
                                              "/C 0\r\n\r\n", "*PA\r\n", "*/PA 0,0,1.5000,1.5000\r\n\r\n",
                                              "Xa\r\n"}));
  EXPECT_EQ(settings_->Kept().blockA[1], "a2");

  firstCommand_ = Peer().Received().size();
  settings_->RestoreInstrumentSettings();
  EXPECT_EQ(Sent(), (std::vector<std::string>{"/B a,,c,d,e,f,g,h,i,j,k,l\r\n\r\n", "/C 3\r\n\r\n",
                                              "*/PA 1,2,0.5000,0.7500\r\n\r\n"}));
  EXPECT_TRUE(notices_.messages.empty());
}

TEST_F(InstrumentSettingsTest, ABlockWithAWrongFieldCountEndsTheChainWithTimedOut) {
  AnswerWithLine("A\r\n", "#SA a1,a2,a3,a4\r\n", 300);
  AnswerWithLine("B\r\n", "#SB a,b,c,d,e,f,g,h,i,j,k\r\n", 300);
  settings_->ApplyMonitoringSettings();
  loop_.RunFor(60000);
  EXPECT_EQ(notices_.messages, std::vector<std::string>{"Timed out!"});
  EXPECT_EQ(engine_->ReadingResult(), kUnexpectedLine);
  EXPECT_EQ(Sent(), (std::vector<std::string>{"A\r\n", "B\r\n"}));
  EXPECT_FALSE(finished_);
  EXPECT_EQ(loop_.PendingCount(), 0u) << "no timer left running";
}

TEST_F(InstrumentSettingsTest, UnansweredReadsTimeOutLoudlyForBlocksAndSilentlyLater) {
  Peer().Answer("#SA\r\n", {});
  settings_->ApplyMonitoringSettings();
  loop_.RunFor(14000);
  EXPECT_TRUE(notices_.messages.empty()) << "15 s are allowed";
  loop_.RunFor(4000);
  EXPECT_EQ(notices_.messages, std::vector<std::string>{"Timed out!"});
  EXPECT_EQ(engine_->ReadingResult(), kReadingTimeOut);

  notices_.messages.clear();
  AnswerWithLine("A\r\n", "#SA a1,a2,a3,a4\r\n", 300);
  AnswerWithLine("B\r\n", "#SB a,,c,d,e,f,g,h,i,j,k,l\r\n", 300);
  Peer().Answer("#SC\r\n", {});
  settings_->ApplyMonitoringSettings();
  loop_.RunFor(30000);
  EXPECT_TRUE(notices_.messages.empty());
  EXPECT_EQ(engine_->ReadingResult(), kReadingTimeOut);
  EXPECT_FALSE(finished_);
}

}  // namespace
}  // namespace vigil::link::test
