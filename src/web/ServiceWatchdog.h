// vigil-web's side of systemd's notify protocol. A thread of its own asks the server for a
// page over loopback: READY=1 once it answers, then WATCHDOG=1 every half WATCHDOG_USEC for
// as long as it answers within that time. A server that stops answering (its listening thread
// stuck or gone) sends nothing more, and systemd restarts it. Without NOTIFY_SOCKET (started
// by hand) no thread is started and nothing is sent.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace vigil::web {

class ServiceWatchdog {
 public:
  /// `host` and `port`: where the server listens (a wildcard address is asked on loopback).
  ServiceWatchdog(const std::string& host, int port);
  /// STOPPING=1, and the thread ended.
  ~ServiceWatchdog();
  ServiceWatchdog(const ServiceWatchdog&) = delete;
  ServiceWatchdog& operator=(const ServiceWatchdog&) = delete;

  bool Active() const { return active_; }
  /// Half the watchdog time systemd gave (ms); 0 when it gave none.
  long PeriodMs() const { return periodMs_; }

 private:
  void Run();
  /// True when the server gave any HTTP answer to HEAD / within `timeoutMs`.
  bool ServerAnswers(long timeoutMs) const;
  /// Waits `ms` or until the destructor asks the thread to end; false then.
  bool Wait(long ms);

  std::string host_;
  int port_ = 0;
  bool active_ = false;
  long periodMs_ = 0;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool ending_ = false;
  std::thread thread_;
};

}  // namespace vigil::web
