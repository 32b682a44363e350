// Every fault switch changes what the program receives, and only as often as asked.
#include <gtest/gtest.h>

#include "SimFixture.h"

namespace vigil::sim::test {
namespace {

using FaultsOnDemand = SimTest;

TEST_F(FaultsOnDemand, NakRefusesTheNextMatchingCommandsOnly) {
  Boot(SmallSite());
  Connect();
  sim_->faults().nak = {{"Ts", 2}};
  Send("Ts 2");
  Send("Xa");
  Send("Ts 0");
  Send("Ts 0");
  Run(100);
  EXPECT_EQ(All(), "#STs \x15#SXa \x06#STs \x15#STs \x06");
  EXPECT_EQ(sim_->toBasicState(), 0) << "a refused command changes nothing";
}

TEST_F(FaultsOnDemand, ALostAckLeavesTheEchoWithoutIt) {
  Boot(SmallSite());
  Connect();
  sim_->faults().lostAcks = 1;
  Send("Ts 2");
  Send("Ts 0");
  Run(100);
  EXPECT_EQ(All(), "#STs #STs \x06");
}

TEST_F(FaultsOnDemand, ALateReplyComesAfterTheExtraDelay) {
  Boot(SmallSite());
  Connect();
  sim_->faults().lateReplies = 1;
  sim_->faults().lateByMs = 6000;
  Send("Ts 0");
  Run(5000);
  EXPECT_TRUE(got_.empty()) << "past the 5 s the program waits";
  Run(1100);
  EXPECT_EQ(All(), "#STs \x06");
}

TEST_F(FaultsOnDemand, ASplitReplyArrivesInPiecesThatJoinToTheLine) {
  Boot(SmallSite());
  Connect();
  sim_->faults().splitReplies = 1;
  sim_->faults().splitPieces = 3;
  Send("B");
  Run(1000);
  ASSERT_EQ(got_.size(), 3u);
  EXPECT_EQ(got_[0].find("\r\n"), std::string::npos);
  EXPECT_EQ(Lines().size(), 1u);
  EXPECT_EQ(Fields(Lines()[0]).size(), 12u);
}

TEST_F(FaultsOnDemand, TwoLinesCanComeInOneMessage) {
  Boot(SmallSite());
  Connect();
  sim_->faults().doubleLines = 1;
  Send("Ee");
  Run(1000);
  ASSERT_EQ(got_.size(), 1u);
  EXPECT_EQ(Lines().size(), 2u);
}

struct LineFaultCase {
  void (*arm)(Faults&);
  const char* command;
  bool (*check)(const std::vector<std::string>& fields, const std::string& line);
  const char* comment;
};

TEST_F(FaultsOnDemand, LineFaultsSpoilExactlyTheNextLine) {
  const LineFaultCase cases[] = {
      {[](Faults& f) { f.garbledLines = 1; }, "Ee",
       [](const auto& fields, const std::string& line) {
         return fields.size() == 1 && line.substr(0, 4) != "#SEe";
       },
       "a complete line that is no angle reply"},
      {[](Faults& f) { f.overlongLines = 1; }, "A",
       [](const auto&, const std::string& line) { return line.size() > 200; }, "longer than any line buffer"},
      {[](Faults& f) { f.vaErrors = 1; }, "Ee",
       [](const auto& fields, const std::string&) { return fields.at(4) == "E115"; }, "Va is field 5"},
      {[](Faults& f) { f.haErrors = 1; }, "Ee",
       [](const auto& fields, const std::string&) { return fields.at(5) == "E114"; }, "Ha is field 6"},
      {[](Faults& f) { f.angleStatusErrors = 1; }, "Ee",
       [](const auto&, const std::string& line) { return line.substr(5, 1) != "0"; }, "status L[3]"},
  };
  for (const LineFaultCase& c : cases) {
    Boot(SmallSite());
    Connect();
    c.arm(sim_->faults());
    Send(c.command);
    Run(1000);
    Send(c.command);
    Run(1000);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u) << c.comment;
    EXPECT_TRUE(c.check(Fields(lines[0]), lines[0])) << c.comment << ": " << lines[0];
    EXPECT_FALSE(c.check(Fields(lines[1]), lines[1])) << c.comment << ": the next one is sound";
    sim_->Stop();
    bus_->Unregister(kLinkTitle);
    got_.clear();
  }
}

TEST_F(FaultsOnDemand, DistanceErrorCodesFillTheSdOfTheNextLines) {
  Boot(SmallSite());
  Connect();
  Send("*DHA1000000VA1000000");
  Run(5000);
  got_.clear();
  sim_->faults().distanceErrors = 2;
  Send("*ST2");
  Run(3500);
  Send("*ST0");
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(Fields(lines[0]).at(4), "E201");
  EXPECT_EQ(Fields(lines[1]).at(4), "E201");
  EXPECT_NE(Fields(lines[2]).at(4), "E201") << "the third line measures again";
}

TEST_F(FaultsOnDemand, TurnErrorsAndEndlessTurns) {
  Boot(SmallSite());
  Connect();
  sim_->faults().turnErrors = 1;
  sim_->faults().turnErrorNumber = 575;
  Send("*DHA0100000VA1000000");
  Run(5000);
  EXPECT_EQ(All(), "\x06#S*DHE575\r\n");
  got_.clear();
  sim_->faults().endlessTurns = 1;
  Send("*DHA0200000VA1000000");
  Run(100'000);
  EXPECT_EQ(All(), "\x06") << "accepted, but never arrives";
  got_.clear();
  Send("*DHA0200000VA1000000");
  Run(5000);
  EXPECT_EQ(All(), "\x06#S*DHOK\r\n");
}

TEST_F(FaultsOnDemand, TheWindowDisappearsAndComesBack) {
  Boot(SmallSite());
  Connect();
  sim_->faults().vanishOnPrefix = "Ts";
  sim_->faults().vanishForMs = 3000;
  Send("Ts 2");
  EXPECT_FALSE(bus_->Exists(kInstrumentTitle));
  EXPECT_FALSE(bus_->SendTo(kInstrumentTitle, "#STs 0\r\n"));
  Run(2900);
  EXPECT_FALSE(sim_->Present());
  Run(200);
  EXPECT_TRUE(bus_->Exists(kInstrumentTitle));
  Send("Ts 2");
  Run(100);
  EXPECT_EQ(All(), "#STs \x06") << "only the command after the return is answered";
}

TEST_F(FaultsOnDemand, FaultsCanComeFromTheScenario) {
  Scenario s = SmallSite();
  s.faults.nak = {{"Xa", 1}};
  Boot(s);
  Connect();
  Send("Xa");
  Send("Xa");
  Run(100);
  EXPECT_EQ(All(), "#SXa \x15#SXa \x06");
}

}  // namespace
}  // namespace vigil::sim::test
