// Time as the program sees it: a 32-bit millisecond tick count that wraps, and the local
// date and time. Tests use a virtual clock that only moves when the program waits.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace vigil::platform {

/// Local calendar date and time. `dayOfWeek`: 0 Sunday to 6 Saturday.
struct LocalDateTime {
  int year = 2000;
  int month = 1;   ///< 1..12
  int day = 1;     ///< 1..31
  int hour = 0;    ///< 0..23
  int minute = 0;  ///< 0..59
  int second = 0;  ///< 0..59
  int millisecond = 0;
  int dayOfWeek = 6;
};

/// Days since 1970-01-01 of a civil date (proleptic Gregorian), and back.
std::int64_t DaysFromCivil(int year, int month, int day);
LocalDateTime CivilFromMilliseconds(std::int64_t msSinceEpoch);
std::int64_t MillisecondsFromCivil(const LocalDateTime& when);

/// The source of time for one event loop.
class TimeDriver {
 public:
  virtual ~TimeDriver() = default;

  /// Milliseconds since the driver started, never wrapping.
  virtual std::uint64_t ElapsedMs() = 0;

  /// The 32-bit millisecond tick count (wraps after 49.7 days).
  virtual std::uint32_t TickCount() = 0;

  /// Local date and time now.
  virtual LocalDateTime Now() = 0;

  /// Blocks the user-interface thread until ElapsedMs() reaches `untilMs`, or earlier when
  /// `Wake` is called from another thread. Work of other "processes" (the in-process
  /// simulator on the virtual clock) runs meanwhile.
  virtual void WaitUntil(std::uint64_t untilMs) = 0;

  /// Ends a WaitUntil early; callable from any thread.
  virtual void Wake() = 0;

  /// True for the virtual clock: waiting never blocks, it moves time.
  virtual bool IsVirtual() const = 0;
};

/// Real time: steady clock for ticks and waits, the system's local time for dates.
class RealTimeDriver final : public TimeDriver {
 public:
  RealTimeDriver();
  ~RealTimeDriver() override;
  std::uint64_t ElapsedMs() override;
  std::uint32_t TickCount() override;
  LocalDateTime Now() override;
  void WaitUntil(std::uint64_t untilMs) override;
  void Wake() override;
  bool IsVirtual() const override { return false; }

 private:
  struct Impl;
  Impl* impl_;
};

/// Virtual time for tests and the headless demo: time moves only inside WaitUntil, straight
/// to the next thing that happens, so a day of schedule ticks runs in milliseconds and the
/// same way every time. Other parties on the virtual clock (the in-process simulator) put
/// their work on it with Schedule; it runs when time reaches it, also during a Sleep of the
/// program, as another process would.
class VirtualTimeDriver final : public TimeDriver {
 public:
  /// `startTick`: the tick count at start (a value just below 2^32 tests the wrap);
  /// `startLocal`: the local date and time at start.
  explicit VirtualTimeDriver(std::uint32_t startTick = 0,
                             LocalDateTime startLocal = LocalDateTime{2026, 12, 7, 8, 0, 0, 0, 1});
  ~VirtualTimeDriver() override;

  std::uint64_t ElapsedMs() override { return elapsedMs_; }
  std::uint32_t TickCount() override;
  LocalDateTime Now() override;
  void WaitUntil(std::uint64_t untilMs) override;
  void Wake() override {}
  bool IsVirtual() const override { return true; }

  /// Runs `work` when virtual time reaches now + `delayMs` (after work already due then).
  void Schedule(std::uint64_t delayMs, std::function<void()> work);

  /// Elapsed time of the earliest scheduled work, or UINT64_MAX when there is none.
  std::uint64_t NextScheduledMs() const;

  /// Moves time forward by `ms` at once, running scheduled work that falls due on the way.
  void Advance(std::uint64_t ms) { WaitUntil(elapsedMs_ + ms); }

 private:
  struct Item {
    std::uint64_t atMs;
    std::uint64_t seq;
    std::function<void()> work;
  };
  std::uint64_t elapsedMs_ = 0;
  std::uint32_t startTick_;
  std::int64_t startLocalMs_;
  std::uint64_t nextSeq_ = 0;
  std::vector<Item> items_;  // a heap ordered by (atMs, seq)
};

}  // namespace vigil::platform
