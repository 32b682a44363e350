// The end-of-scan rule: the scan is over when a quiet interval has passed since the last hit,
// measured on the 32-bit millisecond tick count that wraps about every 49.7 days.
#pragma once

#include <cstdint>

namespace vigil::training {

/// True when more than `quietMs` passed from `lastHitTick` to `nowTick`. A tick count below
/// the last hit means the counter wrapped: the quiet time restarts from now.
inline bool QuietTimeOver(std::uint32_t nowTick, std::uint32_t& lastHitTick, std::uint32_t quietMs) {
  if (nowTick < lastHitTick) lastHitTick = nowTick;
  // A difference, not lastHitTick + quietMs: that sum wraps and would end the scan at once.
  return nowTick - lastHitTick > quietMs;
}

}  // namespace vigil::training
