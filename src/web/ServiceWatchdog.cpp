#include "web/ServiceWatchdog.h"

#include <httplib.h>
#include <systemd/sd-daemon.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>

namespace vigil::web {

namespace {

// Until the first answer the server may still be starting: asked this often (ms).
constexpr long kFirstAskMs = 100;
// The longest vigil-web may take to answer for the first time before it is given up (ms).
constexpr long kReadyLimitMs = 30000;

std::string LoopbackFor(const std::string& host) {
  if (host == "0.0.0.0" || host.empty()) return "127.0.0.1";
  if (host == "::" || host == "[::]") return "::1";
  return host;
}

}  // namespace

ServiceWatchdog::ServiceWatchdog(const std::string& host, int port) : host_(LoopbackFor(host)), port_(port) {
  const char* socket = std::getenv("NOTIFY_SOCKET");
  active_ = socket != nullptr && socket[0] != '\0';
  if (!active_) return;
  std::uint64_t usec = 0;
  if (sd_watchdog_enabled(0, &usec) > 0 && usec >= 2000) periodMs_ = static_cast<long>(usec / 2000);
  thread_ = std::thread([this] { Run(); });
}

ServiceWatchdog::~ServiceWatchdog() {
  if (!active_) return;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    ending_ = true;
  }
  wake_.notify_all();
  thread_.join();
  sd_notify(0, "STOPPING=1");
}

bool ServiceWatchdog::Wait(long ms) {
  std::unique_lock<std::mutex> lock(mutex_);
  return !wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return ending_; });
}

bool ServiceWatchdog::ServerAnswers(long timeoutMs) const {
  httplib::Client client(host_, port_);
  const auto timeout = std::chrono::milliseconds(timeoutMs);
  client.set_connection_timeout(timeout);
  client.set_read_timeout(timeout);
  client.set_write_timeout(timeout);
  // Any status will do (401 without the token): the server's thread took the request and answered.
  const httplib::Result result = client.Head("/");
  return static_cast<bool>(result);
}

void ServiceWatchdog::Run() {
  // Not ready in time: nothing is sent, and systemd's start timeout fails the start.
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(kReadyLimitMs);
  while (!ServerAnswers(kFirstAskMs * 10)) {
    if (std::chrono::steady_clock::now() >= giveUp || !Wait(kFirstAskMs)) return;
  }
  sd_notify(0, "READY=1");
  if (periodMs_ == 0) return;
  sd_notify(0, "WATCHDOG=1");
  while (Wait(periodMs_)) {
    // An answer later than one period would come too late for this ping anyway.
    if (ServerAnswers(periodMs_)) sd_notify(0, "WATCHDOG=1");
  }
}

}  // namespace vigil::web
