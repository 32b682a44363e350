// vigil-web: the read-only dashboard of a results database. SIGINT and SIGTERM stop it.
#include <csignal>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include <pthread.h>

#include "web/WebTool.h"
#include "webpg/PgDashboardData.h"

int main(int argc, char** argv) {
  // Blocked in every thread, taken by one that waits for them: a handler could not stop the
  // server safely.
  sigset_t stopping;
  sigemptyset(&stopping);
  sigaddset(&stopping, SIGINT);
  sigaddset(&stopping, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopping, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  std::thread waiter;
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const int code = vigil::web::RunWebTool(
      arguments, std::cout, std::cerr,
      [&](std::function<void()> stop) {
        waiter = std::thread([stopping, stop] {
          int signal = 0;
          sigwait(&stopping, &signal);
          stop();
        });
      },
      vigil::webpg::OpenServerDashboard);
  if (waiter.joinable()) {
    // Served until stopped by a signal: the waiter has already returned. Failing to bind never
    // starts it.
    waiter.join();
  }
  return code;
}
