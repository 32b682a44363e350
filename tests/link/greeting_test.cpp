// The start-up greeting to the Basic-mode application.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RecordingNotices.h"
#include "ScriptedPeer.h"
#include "link/ControlChars.h"
#include "link/Greeting.h"
#include "platform/EventLoop.h"

namespace vigil::link::test {
namespace {

class GreetingTest : public ::testing::Test {
 protected:
  GreetingTest()
      : loop_(std::make_unique<platform::VirtualTimeDriver>(0xFFFFFFFFu - 5000u)),
        clock_(*loop_.Virtual()),
        bus_(platform::MakeInProcessBus()),
        greeting_(loop_, *bus_, notices_) {}

  ScriptedPeer& Peer() {
    if (!peer_) peer_ = std::make_unique<ScriptedPeer>(clock_, *bus_);
    return *peer_;
  }
  void Answer(std::vector<ScriptedReply> replies) {
    for (ScriptedReply& r : replies) r.to = std::string(kMainWindowTitle);
    Peer().Answer(std::string(kGreetingBytes), std::move(replies));
  }

  platform::EventLoop loop_;
  platform::VirtualTimeDriver& clock_;
  std::unique_ptr<platform::MessageBus> bus_;
  RecordingNotices notices_;
  Greeting greeting_;
  std::unique_ptr<ScriptedPeer> peer_;
};

const std::string kAnswer = "#STl " + std::string(1, kAck);

TEST_F(GreetingTest, SendsTheSixteenBytesAsTheyAre) {
  Answer({{20, kAnswer}});
  EXPECT_EQ(greeting_.AnnounceToBasicMode(), GreetingResult::Answered);
  ASSERT_EQ(Peer().Received().size(), 1u);
  EXPECT_EQ(Peer().Received()[0], "#STl DLK VIGIL\r\n");
  EXPECT_EQ(Peer().Received()[0].size(), 16u);
  EXPECT_TRUE(notices_.messages.empty());
}

struct AnswerCase {
  const char* name;
  std::vector<ScriptedReply> replies;
  GreetingResult expected;
  std::string received;
};

TEST_F(GreetingTest, OnlyExactlyTheSixCharactersComplete) {
  const std::vector<AnswerCase> cases = {
      {"in two messages", {{10, "#STl"}, {2000, " \x06"}}, GreetingResult::Answered, kAnswer},
      {"just before the ten seconds", {{9900, kAnswer}}, GreetingResult::Answered, kAnswer},
      {"a seventh character spoils it", {{10, kAnswer + "x"}}, GreetingResult::NoAnswer, kAnswer + "x"},
      {"at most nine are kept", {{10, "#STl xxxxxxxx"}}, GreetingResult::NoAnswer, "#STl xxxx"},
      {"a NAK", {{10, "#STl \x15"}}, GreetingResult::NoAnswer, "#STl \x15"},
      {"after the ten seconds", {{10100, kAnswer}}, GreetingResult::NoAnswer, ""},
  };
  for (const AnswerCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto loop = std::make_unique<platform::EventLoop>(std::make_unique<platform::VirtualTimeDriver>());
    auto bus = platform::MakeInProcessBus();
    RecordingNotices notices;
    Greeting greeting(*loop, *bus, notices);
    ScriptedPeer peer(*loop->Virtual(), *bus);
    std::vector<ScriptedReply> replies = c.replies;
    for (ScriptedReply& r : replies) r.to = std::string(kMainWindowTitle);
    peer.Answer(std::string(kGreetingBytes), replies);
    EXPECT_EQ(greeting.AnnounceToBasicMode(), c.expected);
    EXPECT_EQ(greeting.Received(), c.received);
    if (c.expected == GreetingResult::NoAnswer) {
      EXPECT_EQ(notices.messages, std::vector<std::string>{"Error starting communication (Tl)!"});
    }
  }
}

TEST_F(GreetingTest, WithoutBasicModeTellsTheOperator) {
  EXPECT_EQ(greeting_.AnnounceToBasicMode(), GreetingResult::NoBasicMode);
  EXPECT_EQ(notices_.messages, std::vector<std::string>{"Cannot find Basic Mode Application!"});
}

TEST_F(GreetingTest, NoAnswerWaitsTheFullTenSecondsAcrossTheWrap) {
  Peer();
  const std::uint64_t start = clock_.ElapsedMs();
  EXPECT_EQ(greeting_.AnnounceToBasicMode(), GreetingResult::NoAnswer);
  // The wrap falls 5 s into the wait, which then runs its ten seconds afresh.
  EXPECT_GE(clock_.ElapsedMs() - start, 10000u);
  EXPECT_LE(clock_.ElapsedMs() - start, 15100u);
  EXPECT_EQ(notices_.messages, std::vector<std::string>{"Error starting communication (Tl)!"});
}

TEST_F(GreetingTest, RunsOnlyOnce) {
  Answer({{20, kAnswer}});
  EXPECT_EQ(greeting_.AnnounceToBasicMode(), GreetingResult::Answered);
  EXPECT_EQ(greeting_.AnnounceToBasicMode(), GreetingResult::AlreadyDone);
  EXPECT_EQ(Peer().Received().size(), 1u);
}

TEST_F(GreetingTest, OtherMessagesAreHandledWhileWaiting) {
  Answer({{3000, kAnswer}});
  bool ran = false;
  loop_.PostDelayed(1000, [&] { ran = true; });
  EXPECT_EQ(greeting_.AnnounceToBasicMode(), GreetingResult::Answered);
  EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace vigil::link::test
