#include "app/ServiceNotifier.h"

#include <systemd/sd-daemon.h>

#include <cstdlib>

namespace vigil::app {

ServiceNotifier::ServiceNotifier(platform::EventLoop& loop)
    : loop_(loop), alive_(std::make_shared<ServiceNotifier*>(this)) {
  const char* socket = std::getenv("NOTIFY_SOCKET");
  active_ = socket != nullptr && socket[0] != '\0';
  if (!active_) return;
  std::uint64_t usec = 0;
  // > 0: the watchdog is on for this process (WATCHDOG_USEC, and WATCHDOG_PID when given).
  if (sd_watchdog_enabled(0, &usec) > 0 && usec >= 2000) {
    const std::uint64_t half = usec / 2000;
    periodMs_ = static_cast<std::uint32_t>(half > 0xffffffffULL ? 0xffffffffULL : half);
  }
}

ServiceNotifier::~ServiceNotifier() {
  if (active_) sd_notify(0, "STOPPING=1");
}

void ServiceNotifier::Start() {
  if (!active_) return;
  std::weak_ptr<ServiceNotifier*> alive = alive_;
  loop_.Post([alive] {
    auto self = alive.lock();
    if (!self) return;
    sd_notify(0, "READY=1");
    (**self).Ping();
  });
}

void ServiceNotifier::Ping() {
  if (periodMs_ == 0) return;
  if (sd_notify(0, "WATCHDOG=1") > 0) ++pings_;
  std::weak_ptr<ServiceNotifier*> alive = alive_;
  loop_.PostDelayed(periodMs_, [alive] {
    if (auto self = alive.lock()) (**self).Ping();
  });
}

}  // namespace vigil::app
