// One way of sending notifications (MQTT, a command). A transport delivers one notification at
// a time and never blocks: Begin starts it, Poll moves the transport's own I/O on and tells
// when the far side acknowledged it or it failed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vigil::notify {

/// One outbox row as a transport sends it.
struct Notification {
  std::int64_t id = 0;
  std::string project;
  std::string station;
  std::string point;       ///< empty for an event of the station
  std::string payload;     ///< the event as JSON
  std::string pointState;  ///< the point's state as JSON; empty for an event of the station
};

enum class Delivery { kIdle = 0, kBusy = 1, kDelivered = 2, kFailed = 3 };

class Transport {
 public:
  virtual ~Transport() = default;
  /// The name of its rows in the outbox ("mqtt", "command").
  virtual std::string_view Name() const = 0;
  /// Starts delivering `n` at `nowMs` (the platform clock's elapsed ms). False with `error`
  /// when it cannot even start; nothing is then in progress.
  virtual bool Begin(const Notification& n, std::uint64_t nowMs, std::string& error) = 0;
  /// Moves on without blocking. kDelivered once the far side acknowledged the notification
  /// begun, kFailed with `error` when it cannot be (then it is no longer in progress); kIdle
  /// with nothing in progress.
  virtual Delivery Poll(std::uint64_t nowMs, std::string& error) = 0;
  /// A descriptor that becomes readable when Poll has something to do, or -1.
  virtual int WaitDescriptor() const = 0;
};

}  // namespace vigil::notify
