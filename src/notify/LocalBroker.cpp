#include "notify/LocalBroker.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

namespace vigil::notify {

int FreeLoopbackPort() {
  const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (s < 0) return 0;
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof a;
  int port = 0;
  if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
      getsockname(s, reinterpret_cast<sockaddr*>(&a), &length) == 0)
    port = ntohs(a.sin_port);
  close(s);
  return port;
}

bool LocalBroker::Start(const std::filesystem::path& folder, std::string& error, int port, int realLimitMs) {
  Stop();
  if (access(kBrokerProgram, X_OK) != 0) {
    error = std::string(kBrokerProgram) + " is not installed (scripts/install-deps.sh installs mosquitto)";
    return false;
  }
  // A free port may be taken between looking and listening: another one is tried then.
  for (int attempt = 0; attempt < (port == 0 ? 3 : 1); ++attempt) {
    if (StartOnce(folder, port != 0 ? port : FreeLoopbackPort(), realLimitMs, error)) return true;
  }
  return false;
}

bool LocalBroker::StartOnce(const std::filesystem::path& folder, int port, int realLimitMs,
                            std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  const std::filesystem::path conf = folder / "mosquitto.conf";
  {
    std::ofstream out(conf, std::ios::trunc);
    // std::to_string: a stream would write the port in the process locale ("59.107").
    out << "listener " + std::to_string(port) +
               " 127.0.0.1\nallow_anonymous true\npersistence false\nlog_dest stderr\n"
        << "log_type all\n";
    if (!out) {
      error = "cannot write " + conf.string();
      return false;
    }
  }
  int out[2] = {-1, -1};
  if (pipe2(out, O_CLOEXEC) != 0) {
    error = "cannot make a pipe for the broker";
    return false;
  }
  const std::string confText = conf.string();
  const char* argv[] = {kBrokerProgram, "-c", confText.c_str(), nullptr};
  const pid_t pid = fork();
  if (pid < 0) {
    close(out[0]);
    close(out[1]);
    error = "cannot start the broker";
    return false;
  }
  if (pid == 0) {
    dup2(out[1], 2);
    dup2(out[1], 1);
    execv(kBrokerProgram, const_cast<char* const*>(argv));
    _exit(127);
  }
  close(out[1]);
  // "running" is the broker's last word of its start, after its listener is open.
  std::string said;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(realLimitMs);
  bool ready = false;
  while (!ready) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now())
            .count();
    pollfd p{out[0], POLLIN, 0};
    if (left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0) break;
    char buffer[512];
    const ssize_t n = read(out[0], buffer, sizeof buffer);
    if (n <= 0) break;
    said.append(buffer, static_cast<std::size_t>(n));
    ready = said.find(" running") != std::string::npos;
  }
  if (!ready) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    close(out[0]);
    error = "the MQTT broker did not start on port " + std::to_string(port) + ": " + said;
    return false;
  }
  pid_ = pid;
  port_ = port;
  const int fd = out[0];
  const std::filesystem::path log = folder / "broker.log";
  drain_ = std::thread([fd, log, said] {
    std::ofstream keep(log, std::ios::app);
    keep << said;
    char buffer[512];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) keep.write(buffer, n);
    close(fd);
  });
  return true;
}

void LocalBroker::Stop() {
  if (pid_ > 0) {
    // A SIGTERM just after its start can be lost (the broker sets its run flag after its
    // handler could have cleared it): it gets a second of real time, then SIGKILL.
    kill(pid_, SIGTERM);
    const long fd = syscall(SYS_pidfd_open, pid_, 0);
    pollfd p{static_cast<int>(fd), POLLIN, 0};
    if (fd < 0 || poll(&p, 1, 1000) <= 0) kill(pid_, SIGKILL);
    if (fd >= 0) close(static_cast<int>(fd));
    waitpid(pid_, nullptr, 0);
  }
  pid_ = -1;
  if (drain_.joinable()) drain_.join();
}

}  // namespace vigil::notify
