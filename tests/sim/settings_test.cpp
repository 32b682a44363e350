// Parameter blocks and settings: the program must read back exactly what it wrote.
#include <gtest/gtest.h>

#include "SimFixture.h"

namespace vigil::sim::test {
namespace {

using Settings = SimTest;

struct BlockCase {
  const char* write;  // acknowledged command, sent with two CR LF pairs
  const char* read;
  const char* expected;  // the reply line without CR LF
  const char* comment;
};

TEST_F(Settings, WrittenBlocksAreReadBackExactly) {
  const BlockCase cases[] = {
      {"/B 1,0,2,0,1,0,0,0,1,3,0,0", "B", "#SB 1,0,2,0,1,0,0,0,1,3,0,0", "the monitoring block"},
      {"/B ,,,,,,,,,,,", "B", "#SB ,,,,,,,,,,,", "write-back after an Enable that ended early"},
      {"/B a b,+1.5,,x,,,,,,,,z", "B", "#SB a b,+1.5,,x,,,,,,,,z", "opaque texts, blanks kept"},
      {"/C 0", "C", "#SC 0", ""},
      {"/C ", "C", "#SC ", "an empty reflector type"},
      {"*/PA 0,0,1.5000,1.5000", "*PA", "#S*PA 0,0,1.5000,1.5000", ""},
  };
  Boot(SmallSite());
  Connect();
  for (const BlockCase& c : cases) {
    got_.clear();
    Send(c.write, "\r\n\r\n");
    Run(100);
    ASSERT_EQ(got_.size(), 1u) << c.comment;
    EXPECT_EQ(got_[0].back(), '\x06') << c.comment;
    got_.clear();
    Send(c.read);
    Run(100);
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Lines()[0], c.expected) << c.comment;
  }
}

TEST_F(Settings, BlocksHaveTheFieldCountsTheProgramRequires) {
  Boot(SmallSite());
  Connect();
  const std::pair<const char*, std::size_t> reads[] = {{"A", 4}, {"B", 12}, {"C", 1}, {"*PA", 4}};
  for (const auto& [read, count] : reads) {
    got_.clear();
    Send(read);
    Run(100);
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Fields(Lines()[0]).size(), count) << read;
    EXPECT_EQ(Lines()[0].substr(0, 3 + std::string(read).size()), "#S" + std::string(read) + " ");
  }
}

TEST_F(Settings, AnEnableAndDisableLeaveTheInstrumentAsItWas) {
  Boot(SmallSite());
  Connect();
  const auto before = sim_->blockB();
  const std::string reflector = sim_->reflectorType();
  const auto motor = sim_->motor();
  std::string restore = "/B ";
  for (std::size_t i = 0; i < 12; ++i) restore += (i ? "," : "") + before[i];
  Send("/B 1,0,2,0,1,0,0,0,1,3,0,0", "\r\n\r\n");
  Send("/C 0", "\r\n\r\n");
  Send("*/PA 0,0,1.5000,1.5000", "\r\n\r\n");
  Send("Xa");
  Send(restore, "\r\n\r\n");
  Send("/C " + reflector, "\r\n\r\n");
  Send("*/PA " + motor[0] + "," + motor[1] + "," + motor[2] + "," + motor[3], "\r\n\r\n");
  Run(100);
  EXPECT_EQ(sim_->blockB(), before);
  EXPECT_EQ(sim_->reflectorType(), reflector);
  EXPECT_EQ(sim_->motor(), motor);
  EXPECT_TRUE(sim_->fineMode());
}

TEST_F(Settings, LightAndToBasicFollowTheirCommands) {
  Boot(SmallSite());
  Connect();
  EXPECT_EQ(sim_->toBasicState(), 0);
  Send("*GLON");
  Run(100);
  EXPECT_TRUE(sim_->lightOn());
  Send("*GLOFF");
  Send("Ts 2");
  Run(100);
  EXPECT_FALSE(sim_->lightOn());
  EXPECT_EQ(sim_->toBasicState(), 2);
  EXPECT_EQ(All(), "#S*GL\x06#S*GL\x06#STs \x06");
}

}  // namespace
}  // namespace vigil::sim::test
