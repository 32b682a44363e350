#include "installer/ChildProcess.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sched.h>
#include <cerrno>

#include "platform/Files.h"

extern char** environ;

namespace vigil::installer {

namespace {

constexpr std::uint64_t kPollMs = 50;

std::vector<std::string> EnvironmentWith(const ChildEnvironment& added) {
  std::vector<std::string> entries;
  for (char** e = environ; e != nullptr && *e != nullptr; ++e) {
    const std::string entry = *e;
    bool replaced = false;
    for (const auto& [name, value] : added) replaced = replaced || entry.starts_with(name + "=");
    if (!replaced) entries.push_back(entry);
  }
  for (const auto& [name, value] : added) entries.push_back(name + "=" + value);
  return entries;
}

}  // namespace

bool RunProgramAndWait(platform::EventLoop& loop, const std::filesystem::path& program,
                       const std::filesystem::path& workFolder, const ChildEnvironment& environment) {
  const std::string path = platform::PathText(program);
  const std::string folder = platform::PathText(workFolder);
  std::vector<std::string> envText = EnvironmentWith(environment);
  std::vector<char*> envp;
  for (std::string& e : envText) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string arg0 = path;
  char* argv[] = {arg0.data(), nullptr};

  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return false;
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t pid = 0;
  const int error = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return false;

  while (true) {
    int status = 0;
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid || (done < 0 && errno != EINTR)) return true;
    loop.RunFor(kPollMs);
    // On the virtual clock the wait above takes no real time; give the child the processor.
    if (loop.Virtual() != nullptr) sched_yield();
  }
}

}  // namespace vigil::installer
