// The real VigilStation as systemd runs it: --no-window under a stand-in for the manager's
// notify socket, without a display. Real time, since it is another process: every wait is a
// bounded wait on the socket, never a sleep.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "ResumeWorld.h"
#include "TempFolder.h"
#include "link/LinkTrace.h"
#include "ui/ResumeState.h"

namespace vigil::crashtest {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kWatchdogMs = 1000;  // pings every 500 ms

// The manager's end: a datagram socket named in NOTIFY_SOCKET.
class StandInManager {
 public:
  explicit StandInManager(const std::filesystem::path& path) : fd_(::socket(AF_UNIX, SOCK_DGRAM, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.string().copy(address.sun_path, sizeof(address.sun_path) - 1);
    EXPECT_EQ(::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  }
  ~StandInManager() { ::close(fd_); }

  /// The next message, waiting at most `timeoutMs`; none when nothing came.
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

// VigilStation started as the unit starts it, its standard error kept in a file.
class Program {
 public:
  Program(const std::filesystem::path& home, const std::filesystem::path& notify,
          const std::filesystem::path& errors) {
    const std::string runtime = (home / "run").string();
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    std::vector<std::string> args{VIGIL_STATION_PROGRAM,
                                  "--no-window",
                                  "--resume",
                                  "--home",
                                  home.string(),
                                  "--runtime-dir",
                                  runtime,
                                  "--sim",
                                  std::string(VIGIL_SOURCE_DIR) + "/sim/scenarios/dam-wall.json"};
    pid_ = ::fork();
    if (pid_ != 0) return;
    // No display of any kind: a window would fail to open and end the program.
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "WATCHDOG_PID"})
      ::unsetenv(name);
    ::setenv("NOTIFY_SOCKET", notify.c_str(), 1);
    ::setenv("WATCHDOG_USEC", std::to_string(kWatchdogMs * 1000).c_str(), 1);
    std::freopen(errors.c_str(), "w", stderr);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    std::_Exit(127);
  }
  ~Program() {
    if (pid_ > 0 && !waited_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  /// SIGTERM, as `systemctl stop` sends; the wait status.
  int Terminate() {
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    waited_ = true;
    return status;
  }
  bool Running() { return ::waitpid(pid_, nullptr, WNOHANG) == 0; }

 private:
  pid_t pid_ = -1;
  bool waited_ = false;
};

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

int SentLines(const std::filesystem::path& trace) {
  std::istringstream in(FileText(trace));
  int sent = 0;
  for (std::string line; std::getline(in, line);) sent += line.find(" > ") != std::string::npos ? 1 : 0;
  return sent;
}

// READY=1 first, then `pings` WATCHDOG=1 each about one period after the one before.
void ExpectReadyAndPings(StandInManager& manager, int pings) {
  const std::optional<std::string> first = manager.Next(15000);
  ASSERT_TRUE(first) << "nothing from the program in 15 s";
  ASSERT_EQ(*first, "READY=1");
  Clock::time_point last = Clock::now();
  for (int i = 0; i < pings; ++i) {
    const std::optional<std::string> next = manager.Next(3 * kWatchdogMs);
    ASSERT_TRUE(next) << "ping " << i << " missing";
    EXPECT_EQ(*next, "WATCHDOG=1");
    const auto gapMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - last).count();
    last = Clock::now();
    if (i > 0) {  // the first ping follows READY=1 at once
      EXPECT_GE(gapMs, kWatchdogMs / 4) << "ping " << i << ": a burst";
      EXPECT_LE(gapMs, kWatchdogMs) << "ping " << i << " late";
    }
  }
}

TEST(ServiceRun, HeadlessOnAFreshFolderIsReadyPingsAndStopsOnSigterm) {
  test::TempFolder dir;
  StandInManager manager(dir.path() / "notify");
  const std::filesystem::path home = dir.path() / "home";
  {
    Program program(home, dir.path() / "notify", dir.path() / "stderr.txt");
    ExpectReadyAndPings(manager, 5);
    ASSERT_TRUE(program.Running());
    // SIGTERM is deliberately not handled: a stop is a power cut, and the state stays as it was.
    const int status = program.Terminate();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << "status " << status;
  }
  const std::string errors = FileText(dir.path() / "stderr.txt");
  EXPECT_NE(errors.find("simulated instrument from"), std::string::npos) << errors;
  // Nothing to resume on a fresh folder: no state is written for it.
  EXPECT_FALSE(std::filesystem::exists(home / "Station" / ui::kResumeStateFileName));

  // Started again on the same folder, it is up again: the folder lock went with the process.
  Program again(home, dir.path() / "notify", dir.path() / "stderr2.txt");
  ExpectReadyAndPings(manager, 2);
  again.Terminate();
  EXPECT_EQ(FileText(dir.path() / "stderr2.txt").find("in use"), std::string::npos);
}

TEST(ServiceRun, ResumesAnEnabledStationAfterTheCountdownAndAgainAfterSigterm) {
  test::TempFolder dir;
  StandInManager manager(dir.path() / "notify");
  const std::filesystem::path home = dir.path() / "home";
  std::filesystem::path statePath;
  const ui::ResumeState enabled{true, "PROJ", "STN1", true, 0};
  std::filesystem::create_directories(home);
  {
    ResumeWorld world(home, 0);
    ASSERT_TRUE(world.WriteStation(true));
    statePath = world.Window().ResumeStatePath();
    ASSERT_TRUE(ui::WriteResumeState(statePath, enabled));
  }
  const std::filesystem::path trace = home / "Trace" / std::string(link::kTraceFileName);
  Program program(home, dir.path() / "notify", dir.path() / "stderr.txt");
  ExpectReadyAndPings(manager, 3);
  EXPECT_EQ(SentLines(trace), 0) << "nothing goes to the instrument during the countdown";
  // The countdown is 30 s; the loop goes on pinging through it and through the Enable chain.
  const Clock::time_point end = Clock::now() + std::chrono::seconds(45);
  int pings = 0;
  while (SentLines(trace) < 10 && Clock::now() < end) {
    const std::optional<std::string> next = manager.Next(3 * kWatchdogMs);
    ASSERT_TRUE(next) << "no ping after " << pings;
    ++pings;
  }
  const int sent = SentLines(trace);
  EXPECT_GE(sent, 10) << "the Enable's commands in the link trace";
  EXPECT_GE(pings, 50) << "the Enable began before the countdown ended";
  const int status = program.Terminate();
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << "status " << status;

  ui::ResumeState state;
  std::string why;
  ASSERT_EQ(ui::ReadResumeState(statePath, state, why), ui::ResumeRead::kRead) << why;
  EXPECT_EQ(state, enabled) << "killed while Enabled, the next start resumes again";
  const std::string errors = FileText(dir.path() / "stderr.txt");
  EXPECT_EQ(errors.find("Failed"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("cannot be read"), std::string::npos) << errors;
}

}  // namespace
}  // namespace vigil::crashtest
