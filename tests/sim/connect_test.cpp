// The link set-up as the program runs it: echoes, ACK, where the replies go.
#include <gtest/gtest.h>

#include "SimFixture.h"

namespace vigil::sim::test {
namespace {

using LinkSetUp = SimTest;

TEST_F(LinkSetUp, EachStepIsEchoedAndAcknowledgedToTheAnnouncedWindow) {
  Boot(SmallSite());
  Send("Tc");  // no window announced yet: nobody to answer
  Run(1000);
  EXPECT_TRUE(got_.empty());
  const std::pair<const char*, const char*> steps[] = {
      {"T1 VNT8-Message communication", "#ST1 \x06"},
      {"T2 VNT8-Message communication", "#ST2 \x06"},
      {"Ts 0", "#STs \x06"},
      {"Ts 2", "#STs \x06"},
      {"Tc", "#STc \x06"},
  };
  for (const auto& [command, reply] : steps) {
    got_.clear();
    Send(command);
    Run(100);
    ASSERT_EQ(got_.size(), 1u) << command;
    EXPECT_EQ(got_[0], reply) << command;
  }
  EXPECT_EQ(sim_->toBasicState(), 2);
  EXPECT_EQ(sim_->linkTitle(), "") << "Tc closes the link";
  EXPECT_EQ(sim_->log().Count("Tc"), 2);
  EXPECT_EQ(sim_->log().Count("Ts"), 2);
}

TEST_F(LinkSetUp, RepliesAreNotThereAtOnceButWellWithinTheWaits) {
  Boot(SmallSite());
  Send("T1 VNT8-Message communication");
  EXPECT_TRUE(got_.empty()) << "the instrument answers after a moment, not inside the send";
  Run(50);
  EXPECT_EQ(got_.size(), 1u) << "the link polls every 50 ms and waits at least 1 s";
}

TEST_F(LinkSetUp, GreetingIsAnsweredToTheMainWindowWithExactlySixCharacters) {
  Boot(SmallSite());
  std::vector<std::string> main;
  ASSERT_TRUE(bus_->Register("DLK VIGIL", [&main](std::string b) { main.push_back(std::move(b)); }));
  ASSERT_TRUE(bus_->SendTo(kInstrumentTitle, "#STl DLK VIGIL\r\n"));
  Run(100);
  ASSERT_EQ(main.size(), 1u);
  EXPECT_EQ(main[0], "#STl \x06");
  EXPECT_TRUE(got_.empty());
  EXPECT_EQ(sim_->mainTitle(), "DLK VIGIL");
}

TEST_F(LinkSetUp, UnknownOrMalformedCommandsAreRefusedWithTheirEcho) {
  Boot(SmallSite());
  Connect();
  Send("Zz 9");
  Send("/B 1,2");
  Run(100);
  EXPECT_EQ(All(), "#SZz \x15#S/B \x15");
  EXPECT_EQ(sim_->log().Count("?"), 2);
  ASSERT_EQ(sim_->log().All().size(), 5u);
  EXPECT_EQ(sim_->log().All().back().bytes, "#S/B 1,2\r\n");
}

TEST_F(LinkSetUp, ARecordKeepsTheTimeAndBytesOfEveryCommand) {
  Boot(SmallSite());
  Send("T1 VNT8-Message communication");
  Run(1234);
  Send("Ee");
  const auto& all = sim_->log().All();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[1].elapsedMs, 1234u);
  EXPECT_EQ(all[1].bytes, "#SEe\r\n");
  EXPECT_EQ(all[1].command.kind, CommandKind::kReadAngles);
}

TEST_F(LinkSetUp, AStoppedSimulatorIsNoWindowAndItsTitleIsFreeAgain) {
  Boot(SmallSite());
  EXPECT_TRUE(bus_->Exists(kInstrumentTitle));
  sim_->Stop();
  EXPECT_FALSE(bus_->Exists(kInstrumentTitle));
  sim_.reset();
  Run(100000);  // nothing scheduled by a destroyed simulator may run
  Simulator again(*bus_, clock_, SmallSite());
  EXPECT_TRUE(again.Start());
}

}  // namespace
}  // namespace vigil::sim::test
