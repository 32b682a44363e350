#include "platform/EventLoop.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace vigil::platform {
namespace {

struct Recorder : Window {
  EventLoop* loop = nullptr;
  std::vector<std::string> log;
  void OnTimer(int id) override {
    log.push_back("T" + std::to_string(id) + "@" + std::to_string(loop->Time().ElapsedMs()));
  }
  void OnCopyData(std::string_view bytes) override { log.push_back("D" + std::string(bytes)); }
  void OnNotify(int code) override { log.push_back("N" + std::to_string(code)); }
};

class EventLoopTest : public ::testing::Test {
 protected:
  EventLoopTest() : loop_(std::make_unique<VirtualTimeDriver>()) {
    window_.loop = &loop_;
    handle_ = loop_.AddWindow(&window_);
  }
  EventLoop loop_;
  Recorder window_;
  WindowHandle handle_ = 0;
};

TEST_F(EventLoopTest, TimersFireEveryPeriodUntilKilled) {
  loop_.SetTimer(handle_, 10, 60000);
  loop_.RunFor(180000);
  EXPECT_EQ(window_.log, (std::vector<std::string>{"T10@60000", "T10@120000", "T10@180000"}));
  loop_.KillTimer(handle_, 10);
  loop_.RunFor(180000);
  EXPECT_EQ(window_.log.size(), 3u);
  EXPECT_EQ(loop_.PendingCount(), 0u);
}

TEST_F(EventLoopTest, ReArmingRestartsThePeriodAndSeveralIdsLiveSideBySide) {
  loop_.SetTimer(handle_, 1, 100);
  loop_.RunFor(50);
  loop_.SetTimer(handle_, 1, 100);  // now due at 150, not 100
  loop_.SetTimer(handle_, 2, 120);  // due at 170
  loop_.RunFor(130);
  EXPECT_EQ(window_.log, (std::vector<std::string>{"T1@150", "T2@170"}));
}

TEST_F(EventLoopTest, ATimerThatFellBehindFiresOnceAndKeepsItsPhase) {
  loop_.SetTimer(handle_, 10, 1000);
  loop_.Sleep(3500);  // a long blocking step, as a modal wait without dispatch
  loop_.DispatchPending();
  EXPECT_EQ(window_.log, (std::vector<std::string>{"T10@3500"}));
  loop_.RunFor(600);
  EXPECT_EQ(window_.log.back(), "T10@4000");
}

TEST_F(EventLoopTest, MessagesAndTasksRunInOrderBeforeTimers) {
  loop_.SetTimer(handle_, 3, 10);
  loop_.Sleep(10);
  loop_.PostCopyData(handle_, "a");
  loop_.Post([&] { window_.log.push_back("task"); });
  loop_.PostCopyData(handle_, "b");
  EXPECT_EQ(loop_.DispatchPending(), 4);
  EXPECT_EQ(window_.log, (std::vector<std::string>{"Da", "task", "Db", "T3@10"}));
}

TEST_F(EventLoopTest, DispatchForOneWindowLeavesTheRestQueued) {
  Recorder other;
  other.loop = &loop_;
  const WindowHandle otherHandle = loop_.AddWindow(&other);
  loop_.PostCopyData(otherHandle, "x");
  loop_.Post([&] { window_.log.push_back("task"); });
  loop_.PostCopyData(handle_, "mine");
  EXPECT_EQ(loop_.DispatchPending(handle_), 1);
  EXPECT_EQ(window_.log, std::vector<std::string>{"Dmine"});
  loop_.RemoveWindow(otherHandle);  // its queued message goes with it
  EXPECT_EQ(loop_.DispatchPending(), 1);
  EXPECT_TRUE(other.log.empty());
}

TEST_F(EventLoopTest, RunUntilJumpsStraightToTheNextEventAndHonoursItsTimeOut) {
  bool fired = false;
  loop_.PostDelayed(70000, [&] { fired = true; });
  EXPECT_FALSE(loop_.RunUntil([&] { return fired; }, 69999));
  EXPECT_TRUE(loop_.RunUntil([&] { return fired; }, 10));
  EXPECT_EQ(loop_.Time().ElapsedMs(), 70000u);
  // Nothing can ever happen: returns at once instead of running time to infinity.
  EXPECT_FALSE(loop_.RunUntil([] { return false; }, UINT64_MAX));
}

TEST_F(EventLoopTest, SimulatedPeersDeliverDuringWaits) {
  VirtualTimeDriver& clock = *loop_.Virtual();
  clock.Schedule(250, [&] { loop_.PostCopyData(handle_, "reply"); });
  bool got = false;
  loop_.Post([] {});
  EXPECT_TRUE(loop_.RunUntil([&] { return !window_.log.empty() && (got = true); }, 1000));
  EXPECT_TRUE(got);
  EXPECT_EQ(loop_.Time().ElapsedMs(), 250u);
}

TEST_F(EventLoopTest, ATaskThatPostsItselfDoesNotStarveTheLoop) {
  int runs = 0;
  std::function<void()> again = [&] {
    ++runs;
    loop_.Post(again);
  };
  loop_.Post(again);
  loop_.DispatchPending();
  EXPECT_EQ(runs, 1);
}

TEST_F(EventLoopTest, AFloodedWindowKeepsABoundedQueueWhileTheLinkKeepsEveryReply) {
  Recorder link;
  const WindowHandle linkHandle = loop_.AddWindow(&link);
  loop_.SetInboxLimit(linkHandle, 0);
  const std::string datagram(1000, 'x');
  const int flood = 5000;  // 5 MB to each window while nothing is dispatched
  std::thread peer([&] {
    for (int i = 0; i < flood; ++i) {
      loop_.PostCopyDataFromAnyThread(handle_, datagram);
      loop_.PostCopyDataFromAnyThread(linkHandle, datagram);
    }
  });
  peer.join();
  const auto kept =
      static_cast<int>(kDefaultInboxLimitBytes / (datagram.size() + kInboxChargePerMessageBytes));
  loop_.DispatchPending(0);
  EXPECT_EQ(static_cast<int>(window_.log.size()), kept);
  EXPECT_EQ(loop_.DroppedMessages(handle_), static_cast<std::uint64_t>(flood - kept));
  EXPECT_EQ(static_cast<int>(link.log.size()), flood);
  EXPECT_EQ(loop_.DroppedMessages(linkHandle), 0u);
  loop_.PostCopyData(handle_, "after");
  loop_.DispatchPending(handle_);
  EXPECT_EQ(window_.log.back(), "Dafter") << "room again once the queue was dispatched";
}

TEST_F(EventLoopTest, NotificationsCoalesceAndGoWithTheirWindow) {
  loop_.PostNotify(handle_, 1);
  loop_.PostNotify(handle_, 1);  // the first one is still queued: it says it already
  loop_.PostCopyData(handle_, "x");
  loop_.PostNotify(handle_, 2);
  loop_.DispatchPending();
  EXPECT_EQ(window_.log, (std::vector<std::string>{"N1", "Dx", "N2"}));
  loop_.PostNotify(handle_, 1);
  loop_.RemoveWindow(handle_);
  EXPECT_EQ(loop_.PendingCount(), 0u);
}

TEST_F(EventLoopTest, ATickTakenEarlyIsSkippedAndTheNextKeepsThePhase) {
  loop_.SetTimer(handle_, 3, 1000);
  EXPECT_EQ(loop_.MsUntilWork(), 1000u);
  EXPECT_EQ(loop_.TimerDueMs(handle_, 3), 1000u);
  loop_.SkipTimerTick(handle_, 3);
  loop_.RunFor(2500);
  EXPECT_EQ(window_.log, (std::vector<std::string>{"T3@2000"}));
  EXPECT_EQ(loop_.TimerDueMs(handle_, 4), UINT64_MAX);
  loop_.KillTimer(handle_, 3);
  EXPECT_EQ(loop_.MsUntilWork(), UINT64_MAX) << "nothing armed: a host may sleep for good";
  int hooked = 0;
  loop_.SetWorkHook([&] { ++hooked; });
  loop_.Post([] {});
  loop_.SetTimer(handle_, 1, 10);
  EXPECT_EQ(hooked, 2);
  EXPECT_EQ(loop_.MsUntilWork(), 0u);
}

TEST(EventLoopReal, PostsFromAnotherThreadWakeTheLoop) {
  EventLoop loop(std::make_unique<RealTimeDriver>());
  bool done = false;
  std::thread poster([&] { loop.PostFromAnyThread([&] { done = true; }); });
  EXPECT_TRUE(loop.RunUntil([&] { return done; }, 10000));
  poster.join();
}

}  // namespace
}  // namespace vigil::platform
