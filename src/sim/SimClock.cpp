#include "sim/SimClock.h"

#include <algorithm>

namespace vigil::sim {

void VirtualSimClock::Schedule(std::uint64_t delayMs, std::function<void()> work) {
  driver_.Schedule(delayMs, std::move(work));
}

void LoopSimClock::Schedule(std::uint64_t delayMs, std::function<void()> work) {
  const auto ms = static_cast<std::uint32_t>(std::min<std::uint64_t>(delayMs, UINT32_MAX));
  if (ms == 0) {
    loop_.Post(std::move(work));
  } else {
    loop_.PostDelayed(ms, std::move(work));
  }
}

}  // namespace vigil::sim
