#include "platform/Clock.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <ctime>
#include <mutex>

namespace vigil::platform {

// Howard Hinnant's days-from-civil algorithm; exact for the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(int year, int month, int day) {
  const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t mp = (month + 9) % 12;
  const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

LocalDateTime CivilFromMilliseconds(std::int64_t msSinceEpoch) {
  constexpr std::int64_t kMsPerDay = 86'400'000;
  std::int64_t days = msSinceEpoch / kMsPerDay;
  std::int64_t msOfDay = msSinceEpoch % kMsPerDay;
  if (msOfDay < 0) {
    msOfDay += kMsPerDay;
    --days;
  }
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  LocalDateTime t;
  t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2 ? 1 : 0));
  t.hour = static_cast<int>(msOfDay / 3'600'000);
  t.minute = static_cast<int>(msOfDay / 60'000 % 60);
  t.second = static_cast<int>(msOfDay / 1000 % 60);
  t.millisecond = static_cast<int>(msOfDay % 1000);
  // 1970-01-01 was a Thursday.
  t.dayOfWeek = static_cast<int>(((days % 7) + 7 + 4) % 7);
  return t;
}

std::int64_t MillisecondsFromCivil(const LocalDateTime& when) {
  return DaysFromCivil(when.year, when.month, when.day) * 86'400'000 +
         static_cast<std::int64_t>(when.hour) * 3'600'000 + static_cast<std::int64_t>(when.minute) * 60'000 +
         static_cast<std::int64_t>(when.second) * 1000 + when.millisecond;
}

// ---- real time ----

struct RealTimeDriver::Impl {
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
  std::mutex mutex;
  std::condition_variable wake;
  bool woken = false;
};

RealTimeDriver::RealTimeDriver() : impl_(new Impl) {}
RealTimeDriver::~RealTimeDriver() {
  delete impl_;
}

std::uint64_t RealTimeDriver::ElapsedMs() {
  const auto elapsed = std::chrono::steady_clock::now() - impl_->start;
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

std::uint32_t RealTimeDriver::TickCount() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

LocalDateTime RealTimeDriver::Now() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  LocalDateTime t;
  t.year = local.tm_year + 1900;
  t.month = local.tm_mon + 1;
  t.day = local.tm_mday;
  t.hour = local.tm_hour;
  t.minute = local.tm_min;
  t.second = std::min(local.tm_sec, 59);
  t.millisecond = static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
  t.dayOfWeek = local.tm_wday;
  return t;
}

void RealTimeDriver::WaitUntil(std::uint64_t untilMs) {
  // An endless wait is a long one; a woken loop looks again anyway.
  untilMs = std::min<std::uint64_t>(untilMs, ElapsedMs() + 3'600'000);
  std::unique_lock lock(impl_->mutex);
  const auto deadline = impl_->start + std::chrono::milliseconds(untilMs);
  impl_->wake.wait_until(lock, deadline, [this] { return impl_->woken; });
  impl_->woken = false;
}

void RealTimeDriver::Wake() {
  {
    std::lock_guard lock(impl_->mutex);
    impl_->woken = true;
  }
  impl_->wake.notify_one();
}

// ---- virtual time ----

namespace {
// std heap functions build a max-heap; the earliest item must come out first.
struct Later {
  template <typename T>
  bool operator()(const T& a, const T& b) const {
    return a.atMs != b.atMs ? a.atMs > b.atMs : a.seq > b.seq;
  }
};
}  // namespace

VirtualTimeDriver::VirtualTimeDriver(std::uint32_t startTick, LocalDateTime startLocal)
    : startTick_(startTick), startLocalMs_(MillisecondsFromCivil(startLocal)) {}

VirtualTimeDriver::~VirtualTimeDriver() = default;

std::uint32_t VirtualTimeDriver::TickCount() {
  return static_cast<std::uint32_t>(startTick_ + static_cast<std::uint32_t>(elapsedMs_));
}

LocalDateTime VirtualTimeDriver::Now() {
  return CivilFromMilliseconds(startLocalMs_ + static_cast<std::int64_t>(elapsedMs_));
}

void VirtualTimeDriver::WaitUntil(std::uint64_t untilMs) {
  // Scheduled work may schedule more; each item runs at its own time, in order.
  while (!items_.empty() && items_.front().atMs <= untilMs) {
    std::pop_heap(items_.begin(), items_.end(), Later{});
    Item item = std::move(items_.back());
    items_.pop_back();
    elapsedMs_ = std::max(elapsedMs_, item.atMs);
    item.work();
  }
  elapsedMs_ = std::max(elapsedMs_, untilMs);
}

void VirtualTimeDriver::Schedule(std::uint64_t delayMs, std::function<void()> work) {
  items_.push_back(Item{elapsedMs_ + delayMs, nextSeq_++, std::move(work)});
  std::push_heap(items_.begin(), items_.end(), Later{});
}

std::uint64_t VirtualTimeDriver::NextScheduledMs() const {
  return items_.empty() ? UINT64_MAX : items_.front().atMs;
}

}  // namespace vigil::platform
