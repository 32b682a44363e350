// An MQTT broker of our own (mosquitto) on a free loopback port in a folder of its own, for
// the demo and the tests: started, waited for until it listens (bounded in real time, never
// by sleeping) and stopped again.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <thread>

namespace vigil::notify {

inline constexpr const char* kBrokerProgram = "/usr/sbin/mosquitto";

class LocalBroker {
 public:
  LocalBroker() = default;
  ~LocalBroker() { Stop(); }
  LocalBroker(const LocalBroker&) = delete;
  LocalBroker& operator=(const LocalBroker&) = delete;

  /// Starts the broker with its configuration in `folder`, on `port` (0: a free one), and
  /// waits at most `realLimitMs` for it to listen. False with `error` (the broker's own last
  /// words, or that it is not installed).
  bool Start(const std::filesystem::path& folder, std::string& error, int port = 0, int realLimitMs = 10000);
  /// Ends the broker (SIGTERM, then waits for it); its messages, retained ones too, are gone.
  void Stop();
  bool Running() const { return pid_ > 0; }
  int Port() const { return port_; }

 private:
  bool StartOnce(const std::filesystem::path& folder, int port, int realLimitMs, std::string& error);

  pid_t pid_ = -1;
  int port_ = 0;
  std::thread drain_;  ///< reads the broker's output after start, so it never blocks writing it
};

/// A loopback TCP port nobody listens on now.
int FreeLoopbackPort();

}  // namespace vigil::notify
