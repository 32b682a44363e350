#include "support/ChildProgram.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vigil::bench {

ChildProgram::ChildProgram(const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment) {
  if (arguments.empty()) return;
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return;
  std::vector<char*> argv;
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> env;
  for (char** e = environ; *e != nullptr; ++e) env.push_back(*e);
  for (const std::string& e : environment) env.push_back(const_cast<char*>(e.c_str()));
  env.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addclose(&actions, out[1]);
  pid_t pid = -1;
  const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), env.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  if (failed != 0) {
    ::close(out[0]);
    return;
  }
  pid_ = pid;
  reader_ = std::thread([this, fd = out[0]] { ReadLines(fd); });
}

ChildProgram::~ChildProgram() {
  Stop();
}

void ChildProgram::Stop() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
  }
  // The pipe closes with the child, which ends the reader.
  if (reader_.joinable()) reader_.join();
}

void ChildProgram::ReadLines(int fd) {
  std::string pending;
  char buffer[4096];
  while (true) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    const auto now = std::chrono::steady_clock::now();
    pending.append(buffer, static_cast<std::size_t>(n));
    std::size_t end;
    while ((end = pending.find('\n')) != std::string::npos) {
      std::lock_guard lock(mutex_);
      lines_.emplace_back(now, pending.substr(0, end));
      pending.erase(0, end + 1);
    }
  }
  ::close(fd);
}

std::vector<TraceLine> ChildProgram::Lines(std::chrono::steady_clock::time_point origin) {
  std::lock_guard lock(mutex_);
  std::vector<TraceLine> lines;
  for (const auto& [at, text] : lines_) {
    lines.push_back({std::chrono::duration<double, std::milli>(at - origin).count(), text});
  }
  return lines;
}

void ChildProgram::ClearLines() {
  std::lock_guard lock(mutex_);
  lines_.clear();
}

}  // namespace vigil::bench
