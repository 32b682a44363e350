// How replies leave the instrument: after a delay, to a window title, through the
// transport faults (lost ACK, late, split) and, for data lines, the line faults
// (garbled, over-long, two lines in one message).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/WindowMessages.h"
#include "sim/Faults.h"
#include "sim/SimClock.h"

namespace vigil::sim {

class ReplyChannel {
 public:
  using Logger = std::function<void(std::string_view)>;

  ReplyChannel(platform::MessageBus& bus, SimClock& clock, Faults& faults);
  ~ReplyChannel();
  ReplyChannel(const ReplyChannel&) = delete;
  ReplyChannel& operator=(const ReplyChannel&) = delete;

  void SetLogger(Logger logger) { logger_ = std::move(logger); }

  /// While muted (the window is gone) nothing is sent, also nothing already on its way.
  void SetMuted(bool muted) { muted_ = muted; }

  /// Sends `bytes` to `title` `delayMs` from now.
  void Send(const std::string& title, std::string bytes, std::uint64_t delayMs);

  /// Sends a data line made by `makeLine` (called again for a second line when two lines
  /// go in one message).
  void SendData(const std::string& title, const std::function<std::string()>& makeLine,
                std::uint64_t delayMs);

 private:
  void Deliver(const std::string& title, const std::string& bytes);

  platform::MessageBus& bus_;
  SimClock& clock_;
  Faults& faults_;
  Logger logger_;
  bool muted_ = false;
  std::shared_ptr<ReplyChannel*> self_;  // scheduled sends find the channel through it
};

}  // namespace vigil::sim
