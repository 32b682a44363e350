// vigil-web under a stand-in for systemd's notify socket (a datagram socket named in
// NOTIFY_SOCKET): ready once the server answers, pings while it answers, silent while a
// listener never answers. Real time (the server is real): bounded waits on the socket only.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "SteppingSite.h"
#include "TempFolder.h"
#include "results/ResultsDatabase.h"
#include "web/ServiceWatchdog.h"
#include "web/WebTool.h"

namespace vigil::web {
namespace {

constexpr int kWatchdogMs = 1000;  // pings every 500 ms

class StandInManager {
 public:
  explicit StandInManager(const std::filesystem::path& path) : fd_(::socket(AF_UNIX, SOCK_DGRAM, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.string().copy(address.sun_path, sizeof(address.sun_path) - 1);
    EXPECT_EQ(::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::setenv("NOTIFY_SOCKET", path.c_str(), 1);
    ::setenv("WATCHDOG_USEC", std::to_string(kWatchdogMs * 1000).c_str(), 1);
    ::unsetenv("WATCHDOG_PID");
  }
  ~StandInManager() {
    ::unsetenv("NOTIFY_SOCKET");
    ::unsetenv("WATCHDOG_USEC");
    ::close(fd_);
  }
  std::optional<std::string> Next(int timeoutMs) {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) != 1) return std::nullopt;
    char buffer[256];
    const ssize_t n = ::recv(fd_, buffer, sizeof(buffer), 0);
    if (n <= 0) return std::nullopt;
    return std::string(buffer, static_cast<std::size_t>(n));
  }

 private:
  int fd_;
};

TEST(WebNotify, ReadyWhenServingAndPingsWhileItAnswersEvenWithoutTheToken) {
  vigil::test::TempFolder folder;
  std::string error;
  ASSERT_TRUE(test::WriteSteppingSite(folder.path(), error)) << error;
  StandInManager manager(folder.path() / "notify");
  std::function<void()> stop;
  std::ostringstream out, err;
  int code = -1;
  std::thread tool([&] {
    // Guarded by a token: the watchdog's own request is refused, and that is an answer too.
    code = RunWebTool({"--db", (folder.path() / results::kResultsFileName).string(), "--listen",
                       "127.0.0.1:0", "--token", "s3cret-token-1"},
                      out, err, [&](std::function<void()> s) { stop = std::move(s); });
  });
  const std::optional<std::string> first = manager.Next(10000);
  ASSERT_TRUE(first) << err.str();
  EXPECT_EQ(*first, "READY=1");
  auto last = std::chrono::steady_clock::now();
  for (int i = 0; i < 5; ++i) {
    const std::optional<std::string> next = manager.Next(3 * kWatchdogMs);
    ASSERT_TRUE(next) << "ping " << i;
    EXPECT_EQ(*next, "WATCHDOG=1");
    const auto now = std::chrono::steady_clock::now();
    if (i > 0) {
      EXPECT_LE(std::chrono::duration_cast<std::chrono::milliseconds>(now - last).count(), kWatchdogMs);
    }
    last = now;
  }
  stop();
  tool.join();
  EXPECT_EQ(code, 0) << err.str();
  std::optional<std::string> message;
  while ((message = manager.Next(2000)) && *message == "WATCHDOG=1") {
  }
  EXPECT_EQ(message.value_or("nothing"), "STOPPING=1");
}

// Connections are taken by the kernel into the backlog, but nobody answers: no READY=1.
TEST(WebNotify, AListenerThatNeverAnswersIsNeverReported) {
  vigil::test::TempFolder folder;
  StandInManager manager(folder.path() / "notify");
  const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  ASSERT_EQ(::listen(listener, 16), 0);
  socklen_t length = sizeof(address);
  ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  {
    const ServiceWatchdog watchdog("127.0.0.1", ntohs(address.sin_port));
    EXPECT_TRUE(watchdog.Active());
    EXPECT_EQ(watchdog.PeriodMs(), kWatchdogMs / 2);
    EXPECT_EQ(manager.Next(2500), std::nullopt) << "a listener that never answers is not ready";
  }
  EXPECT_EQ(manager.Next(2000).value_or("nothing"), "STOPPING=1");
  ::close(listener);
}

}  // namespace
}  // namespace vigil::web
