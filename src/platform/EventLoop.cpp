#include "platform/EventLoop.h"

#include <algorithm>

namespace vigil::platform {
namespace {
struct LaterDelayed {
  template <typename T>
  bool operator()(const T& a, const T& b) const {
    return a.dueMs != b.dueMs ? a.dueMs > b.dueMs : a.seq > b.seq;
  }
};
}  // namespace

EventLoop::EventLoop(std::unique_ptr<TimeDriver> time) : time_(std::move(time)) {}

EventLoop::~EventLoop() = default;

VirtualTimeDriver* EventLoop::Virtual() {
  return time_->IsVirtual() ? static_cast<VirtualTimeDriver*>(time_.get()) : nullptr;
}

WindowHandle EventLoop::AddWindow(Window* window) {
  const WindowHandle handle = nextHandle_++;
  windows_[handle] = window;
  return handle;
}

void EventLoop::RemoveWindow(WindowHandle handle) {
  windows_.erase(handle);
  for (auto it = timers_.begin(); it != timers_.end();) {
    it = it->first.first == handle ? timers_.erase(it) : std::next(it);
  }
  std::erase_if(queue_, [handle](const Message& m) { return m.window == handle; });
  std::lock_guard lock(foreignMutex_);
  std::erase_if(foreign_, [handle](const Message& m) { return m.window == handle; });
  inboxes_.erase(handle);
}

void EventLoop::SetInboxLimit(WindowHandle window, std::size_t limitBytes) {
  std::lock_guard lock(foreignMutex_);
  inboxes_[window].limitBytes = limitBytes;
}

std::uint64_t EventLoop::DroppedMessages(WindowHandle window) const {
  std::lock_guard lock(foreignMutex_);
  const auto it = inboxes_.find(window);
  return it == inboxes_.end() ? 0 : it->second.dropped;
}

bool EventLoop::Admit(WindowHandle window, std::size_t bytes) {
  Inbox& inbox = inboxes_[window];
  const std::size_t charge = bytes + kInboxChargePerMessageBytes;
  if (inbox.limitBytes != 0 && inbox.queuedBytes + charge > inbox.limitBytes) {
    ++inbox.dropped;
    return false;
  }
  inbox.queuedBytes += charge;
  return true;
}

void EventLoop::Release(WindowHandle window, std::size_t bytes) {
  const auto it = inboxes_.find(window);
  if (it == inboxes_.end()) return;
  const std::size_t charge = bytes + kInboxChargePerMessageBytes;
  it->second.queuedBytes -= std::min(charge, it->second.queuedBytes);
}

bool EventLoop::HasWindow(WindowHandle handle) const {
  return windows_.count(handle) != 0;
}

void EventLoop::SetTimer(WindowHandle window, int timerId, std::uint32_t periodMs) {
  if (!HasWindow(window)) return;
  Timer& t = timers_[{window, timerId}];
  // A zero period would fire on every dispatch and starve everything else.
  t.periodMs = std::max<std::uint32_t>(periodMs, 1);
  t.dueMs = time_->ElapsedMs() + t.periodMs;
  t.armSeq = nextArmSeq_++;
  WorkQueued();
}

void EventLoop::KillTimer(WindowHandle window, int timerId) {
  timers_.erase({window, timerId});
}

bool EventLoop::TimerArmed(WindowHandle window, int timerId) const {
  return timers_.count({window, timerId}) != 0;
}

std::uint64_t EventLoop::TimerDueMs(WindowHandle window, int timerId) const {
  const auto it = timers_.find({window, timerId});
  return it == timers_.end() ? UINT64_MAX : it->second.dueMs;
}

void EventLoop::SkipTimerTick(WindowHandle window, int timerId) {
  const auto it = timers_.find({window, timerId});
  if (it != timers_.end()) it->second.dueMs += it->second.periodMs;
}

void EventLoop::Post(std::function<void()> task) {
  queue_.push_back(Message{0, {}, std::move(task)});
  WorkQueued();
}

void EventLoop::PostDelayed(std::uint32_t delayMs, std::function<void()> task) {
  delayed_.push_back(Delayed{time_->ElapsedMs() + delayMs, nextDelayedSeq_++, std::move(task)});
  std::push_heap(delayed_.begin(), delayed_.end(), LaterDelayed{});
  WorkQueued();
}

void EventLoop::PostCopyData(WindowHandle window, std::string bytes) {
  {
    std::lock_guard lock(foreignMutex_);
    if (!Admit(window, bytes.size())) return;
  }
  queue_.push_back(Message{window, std::move(bytes), {}});
  WorkQueued();
}

void EventLoop::PostNotify(WindowHandle window, int code) {
  // Notifications say "look again", so a second one before the first was seen adds nothing.
  const bool queued = std::any_of(queue_.begin(), queue_.end(),
                                  [&](const Message& m) { return m.window == window && m.notify == code; });
  if (!queued) {
    queue_.push_back(Message{window, {}, {}, code});
    WorkQueued();
  }
}

void EventLoop::PostFromAnyThread(std::function<void()> task) {
  {
    std::lock_guard lock(foreignMutex_);
    foreign_.push_back(Message{0, {}, std::move(task)});
  }
  time_->Wake();
}

void EventLoop::PostCopyDataFromAnyThread(WindowHandle window, std::string bytes) {
  {
    std::lock_guard lock(foreignMutex_);
    if (!Admit(window, bytes.size())) return;
    foreign_.push_back(Message{window, std::move(bytes), {}});
  }
  time_->Wake();
}

void EventLoop::TakeForeign() {
  std::lock_guard lock(foreignMutex_);
  while (!foreign_.empty()) {
    queue_.push_back(std::move(foreign_.front()));
    foreign_.pop_front();
  }
}

bool EventLoop::MoveDueDelayed() {
  bool moved = false;
  const std::uint64_t now = time_->ElapsedMs();
  while (!delayed_.empty() && delayed_.front().dueMs <= now) {
    std::pop_heap(delayed_.begin(), delayed_.end(), LaterDelayed{});
    queue_.push_back(Message{0, {}, std::move(delayed_.back().task)});
    delayed_.pop_back();
    moved = true;
  }
  return moved;
}

bool EventLoop::DispatchOneMessage(WindowHandle onlyWindow) {
  auto it = queue_.begin();
  if (onlyWindow != 0) {
    it = std::find_if(queue_.begin(), queue_.end(),
                      [onlyWindow](const Message& m) { return m.window == onlyWindow; });
  }
  if (it == queue_.end()) return false;
  Message message = std::move(*it);
  queue_.erase(it);
  if (message.window == 0) {
    if (message.task) message.task();
    return true;
  }
  if (message.notify != 0) {
    auto window = windows_.find(message.window);
    if (window != windows_.end() && window->second != nullptr) window->second->OnNotify(message.notify);
    return true;
  }
  {
    std::lock_guard lock(foreignMutex_);
    Release(message.window, message.bytes.size());
  }
  // A window removed after the message was queued no longer receives it.
  auto window = windows_.find(message.window);
  if (window != windows_.end() && window->second != nullptr) window->second->OnCopyData(message.bytes);
  return true;
}

bool EventLoop::DispatchOneTimer(WindowHandle onlyWindow) {
  const std::uint64_t now = time_->ElapsedMs();
  auto due = timers_.end();
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (onlyWindow != 0 && it->first.first != onlyWindow) continue;
    if (it->second.dueMs > now) continue;
    if (due == timers_.end() || it->second.dueMs < due->second.dueMs ||
        (it->second.dueMs == due->second.dueMs && it->second.armSeq < due->second.armSeq)) {
      due = it;
    }
  }
  if (due == timers_.end()) return false;
  const auto [window, timerId] = due->first;
  Timer& t = due->second;
  // Keep the phase (a 60 s schedule stays on its minute) but never fire twice for one lag.
  t.dueMs += t.periodMs;
  if (t.dueMs <= now) t.dueMs += ((now - t.dueMs) / t.periodMs + 1) * t.periodMs;
  auto target = windows_.find(window);
  if (target != windows_.end() && target->second != nullptr) target->second->OnTimer(timerId);
  return true;
}

int EventLoop::DispatchPending(WindowHandle onlyWindow) {
  TakeForeign();
  MoveDueDelayed();
  int dispatched = 0;
  // Only what is queued now: a task that posts itself again waits for the next round.
  std::size_t budget = queue_.size();
  while (budget-- > 0 && DispatchOneMessage(onlyWindow)) ++dispatched;
  // Timer messages come after everything else, as they do on the controller.
  std::size_t timerBudget = timers_.size();
  while (timerBudget-- > 0 && DispatchOneTimer(onlyWindow)) ++dispatched;
  return dispatched;
}

std::uint64_t EventLoop::NextDueMs() const {
  std::uint64_t next = UINT64_MAX;
  for (const auto& [key, t] : timers_) next = std::min(next, t.dueMs);
  if (!delayed_.empty()) next = std::min(next, delayed_.front().dueMs);
  return next;
}

bool EventLoop::WaitForWork(std::uint64_t untilMs) {
  {
    std::lock_guard lock(foreignMutex_);
    if (!foreign_.empty()) return true;
  }
  if (!queue_.empty()) return true;
  std::uint64_t target = std::min(NextDueMs(), untilMs);
  if (VirtualTimeDriver* v = Virtual()) {
    target = std::min(target, std::max(v->NextScheduledMs(), v->ElapsedMs()));
    // Nothing will ever happen on a virtual clock that has nothing due.
    if (target == UINT64_MAX) return false;
  }
  time_->WaitUntil(target);
  return true;
}

void EventLoop::Sleep(std::uint32_t ms) {
  const std::uint64_t until = time_->ElapsedMs() + ms;
  // A real wait can be woken early by another thread's post; sleep on to the end.
  while (time_->ElapsedMs() < until) time_->WaitUntil(until);
}

bool EventLoop::RunUntil(const std::function<bool()>& done, std::uint64_t timeoutMs) {
  const std::uint64_t now = time_->ElapsedMs();
  const std::uint64_t deadline = timeoutMs > UINT64_MAX - now ? UINT64_MAX : now + timeoutMs;
  while (true) {
    if (done()) return true;
    const int dispatched = DispatchPending(0);
    if (done()) return true;
    if (time_->ElapsedMs() >= deadline) return false;
    // In real time the condition may change without a message (another process, a file):
    // look again at least every 50 ms.
    const std::uint64_t wakeAt =
        Virtual() != nullptr ? deadline : std::min(deadline, time_->ElapsedMs() + 50);
    if (dispatched == 0 && !WaitForWork(wakeAt)) return done();
  }
}

void EventLoop::RunFor(std::uint64_t ms) {
  RunUntil([] { return false; }, ms);
}

void EventLoop::Run() {
  quit_ = false;
  while (!quit_) {
    if (DispatchPending(0) == 0 && !quit_ && !WaitForWork(UINT64_MAX)) break;
  }
}

std::uint64_t EventLoop::MsUntilWork() {
  {
    std::lock_guard lock(foreignMutex_);
    if (!foreign_.empty()) return 0;
  }
  if (!queue_.empty()) return 0;
  const std::uint64_t next = NextDueMs();
  if (next == UINT64_MAX) return next;
  const std::uint64_t now = time_->ElapsedMs();
  return next > now ? next - now : 0;
}

std::size_t EventLoop::PendingCount() const {
  std::lock_guard lock(foreignMutex_);
  return timers_.size() + queue_.size() + delayed_.size() + foreign_.size();
}

}  // namespace vigil::platform
