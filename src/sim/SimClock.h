// Time as the simulator sees it, and how its work gets onto its own thread: on the
// program's virtual clock in process, or on an event loop in real time.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/Clock.h"
#include "platform/EventLoop.h"

namespace vigil::sim {

class SimClock {
 public:
  virtual ~SimClock() = default;
  virtual std::uint64_t ElapsedMs() = 0;
  virtual platform::LocalDateTime Now() = 0;
  /// Runs `work` on the simulator's thread `delayMs` from now.
  virtual void Schedule(std::uint64_t delayMs, std::function<void()> work) = 0;
  /// Hands work from a message receiver (any thread) to the simulator's thread.
  virtual void Receive(std::function<void()> work) = 0;
};

/// Another "process" on the virtual clock: messages are handled at once (the in-process bus
/// calls on the sender's thread), replies run when virtual time reaches them.
class VirtualSimClock final : public SimClock {
 public:
  explicit VirtualSimClock(platform::VirtualTimeDriver& driver) : driver_(driver) {}
  std::uint64_t ElapsedMs() override { return driver_.ElapsedMs(); }
  platform::LocalDateTime Now() override { return driver_.Now(); }
  void Schedule(std::uint64_t delayMs, std::function<void()> work) override;
  void Receive(std::function<void()> work) override { work(); }

 private:
  platform::VirtualTimeDriver& driver_;
};

/// Real time on an event loop (the stand-alone program).
class LoopSimClock final : public SimClock {
 public:
  explicit LoopSimClock(platform::EventLoop& loop) : loop_(loop) {}
  std::uint64_t ElapsedMs() override { return loop_.Time().ElapsedMs(); }
  platform::LocalDateTime Now() override { return loop_.Now(); }
  void Schedule(std::uint64_t delayMs, std::function<void()> work) override;
  void Receive(std::function<void()> work) override { loop_.PostFromAnyThread(std::move(work)); }

 private:
  platform::EventLoop& loop_;
};

}  // namespace vigil::sim
