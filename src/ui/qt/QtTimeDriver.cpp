#include "ui/qt/QtTimeDriver.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>

namespace vigil::ui::qt {

void QtTimeDriver::Wake() {
  real_.Wake();
  std::lock_guard lock(hookMutex_);
  if (wakeHook_) wakeHook_();
}

void QtTimeDriver::SetWakeHook(std::function<void()> hook) {
  std::lock_guard lock(hookMutex_);
  wakeHook_ = std::move(hook);
}

void QtTimeDriver::WaitUntil(std::uint64_t untilMs) {
  if (QCoreApplication::instance() == nullptr) {
    real_.WaitUntil(untilMs);
    return;
  }
  const bool outer = waiting_;
  waiting_ = true;
  while (true) {
    const std::uint64_t slice = std::min(untilMs, ElapsedMs() + kSliceMs);
    real_.WaitUntil(slice);
    // Back before the slice ended: another thread woke the loop, which must look now.
    if (ElapsedMs() < slice || ElapsedMs() >= untilMs) break;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
  waiting_ = outer;
}

}  // namespace vigil::ui::qt
