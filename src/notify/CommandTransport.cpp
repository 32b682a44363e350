#include "notify/CommandTransport.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace vigil::notify {

namespace {

int OpenPidFd(pid_t pid) {
#ifdef SYS_pidfd_open
  const long fd = syscall(SYS_pidfd_open, pid, 0);
  return fd < 0 ? -1 : static_cast<int>(fd);
#else
  (void)pid;
  return -1;
#endif
}

}  // namespace

CommandTransport::~CommandTransport() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  Finish();
}

void CommandTransport::Finish() {
  CloseInput();
  if (pidFd_ >= 0) close(pidFd_);
  pidFd_ = -1;
  pid_ = -1;
}

void CommandTransport::CloseInput() {
  if (input_ >= 0) close(input_);
  input_ = -1;
  unwritten_.clear();
}

bool CommandTransport::Begin(const Notification& n, std::uint64_t nowMs, std::string& error) {
  // A socket pair rather than a pipe: a command that exits without reading its input must not
  // take the station down with SIGPIPE (send with MSG_NOSIGNAL instead).
  int ends[2] = {-1, -1};
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
    error = "cannot make the command's input";
    return false;
  }
  const char* argv[] = {"sh", "-c", settings_.run.c_str(), nullptr};
  const pid_t pid = fork();
  if (pid < 0) {
    close(ends[0]);
    close(ends[1]);
    error = "cannot start the command";
    return false;
  }
  if (pid == 0) {
    // Only async-signal-safe calls between fork and exec.
    dup2(ends[1], 0);
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, 1);
    execv("/bin/sh", const_cast<char* const*>(argv));
    _exit(127);
  }
  close(ends[1]);
  pid_ = pid;
  pidFd_ = OpenPidFd(pid);
  input_ = ends[0];
  fcntl(input_, F_SETFL, fcntl(input_, F_GETFL) | O_NONBLOCK);
  unwritten_ = n.payload + "\n";
  beganMs_ = nowMs;
  WriteInput();
  return true;
}

void CommandTransport::WriteInput() {
  while (input_ >= 0 && !unwritten_.empty()) {
    const ssize_t sent = send(input_, unwritten_.data(), unwritten_.size(), MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    if (sent <= 0) break;  // the command closed its input: its exit status decides
    unwritten_.erase(0, static_cast<std::size_t>(sent));
  }
  // End of input, so a command reading to the end goes on.
  CloseInput();
}

Delivery CommandTransport::Poll(std::uint64_t nowMs, std::string& error) {
  if (pid_ <= 0) return Delivery::kIdle;
  WriteInput();
  int status = 0;
  const pid_t done = waitpid(pid_, &status, WNOHANG);
  if (done == 0) {
    if (nowMs - beganMs_ <= settings_.timeoutMs) return Delivery::kBusy;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    Finish();
    error = "the command did not end within " + std::to_string(settings_.timeoutMs / 1000) + " s";
    return Delivery::kFailed;
  }
  Finish();
  if (done < 0) {
    error = "the command's end was lost";
    return Delivery::kFailed;
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return Delivery::kDelivered;
  error = WIFEXITED(status) ? "the command exited with " + std::to_string(WEXITSTATUS(status))
                            : "the command was ended by signal " + std::to_string(WTERMSIG(status));
  return Delivery::kFailed;
}

}  // namespace vigil::notify
