// Waiting for the acknowledgement, the tick-count wrap, and the three ways of sending.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LinkFixture.h"
#include "link/ControlChars.h"

namespace vigil::link::test {
namespace {

const std::string kAckText(1, kAck);
const std::string kNakText(1, kNak);

struct WaitCase {
  const char* name;
  std::vector<ScriptedReply> replies;
  int timeoutSeconds;
  LinkStatus expected;
  std::string lastReply;
  std::uint64_t minElapsedMs;
  std::uint64_t maxElapsedMs;
};

using WaitTest = LinkFixture;

TEST_F(WaitTest, OutcomeOfOneAcknowledgedCommand) {
  const std::string longText(kReplyCapacity, 'x');
  const std::vector<WaitCase> cases = {
      {"ACK in the same message as the echo",
       {{10, "#STs " + kAckText}},
       5,
       LinkStatus::Ack,
       "#STs " + kAckText,
       50,
       50},
      {"reply joined from several messages",
       {{10, "#ST"}, {120, "s "}, {300, kAckText}},
       5,
       LinkStatus::Ack,
       "#STs " + kAckText,
       300,
       350},
      {"NAK before ACK in one message",
       {{10, "#STs " + kNakText + kAckText}},
       5,
       LinkStatus::Nak,
       "#STs " + kNakText + kAckText,
       50,
       50},
      {"ACK before NAK in one message",
       {{10, kAckText + kNakText}},
       5,
       LinkStatus::Ack,
       kAckText + kNakText,
       50,
       50},
      {"NAK in a later message",
       {{10, "#STs "}, {400, kNakText}},
       5,
       LinkStatus::Nak,
       "#STs " + kNakText,
       400,
       450},
      {"no answer", {}, 1, LinkStatus::TimeOut, "", 1000, 1050},
      {"text without ACK", {{10, "#STs "}}, 2, LinkStatus::TimeOut, "#STs ", 2000, 2050},
      {"ACK after the time-out", {{1500, kAckText}}, 1, LinkStatus::TimeOut, "", 1000, 1050},
      // Text beyond 999 characters is dropped, ACK included.
      {"ACK behind a full buffer",
       {{10, longText}, {20, kAckText}},
       1,
       LinkStatus::TimeOut,
       longText,
       1000,
       1050},
  };
  for (const WaitCase& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    ConnectOrFail();
    Peer().Answer("#SXh\r\n", c.replies);
    const std::uint64_t start = NowMs();
    EXPECT_EQ(Link().SendAndWaitAck("Xh\r\n", c.timeoutSeconds), c.expected);
    EXPECT_EQ(Link().LastReply(), c.lastReply);
    EXPECT_GE(NowMs() - start, c.minElapsedMs);
    EXPECT_LE(NowMs() - start, c.maxElapsedMs);
    EXPECT_EQ(Link().Replies().Count(), 0) << "the reply buffer is cleared at the end of every wait";
  }
}

TEST_F(WaitTest, AnAckOfAnEarlierCommandDoesNotAnswerTheNextOne) {
  ConnectOrFail();
  Link().Replies().Append(kAckText);
  Peer().Answer("#SXa\r\n", {});
  EXPECT_EQ(Link().SendAndWaitAck("Xa\r\n", 1), LinkStatus::TimeOut);
}

TEST_F(WaitTest, OnAClosedLinkNothingIsSentOrAwaited) {
  Peer();
  EXPECT_EQ(Link().SendAndWaitAck("Xh\r\n", 10), LinkStatus::TimeOut);
  Link().Send("Xh\r\n");
  EXPECT_EQ(Link().SendCommand(kSearchPrism), LinkStatus::TimeOut);
  EXPECT_TRUE(Peer().Received().empty());
  EXPECT_EQ(NowMs(), 0u);
}

TEST_F(WaitTest, ACommandLongerThanTheSendBufferIsNotSent) {
  ConnectOrFail();
  const std::size_t before = Peer().Received().size();
  Link().Send(std::string(kMaxCommandBytes + 1, 'x'));
  EXPECT_EQ(Peer().Received().size(), before);
  Link().Send(std::string(kMaxCommandBytes, 'x'));
  ASSERT_EQ(Peer().Received().size(), before + 1);
  EXPECT_EQ(Peer().Received().back().size(), kMaxCommandBytes + 2);
}

class WrapTest : public LinkFixture {
 protected:
  WrapTest() : LinkFixture(0xFFFFFFFFu - 299u) {}
};

TEST_F(WrapTest, AWaitAcrossTheWrapDoesNotEndEarly) {
  ConnectOrFail();  // takes about 200 ms: the wait below starts about 100 ms before the wrap
  ASSERT_GT(loop_.TickCount(), 0xFFFFFFFFu - 150u);
  Peer().Answer("#SXa\r\n", {{900, kAckText}});
  EXPECT_EQ(Link().SendAndWaitAck("Xa\r\n", 1), LinkStatus::Ack);
}

TEST_F(WrapTest, ATimeOutAcrossTheWrapRestartsAtTheWrap) {
  ConnectOrFail();
  Peer().Answer("#SXa\r\n", {});
  const std::uint64_t start = NowMs();
  EXPECT_EQ(Link().SendAndWaitAck("Xa\r\n", 1), LinkStatus::TimeOut);
  // About 100 ms before the wrap, then the full second after it.
  EXPECT_GE(NowMs() - start, 1000u);
  EXPECT_LE(NowMs() - start, 1200u);
}

using SendWayTest = LinkFixture;

TEST_F(SendWayTest, FireAndPauseBlocksWithoutTakingReplies) {
  ConnectOrFail();
  Peer().Answer("#SEe\r\n", {{100, "#SEe,0,00\r\n"}});
  Link().AcknowledgedFlag() = true;
  Link().Replies().Append("stale");
  const std::uint64_t start = NowMs();
  EXPECT_EQ(Link().SendCommand(kReadAngles), LinkStatus::Ack);
  EXPECT_EQ(NowMs() - start, kFirePauseMs);
  EXPECT_FALSE(Link().Acknowledged());
  EXPECT_EQ(Link().Replies().Count(), 0) << "nothing is dispatched during the pause";
  loop_.DispatchPending();
  EXPECT_EQ(Link().Replies().Text(), "#SEe,0,00\r\n");
}

TEST_F(SendWayTest, FireReturnsAtOnce) {
  ConnectOrFail();
  const std::uint64_t start = NowMs();
  Link().AcknowledgedFlag() = true;
  EXPECT_EQ(Link().SendCommand(kSearchPrism), LinkStatus::Ack);
  EXPECT_EQ(NowMs(), start);
  EXPECT_FALSE(Link().Acknowledged());
  EXPECT_EQ(Peer().Received().back(), "#S*SJ000000\r\n");
}

TEST_F(SendWayTest, StopWaitsLongerWhileMeasuringContinuously) {
  ConnectOrFail();
  Peer().Answer("#S*ST0\r\n", {});
  struct Step {
    const Command* before;
    bool continuous;
    std::uint64_t stopWaitMs;
  };
  for (const Step& step : {Step{&kMeasureDistance, true, 6000}, Step{&kReadAngles, false, 2000}}) {
    Link().SendCommand(*step.before);
    EXPECT_EQ(Link().ContinuousMeasuring(), step.continuous);
    const std::uint64_t start = NowMs();
    EXPECT_EQ(Link().SendCommand(kStopMeasuring), LinkStatus::TimeOut);
    EXPECT_GE(NowMs() - start, step.stopWaitMs);
    EXPECT_LT(NowMs() - start, step.stopWaitMs + 100);
  }
}

TEST_F(SendWayTest, BuiltCommandGoesOutInItsWay) {
  ConnectOrFail();
  Peer().Answer("#S/C 0\r\n\r\n", {{20, kAckText}});
  const auto bytes = BuildWriteReflectorTypeCommand("0");
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(Link().SendCommand(kWriteReflectorType, *bytes), LinkStatus::Ack);
  Peer().Answer("#S/C 0\r\n\r\n", {{20, kNakText}});
  EXPECT_EQ(Link().SendCommand(kWriteReflectorType, *bytes), LinkStatus::Nak);
}

}  // namespace
}  // namespace vigil::link::test
