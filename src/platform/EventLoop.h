// The user-interface thread's message loop. Everything of the program runs on it: windows
// receive their timer and data messages here, completion routines are posted here and run
// one after another, and waits let time pass while the link keeps receiving.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"

namespace vigil::platform {

/// Handle of a window registered with the loop; 0 is no window.
using WindowHandle = std::uint32_t;

/// Bytes (with a fixed charge per message) a window's queue of data messages may hold before
/// further ones are dropped, unless the window's limit was changed.
inline constexpr std::size_t kDefaultInboxLimitBytes = 1 << 20;
inline constexpr std::size_t kInboxChargePerMessageBytes = 64;

/// A receiver of window messages.
class Window {
 public:
  virtual ~Window() = default;
  /// A timer of this window fell due; `timerId` is the id it was armed with.
  virtual void OnTimer(int timerId) { (void)timerId; }
  /// A block of bytes arrived for this window (in place of WM_COPYDATA).
  virtual void OnCopyData(std::string_view bytes) { (void)bytes; }
  /// A notification posted to this window (a user message without data).
  virtual void OnNotify(int code) { (void)code; }
};

class EventLoop {
 public:
  explicit EventLoop(std::unique_ptr<TimeDriver> time);
  ~EventLoop();
  EventLoop(const EventLoop&) = delete;
  EventLoop& operator=(const EventLoop&) = delete;

  TimeDriver& Time() { return *time_; }
  std::uint32_t TickCount() { return time_->TickCount(); }
  LocalDateTime Now() { return time_->Now(); }

  /// The virtual clock when the loop runs on one, else null.
  VirtualTimeDriver* Virtual();

  /// Registers a window; its messages are delivered until RemoveWindow.
  WindowHandle AddWindow(Window* window);
  /// Unregisters a window, kills its timers and drops its queued messages.
  void RemoveWindow(WindowHandle handle);
  bool HasWindow(WindowHandle handle) const;

  /// Arms (or re-arms) timer `timerId` of `window` with a period in milliseconds. The
  /// first tick falls one period from now; a timer that fell behind does not fire twice.
  void SetTimer(WindowHandle window, int timerId, std::uint32_t periodMs);
  /// Stops the timer; a tick not yet delivered is dropped.
  void KillTimer(WindowHandle window, int timerId);
  bool TimerArmed(WindowHandle window, int timerId) const;
  /// When the timer's next tick falls due (ElapsedMs scale); UINT64_MAX when it is not armed.
  std::uint64_t TimerDueMs(WindowHandle window, int timerId) const;
  /// Drops the timer's next tick, keeping its phase: its work was done before it fell due.
  void SkipTimerTick(WindowHandle window, int timerId);

  /// Queues a task for the user-interface thread (in order, after what is queued).
  void Post(std::function<void()> task);
  /// Queues a task to run `delayMs` from now on the user-interface thread.
  void PostDelayed(std::uint32_t delayMs, std::function<void()> task);
  /// Queues bytes for a window, as a sent WM_COPYDATA from another process would arrive.
  void PostCopyData(WindowHandle window, std::string bytes);
  /// Queues a notification for a window (PostMessage of a user message); dropped with the
  /// window. One already queued for the same window and code is not queued twice.
  void PostNotify(WindowHandle window, int code);

  /// Bounds the data messages queued for `window` (bytes, charge per message included); 0
  /// for no bound. A message beyond it is dropped and counted: a peer that floods a window
  /// while the link waits must not take the memory of the station.
  void SetInboxLimit(WindowHandle window, std::size_t limitBytes);
  /// Data messages dropped for `window` since it was added.
  std::uint64_t DroppedMessages(WindowHandle window) const;

  /// Thread-safe forms for other threads (a socket receiver): handed to the user-interface
  /// thread at its next dispatch.
  void PostFromAnyThread(std::function<void()> task);
  void PostCopyDataFromAnyThread(WindowHandle window, std::string bytes);

  /// Dispatches what is ready now, as a PeekMessage loop does: with a window, only that
  /// window's messages; with 0, everything (queued messages first, then due timers).
  /// Returns the number of messages dispatched.
  int DispatchPending(WindowHandle onlyWindow = 0);

  /// Lets `ms` pass without dispatching anything of this thread (Sleep).
  void Sleep(std::uint32_t ms);

  /// Runs the loop until `done` returns true or `timeoutMs` have passed; returns done().
  /// Nested calls are allowed (a modal dialog inside a handler runs its own).
  bool RunUntil(const std::function<bool()>& done, std::uint64_t timeoutMs);

  /// Runs the loop for `ms`.
  void RunFor(std::uint64_t ms);

  /// Runs the loop until Quit is called.
  void Run();
  void Quit() { quit_ = true; }

  /// Milliseconds until something is ready to dispatch: 0 when something is queued or due,
  /// UINT64_MAX when nothing is queued, armed or delayed. A host that runs the loop from
  /// another loop of its own sleeps this long and no longer.
  std::uint64_t MsUntilWork();

  /// Called on the user-interface thread whenever a message, task or timer is queued or armed
  /// there (so such a host can look sooner); other threads' posts call the time driver's Wake.
  void SetWorkHook(std::function<void()> hook) { workHook_ = std::move(hook); }

  /// Number of timers armed and messages queued (for tests of clean shutdown).
  std::size_t PendingCount() const;

 private:
  struct Message {
    WindowHandle window = 0;  // 0: a task
    std::string bytes;
    std::function<void()> task;
    int notify = 0;  // not 0: a notification with this code instead of bytes
  };
  struct Timer {
    std::uint32_t periodMs = 0;
    std::uint64_t dueMs = 0;
    std::uint64_t armSeq = 0;
  };
  struct Delayed {
    std::uint64_t dueMs;
    std::uint64_t seq;
    std::function<void()> task;
  };

  struct Inbox {
    std::size_t limitBytes = kDefaultInboxLimitBytes;
    std::size_t queuedBytes = 0;
    std::uint64_t dropped = 0;
  };
  // Under foreignMutex_: takes room for a message in the window's inbox, or counts it dropped.
  bool Admit(WindowHandle window, std::size_t bytes);
  void Release(WindowHandle window, std::size_t bytes);

  void TakeForeign();
  bool DispatchOneMessage(WindowHandle onlyWindow);
  bool DispatchOneTimer(WindowHandle onlyWindow);
  bool MoveDueDelayed();
  std::uint64_t NextDueMs() const;
  bool WaitForWork(std::uint64_t untilMs);

  std::unique_ptr<TimeDriver> time_;
  std::map<WindowHandle, Window*> windows_;
  WindowHandle nextHandle_ = 1;
  std::map<std::pair<WindowHandle, int>, Timer> timers_;
  std::uint64_t nextArmSeq_ = 0;
  std::deque<Message> queue_;
  std::vector<Delayed> delayed_;  // heap by (dueMs, seq)
  std::uint64_t nextDelayedSeq_ = 0;
  bool quit_ = false;
  std::function<void()> workHook_;
  void WorkQueued() {
    if (workHook_) workHook_();
  }

  mutable std::mutex foreignMutex_;
  std::deque<Message> foreign_;
  std::map<WindowHandle, Inbox> inboxes_;
};

}  // namespace vigil::platform
