// The kinds of fault the simulated instrument can put into its replies, and how a test
// switches one on for a few occurrences, for good, or off again.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sim/Faults.h"
#include "sim/Simulator.h"

namespace vigil::faults::test {

enum class FaultKind {
  kNak,          ///< commands beginning with a prefix are refused
  kLostAck,      ///< replies carrying an ACK go without it
  kLate,         ///< replies come late
  kSplit,        ///< replies arrive in pieces
  kDoubled,      ///< two data lines in one message
  kGarbled,      ///< data lines that are no reply the program expects
  kOverlong,     ///< data lines longer than any line buffer
  kSdErrorCode,  ///< an error code in the distance field
  kVaErrorCode,  ///< an error code in the vertical angle field
  kHaErrorCode,  ///< an error code in the horizontal angle field
  kAngleStatus,  ///< an angle line with a non-zero status
  kWindowGone,   ///< the instrument's window disappears and comes back
  kEndlessTurn,  ///< a turn or search is acknowledged and never ends
};

inline constexpr FaultKind kAllFaultKinds[] = {
    FaultKind::kNak,         FaultKind::kLostAck,     FaultKind::kLate,        FaultKind::kSplit,
    FaultKind::kDoubled,     FaultKind::kGarbled,     FaultKind::kOverlong,    FaultKind::kSdErrorCode,
    FaultKind::kVaErrorCode, FaultKind::kHaErrorCode, FaultKind::kAngleStatus, FaultKind::kWindowGone,
    FaultKind::kEndlessTurn,
};

/// A name fit for a test name ("LostAck").
std::string FaultName(FaultKind kind);

/// How long a late reply is late and a vanished window stays away (ms).
inline constexpr std::uint32_t kLateByMs = 3000;
inline constexpr std::uint32_t kGoneForMs = 20000;

/// An injection count that never runs out within a test: the fault stays until switched off.
inline constexpr int kForGood = 1000000;

/// One injection: `count` occurrences of `kind`; `prefix` picks the commands that a NAK
/// refuses or on which the window disappears.
struct Injection {
  FaultKind kind = FaultKind::kNak;
  int count = 1;
  std::string prefix;
};

/// Test names of parameterised cases: the case's own name.
template <class Info>
std::string CaseName(const Info& info) {
  return info.param.name;
}

/// Switches the fault on for its next `count` occurrences.
void Arm(sim::Faults& faults, const Injection& injection);

/// Occurrences of the injection not yet used up (0 once every one struck). A window that is
/// to disappear counts 1 until it did.
int Remaining(const sim::Faults& faults, const Injection& injection);

/// Switches every fault off (a vanished window still comes back when its time is up).
void ClearAll(sim::Faults& faults);

}  // namespace vigil::faults::test
