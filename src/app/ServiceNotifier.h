// Tells the service manager that the program is up (READY=1) and, while the watchdog is on,
// that its event loop turns (WATCHDOG=1). The pings are tasks of the loop on the platform
// clock: a loop stuck in a handler sends none, and the service manager restarts the program.
// Without NOTIFY_SOCKET (started by hand) nothing is sent and nothing is posted.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/EventLoop.h"

namespace vigil::app {

class ServiceNotifier {
 public:
  explicit ServiceNotifier(platform::EventLoop& loop);
  ~ServiceNotifier();
  ServiceNotifier(const ServiceNotifier&) = delete;
  ServiceNotifier& operator=(const ServiceNotifier&) = delete;

  /// A service manager listens.
  bool Active() const { return active_; }
  /// Half the watchdog time the manager gave (ms); 0 when it gave none.
  std::uint32_t PingPeriodMs() const { return periodMs_; }
  int PingsSent() const { return pings_; }

  /// Sends READY=1 from the loop's first turn, then pings every PingPeriodMs.
  void Start();

 private:
  void Ping();

  platform::EventLoop& loop_;
  bool active_ = false;
  std::uint32_t periodMs_ = 0;
  int pings_ = 0;
  std::shared_ptr<ServiceNotifier*> alive_;
};

}  // namespace vigil::app
