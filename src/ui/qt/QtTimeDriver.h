// Real time for the window program. Waits of the program (a link waiting for its reply, a
// Sleep) block the user-interface thread as they do on the controller, but the windows
// still repaint: the wait is cut into short slices and Qt's non-input events run between
// them. Operator input stays queued until the wait is over.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>

#include "platform/Clock.h"

namespace vigil::ui::qt {

class QtTimeDriver final : public platform::TimeDriver {
 public:
  /// Longest slice of a wait before Qt gets to repaint (ms).
  static constexpr std::uint64_t kSliceMs = 10;

  std::uint64_t ElapsedMs() override { return real_.ElapsedMs(); }
  std::uint32_t TickCount() override { return real_.TickCount(); }
  platform::LocalDateTime Now() override { return real_.Now(); }
  void WaitUntil(std::uint64_t untilMs) override;
  void Wake() override;
  /// Called by Wake (from any thread) after the blocked wait is woken, so a loop that is not
  /// waiting here but idle in Qt looks too; must be callable from any thread. Empty: none.
  void SetWakeHook(std::function<void()> hook);
  bool IsVirtual() const override { return false; }

  /// True inside WaitUntil: nothing of the program may run now (pumps and input hold off).
  bool Waiting() const { return waiting_; }

 private:
  platform::RealTimeDriver real_;
  bool waiting_ = false;
  std::mutex hookMutex_;
  std::function<void()> wakeHook_;
};

}  // namespace vigil::ui::qt
