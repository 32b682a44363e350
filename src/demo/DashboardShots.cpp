#include "demo/DashboardShots.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/Files.h"
#include "web/RequestTarget.h"

extern char** environ;

namespace vigil::demo {

namespace {

namespace fs = std::filesystem;

// Starts `args` with its standard output to `outFd` (and its errors to `errFd`), and `extraEnv`
// added to ours; -1 when it cannot be started.
pid_t Spawn(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv, int outFd,
            int errFd, int closeFd) {
  std::vector<char*> argv, envp;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  for (char** e = environ; *e != nullptr; ++e) envp.push_back(*e);
  for (const std::string& e : extraEnv) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errFd, STDERR_FILENO);
  if (closeFd >= 0) posix_spawn_file_actions_addclose(&actions, closeFd);
  pid_t pid = -1;
  if (posix_spawn(&pid, args[0].c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

int Wait(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The program named, as the shell would find it on PATH.
fs::path OnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string rest = path ? path : "";
  while (!rest.empty()) {
    const std::size_t colon = rest.find(':');
    const fs::path candidate = fs::path(rest.substr(0, colon)) / name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    rest = colon == std::string::npos ? "" : rest.substr(colon + 1);
  }
  return {};
}

}  // namespace

DashboardPaths BuiltDashboardPaths() {
  return {VIGIL_WEB_PATH, VIGIL_DASHBOARD_SHOTS_SCRIPT, VIGIL_NODE_MODULES, "/usr/bin/chromium"};
}

DashboardShots TakeDashboardShots(const DashboardPaths& paths, const fs::path& database,
                                  const fs::path& alarms, const std::string& project,
                                  const std::string& station, const std::string& point,
                                  const fs::path& folder) {
  DashboardShots shots;
  const fs::path node = OnPath("node");
  if (!platform::FileExists(paths.chromium)) {
    shots.note = "no dashboard pictures: headless Chromium is not installed (" +
                 platform::PathText(paths.chromium) + ")";
    return shots;
  }
  if (node.empty() || !platform::FolderExists(paths.nodeModules / "playwright-core") ||
      !platform::FileExists(paths.vigilWeb)) {
    shots.note = "no dashboard pictures: Node, Playwright (scripts/install-deps.sh) or vigil-web is missing";
    return shots;
  }
  if (!platform::CreateFolder(folder)) {
    shots.note = "no dashboard pictures: cannot create " + platform::PathText(folder);
    return shots;
  }
  const fs::path log = folder / "dashboard-shots.log";
  const int logFd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  int pipeFds[2];
  if (logFd < 0 || ::pipe2(pipeFds, O_CLOEXEC) != 0) {
    if (logFd >= 0) ::close(logFd);
    shots.note = "no dashboard pictures: cannot write " + platform::PathText(log);
    return shots;
  }
  std::vector<std::string> args = {paths.vigilWeb.string(), "--db", database.string(), "--listen",
                                   "127.0.0.1:0"};
  if (platform::FileExists(alarms)) args.insert(args.end(), {"--alarms", alarms.string()});
  const pid_t web = Spawn(args, {}, pipeFds[1], logFd, pipeFds[0]);
  ::close(pipeFds[1]);
  // Its first line names the port it took; end of file means it did not start.
  std::string said, url;
  char c = 0;
  while (web > 0 && url.empty() && ::read(pipeFds[0], &c, 1) == 1) {
    if (c != '\n') {
      said += c;
    } else if (said.rfind("vigil-web: serving ", 0) == 0) {
      url = said.substr(19);
    } else {
      said.clear();
    }
  }
  int code = -1;
  if (!url.empty()) {
    const std::string stationPath =
        "/s/" + web::EncodeSegment(project) + "/" + web::EncodeSegment(station) + "/";
    const pid_t shooter =
        Spawn({node.string(), paths.script.string(), url, folder.string(), stationPath, point},
              {"NODE_PATH=" + paths.nodeModules.string(), "VIGIL_CHROMIUM=" + paths.chromium.string()}, logFd,
              logFd, -1);
    code = shooter > 0 ? Wait(shooter) : -1;
  }
  if (web > 0) {
    ::kill(web, SIGTERM);
    Wait(web);
  }
  ::close(pipeFds[0]);
  ::close(logFd);
  if (code != 0) {
    shots.note = std::string("no dashboard pictures: ") +
                 (url.empty() ? "vigil-web did not start" : "the browser script failed") + ", see " +
                 platform::PathText(log);
    return shots;
  }
  for (const char* name : {"dashboard-overview.png", "dashboard-point.png"}) {
    if (platform::FileExists(folder / name)) shots.pictures.push_back(folder / name);
  }
  return shots;
}

}  // namespace vigil::demo
