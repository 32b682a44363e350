// Opening and closing the link: the exact command sequences and every way a step can fail.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LinkFixture.h"
#include "link/ControlChars.h"

namespace vigil::link::test {
namespace {

const std::string kTc = "#STc\r\n";
const std::string kT1 = "#ST1 VNT8-Message communication\r\n";
const std::string kT2 = "#ST2 VNT8-Message communication\r\n";
const std::string kTs0 = "#STs 0\r\n";
const std::string kTs2 = "#STs 2\r\n";
const std::string kNakOnly(1, kNak);

using ConnectTest = LinkFixture;

TEST_F(ConnectTest, SendsTheFourSetUpCommandsByteForByte) {
  ScriptConnect();
  EXPECT_TRUE(Link().Connect());
  EXPECT_TRUE(Link().IsOpen());
  EXPECT_TRUE(bus_->Exists(kLinkWindowTitle));
  EXPECT_EQ(Peer().Received(), (std::vector<std::string>{kTc, kT1, kT2, kTs0}));
}

TEST_F(ConnectTest, WithoutBasicModeReturnsFalseAndRegistersNoEndpoint) {
  EXPECT_FALSE(Link().Connect());
  EXPECT_FALSE(Link().IsOpen());
  EXPECT_FALSE(bus_->Exists(kLinkWindowTitle));
  EXPECT_EQ(NowMs(), 0u) << "nothing to wait for";
}

TEST_F(ConnectTest, UnansweredCloseIsIgnored) {
  ScriptConnect();
  Peer().Answer(kTc, {});
  EXPECT_TRUE(Link().Connect());
}

struct ConnectFailure {
  const char* name;
  std::string t1Answer;
  std::string t2Answer;
  std::string ts0Answer;
  std::size_t commandsSent;
};

TEST_F(ConnectTest, EveryFailingStepEndsTheConnect) {
  const std::vector<ConnectFailure> cases = {
      {"T1 refused", kNakOnly, AckedEcho("#ST2 "), AckedEcho("#STs "), 2},
      {"T1 acknowledged with a wrong echo", AckedEcho("#ST2 "), AckedEcho("#ST2 "), AckedEcho("#STs "), 2},
      {"T1 echo cut short before the ACK", AckedEcho("#ST1"), AckedEcho("#ST2 "), AckedEcho("#STs "), 2},
      {"T2 not answered", AckedEcho("#ST1 "), "", AckedEcho("#STs "), 3},
      {"To Basic refused", AckedEcho("#ST1 "), AckedEcho("#ST2 "), kNakOnly, 4},
      {"To Basic acknowledged with a wrong echo", AckedEcho("#ST1 "), AckedEcho("#ST2 "), AckedEcho("#STc "),
       4},
  };
  for (const ConnectFailure& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    Peer().Answer(kTc, {{5, AckedEcho("#STc ")}});
    if (!c.t1Answer.empty()) Peer().Answer(kT1, {{5, c.t1Answer}});
    if (!c.t2Answer.empty()) Peer().Answer(kT2, {{5, c.t2Answer}});
    Peer().Answer(kTs0, {{5, c.ts0Answer}});
    EXPECT_FALSE(Link().Connect());
    EXPECT_EQ(Peer().Received().size(), c.commandsSent);
  }
}

TEST_F(ConnectTest, AFailedConnectLeavesTheEndpointUntilDisconnect) {
  Peer().Answer(kT1, {{5, kNakOnly}});
  ASSERT_FALSE(Link().Connect());
  EXPECT_TRUE(bus_->Exists(kLinkWindowTitle));
  Peer().Answer(kTs2, {{5, AckedEcho("#STs ")}});
  EXPECT_TRUE(Link().Disconnect());
  EXPECT_FALSE(bus_->Exists(kLinkWindowTitle));
}

TEST_F(ConnectTest, ConnectAgainReusesTheEndpoint) {
  Peer().Answer(kT1, {{5, kNakOnly}});
  ASSERT_FALSE(Link().Connect());
  ScriptConnect();
  EXPECT_TRUE(Link().Connect());
  EXPECT_TRUE(bus_->Exists(kLinkWindowTitle));
}

using DisconnectTest = LinkFixture;

TEST_F(DisconnectTest, OnAClosedLinkReturnsTrueAndSendsNothing) {
  Peer();
  EXPECT_TRUE(Link().Disconnect());
  EXPECT_TRUE(Peer().Received().empty());
  EXPECT_EQ(NowMs(), 0u);
}

TEST_F(DisconnectTest, SendsSuspendThenCloseByteForByteAndRemovesTheEndpoint) {
  ConnectOrFail();
  const std::size_t before = Peer().Received().size();
  EXPECT_TRUE(Link().Disconnect());
  const std::vector<std::string> sent(Peer().Received().begin() + static_cast<long>(before),
                                      Peer().Received().end());
  EXPECT_EQ(sent, (std::vector<std::string>{kTs2, kTc}));
  EXPECT_FALSE(Link().IsOpen());
  EXPECT_FALSE(bus_->Exists(kLinkWindowTitle));
}

struct DisconnectCase {
  const char* name;
  std::string ts2Answer;  // empty: no answer
  std::string tcAnswer;
  bool expected;
  bool stillOpen;
};

TEST_F(DisconnectTest, OutcomeByAnswer) {
  const std::vector<DisconnectCase> cases = {
      {"all acknowledged", AckedEcho("#STs "), AckedEcho("#STc "), true, false},
      {"suspend refused keeps the link", kNakOnly, AckedEcho("#STc "), false, true},
      {"suspend not answered keeps the link", "", AckedEcho("#STc "), false, true},
      {"close refused still closes", AckedEcho("#STs "), kNakOnly, true, false},
      {"close not answered still closes", AckedEcho("#STs "), "", true, false},
      {"close acknowledged with a wrong echo", AckedEcho("#STs "), AckedEcho("#ST1 "), false, false},
  };
  for (const DisconnectCase& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    ConnectOrFail();
    Peer().Answer(kTs2, {{5, c.ts2Answer}});
    Peer().Answer(kTc, {{5, c.tcAnswer}});
    EXPECT_EQ(Link().Disconnect(), c.expected);
    EXPECT_EQ(Link().IsOpen(), c.stillOpen);
    EXPECT_EQ(bus_->Exists(kLinkWindowTitle), c.stillOpen);
  }
}

TEST_F(DisconnectTest, DestroyingTheLinkClosesIt) {
  ConnectOrFail();
  link_.reset();
  EXPECT_EQ(Peer().Received().back(), kTc);
  EXPECT_FALSE(bus_->Exists(kLinkWindowTitle));
}

TEST_F(DisconnectTest, SetToBasicStateSendsTheTwoSettings) {
  ConnectOrFail();
  EXPECT_TRUE(Link().SetToBasicState(false));
  EXPECT_EQ(Peer().Received().back(), kTs2);
  EXPECT_TRUE(Link().SetToBasicState(true));
  EXPECT_EQ(Peer().Received().back(), kTs0);
}

}  // namespace
}  // namespace vigil::link::test
