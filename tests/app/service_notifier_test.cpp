// The service manager's side of the watchdog, stood in for by a datagram socket named in
// NOTIFY_SOCKET: pings come while the loop turns, stop while it is stuck, and the stand-in's
// watchdog fires; started by hand, nothing is sent.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "app/ServiceNotifier.h"

namespace vigil::app {
namespace {

constexpr std::uint64_t kWatchdogMs = 3000;

// What systemd does with the messages: remembers when the last WATCHDOG=1 came (on the
// virtual clock, read each time the test looks) and fires when it is older than the limit.
class StandInManager {
 public:
  explicit StandInManager(const std::filesystem::path& path)
      : fd_(::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string text = path.string();
    text.copy(address.sun_path, sizeof(address.sun_path) - 1);
    EXPECT_EQ(::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  }
  ~StandInManager() { ::close(fd_); }

  void Look(std::uint64_t nowMs) {
    char buffer[256];
    ssize_t n = 0;
    while ((n = ::recv(fd_, buffer, sizeof(buffer), 0)) > 0) {
      const std::string message(buffer, static_cast<std::size_t>(n));
      messages.push_back(message);
      if (message == "WATCHDOG=1") lastPingMs = nowMs;
    }
    if (ready() && nowMs - lastPingMs > kWatchdogMs) fired = true;
  }
  bool ready() const { return !messages.empty() && messages.front() == "READY=1"; }

  std::vector<std::string> messages;
  std::uint64_t lastPingMs = 0;
  bool fired = false;

 private:
  int fd_;
};

class Environment {
 public:
  Environment(const char* name, const std::string& value) : name_(name) { ::setenv(name, value.c_str(), 1); }
  ~Environment() { ::unsetenv(name_); }

 private:
  const char* name_;
};

TEST(ServiceNotifier, PingsWhileTheLoopTurnsAndStopsWhenItIsStuck) {
  test::TempFolder dir;
  StandInManager manager(dir.path() / "notify");
  const Environment socket("NOTIFY_SOCKET", (dir.path() / "notify").string());
  const Environment watchdog("WATCHDOG_USEC", std::to_string(kWatchdogMs * 1000));
  platform::EventLoop loop(std::make_unique<platform::VirtualTimeDriver>());
  ServiceNotifier notifier(loop);
  ASSERT_TRUE(notifier.Active());
  EXPECT_EQ(notifier.PingPeriodMs(), kWatchdogMs / 2);
  notifier.Start();
  for (int i = 0; i < 100; ++i) {  // 10 s of a turning loop
    loop.RunFor(100);
    manager.Look(loop.Time().ElapsedMs());
  }
  ASSERT_TRUE(manager.ready()) << "READY=1 first";
  EXPECT_FALSE(manager.fired);
  EXPECT_GE(manager.messages.size(), 7u);
  const std::size_t beforeFreeze = manager.messages.size();

  // A handler that never returns: time goes on, the loop does not turn.
  for (int i = 0; i < 50 && !manager.fired; ++i) {
    loop.Virtual()->Advance(100);
    manager.Look(loop.Time().ElapsedMs());
  }
  EXPECT_TRUE(manager.fired) << "no ping for longer than the watchdog time";
  EXPECT_EQ(manager.messages.size(), beforeFreeze);

  // Turning again, the pings come back, one per period (a late one does not come twice).
  loop.RunFor(kWatchdogMs);
  manager.Look(loop.Time().ElapsedMs());
  EXPECT_GE(manager.messages.size(), beforeFreeze + 2);
  EXPECT_LE(manager.messages.size(), beforeFreeze + 3);
}

TEST(ServiceNotifier, StartedByHandSendsAndPostsNothing) {
  ::unsetenv("NOTIFY_SOCKET");
  platform::EventLoop loop(std::make_unique<platform::VirtualTimeDriver>());
  ServiceNotifier notifier(loop);
  notifier.Start();
  EXPECT_FALSE(notifier.Active());
  EXPECT_EQ(loop.PendingCount(), 0u);
}

}  // namespace
}  // namespace vigil::app
