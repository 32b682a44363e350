// The command transport through the deliverer: what counts as delivered, a command killed at
// its time limit, and a failing command retried with a doubling, capped wait on the virtual
// clock until it succeeds, the rows in order and each delivered once.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "OutboxSetup.h"
#include "TempFolder.h"
#include "notify/CommandTransport.h"

namespace vigil::notify {
namespace {

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct DelivererRun {
  std::unique_ptr<Deliverer> deliverer;
  std::vector<std::string> log;
};

DelivererRun MakeRun(const std::filesystem::path& db, const std::string& command, RetryPolicy policy) {
  DelivererRun run;
  std::vector<std::unique_ptr<Transport>> transports;
  transports.push_back(std::make_unique<CommandTransport>(CommandSettings{command, 1000}));
  auto* log = &run.log;
  run.deliverer = std::make_unique<Deliverer>(db, std::move(transports), policy,
                                              [log](const std::string& line) { log->push_back(line); });
  return run;
}

TEST(CommandDelivery, OutcomesOfOneAttempt) {
  struct Case {
    const char* command;  // {out}: a file of the test's folder
    bool delivered;
    const char* error;
    const char* comment;
  };
  const Case cases[] = {
      {"cat > {out}", true, "", ""},
      {"exit 3", false, "exited with 3", ""},
      {"sleep 30", false, "did not end within 1 s", "killed at its limit on the virtual clock"},
      {"kill -9 $$", false, "signal 9", ""},
      {"exec 0<&-; exit 0", true, "", "input never read: the station must not get SIGPIPE"},
  };
  for (const Case& c : cases) {
    vigil::test::TempFolder dir;
    const auto db = dir.path() / "results.sqlite";
    ASSERT_TRUE(setup::QueueStationEvents(db, {"for 24.0 h"}, {kCommandTransport}));
    std::string command = c.command;
    if (const auto at = command.find("{out}"); at != std::string::npos)
      command.replace(at, 5, (dir.path() / "out.json").string());
    DelivererRun run = MakeRun(db, command, {60000, 60000});
    platform::VirtualTimeDriver clock;
    for (int i = 0; i < 100 && run.deliverer->Delivered().empty() && run.log.empty(); ++i)
      setup::Step(clock, *run.deliverer);
    EXPECT_EQ(run.deliverer->Delivered().size(), c.delivered ? 1u : 0u) << c.command << " " << c.comment;
    if (!c.delivered) {
      ASSERT_EQ(run.log.size(), 1u) << c.command;
      EXPECT_NE(run.log[0].find(c.error), std::string::npos) << run.log[0];
    }
    EXPECT_EQ(setup::Pending(db), c.delivered ? 0 : 1) << c.command;
  }
  vigil::test::TempFolder dir;
  const auto db = dir.path() / "results.sqlite";
  ASSERT_TRUE(setup::QueueStationEvents(db, {"x"}, {kCommandTransport}));
  DelivererRun run = MakeRun(db, "cat > " + (dir.path() / "out.json").string(), {60000, 60000});
  platform::VirtualTimeDriver clock;
  for (int i = 0; i < 100 && run.deliverer->Delivered().empty(); ++i) setup::Step(clock, *run.deliverer);
  EXPECT_NE(ReadAll(dir.path() / "out.json").find("\"kind\":\"no cycle\""), std::string::npos)
      << "the event as JSON on the command's input";
}

TEST(CommandDelivery, FailuresRetriedWithDoublingCappedWaitsThenEachRowOnceInOrder) {
  vigil::test::TempFolder dir;
  const auto db = dir.path() / "results.sqlite";
  ASSERT_TRUE(setup::QueueStationEvents(db, {"first", "second"}, {kCommandTransport}));
  const std::string f = dir.path().string();
  // Fails on its first three runs, then appends what it is given.
  const std::string command = "n=$(cat " + f + "/count 2>/dev/null || echo 0); echo $((n+1)) > " + f +
                              "/count; [ \"$n\" -ge 3 ] && cat >> " + f + "/got.json";
  DelivererRun run = MakeRun(db, command, {1000, 3000});
  platform::VirtualTimeDriver clock;
  std::uint64_t firstDeliveredMs = 0;
  for (int i = 0; i < 300 && run.deliverer->Delivered().size() < 2; ++i) {
    setup::Step(clock, *run.deliverer);
    if (firstDeliveredMs == 0 && !run.deliverer->Delivered().empty()) firstDeliveredMs = clock.ElapsedMs();
  }
  ASSERT_EQ(run.log.size(), 5u);
  EXPECT_NE(run.log[0].find("attempt 1, next in 1.0 s"), std::string::npos) << run.log[0];
  EXPECT_NE(run.log[1].find("attempt 2, next in 2.0 s"), std::string::npos) << run.log[1];
  EXPECT_NE(run.log[2].find("attempt 3, next in 3.0 s"), std::string::npos) << run.log[2] << " (capped)";
  EXPECT_GE(firstDeliveredMs, 6000u) << "1 + 2 + 3 s of waiting on the virtual clock";
  EXPECT_LT(firstDeliveredMs, 7000u);
  ASSERT_EQ(run.deliverer->Delivered().size(), 2u);
  EXPECT_EQ(run.deliverer->Delivered()[0].attempts, 4);
  EXPECT_EQ(run.deliverer->Delivered()[1].attempts, 1);
  const std::string got = ReadAll(dir.path() / "got.json");
  const auto first = got.find("\"why\":\"first\"");
  const auto second = got.find("\"why\":\"second\"");
  ASSERT_NE(first, std::string::npos) << got;
  EXPECT_GT(second, first) << "in the order written";
  EXPECT_EQ(std::count(got.begin(), got.end(), '\n'), 2) << got;
  EXPECT_EQ(setup::Pending(db), 0);
  for (int i = 0; i < 50; ++i) setup::Step(clock, *run.deliverer);
  EXPECT_EQ(ReadAll(dir.path() / "count"), "5\n") << "three failures, two deliveries, nothing run again";
}

}  // namespace
}  // namespace vigil::notify
