#include "FaultKinds.h"

namespace vigil::faults::test {

namespace {

int* Counter(sim::Faults& f, FaultKind kind) {
  switch (kind) {
    case FaultKind::kLostAck:
      return &f.lostAcks;
    case FaultKind::kLate:
      return &f.lateReplies;
    case FaultKind::kSplit:
      return &f.splitReplies;
    case FaultKind::kDoubled:
      return &f.doubleLines;
    case FaultKind::kGarbled:
      return &f.garbledLines;
    case FaultKind::kOverlong:
      return &f.overlongLines;
    case FaultKind::kSdErrorCode:
      return &f.distanceErrors;
    case FaultKind::kVaErrorCode:
      return &f.vaErrors;
    case FaultKind::kHaErrorCode:
      return &f.haErrors;
    case FaultKind::kAngleStatus:
      return &f.angleStatusErrors;
    case FaultKind::kEndlessTurn:
      return &f.endlessTurns;
    case FaultKind::kNak:
    case FaultKind::kWindowGone:
      return nullptr;
  }
  return nullptr;
}

}  // namespace

std::string FaultName(FaultKind kind) {
  switch (kind) {
    case FaultKind::kNak:
      return "Nak";
    case FaultKind::kLostAck:
      return "LostAck";
    case FaultKind::kLate:
      return "Late";
    case FaultKind::kSplit:
      return "Split";
    case FaultKind::kDoubled:
      return "Doubled";
    case FaultKind::kGarbled:
      return "Garbled";
    case FaultKind::kOverlong:
      return "Overlong";
    case FaultKind::kSdErrorCode:
      return "SdErrorCode";
    case FaultKind::kVaErrorCode:
      return "VaErrorCode";
    case FaultKind::kHaErrorCode:
      return "HaErrorCode";
    case FaultKind::kAngleStatus:
      return "AngleStatus";
    case FaultKind::kWindowGone:
      return "WindowGone";
    case FaultKind::kEndlessTurn:
      return "EndlessTurn";
  }
  return "Unknown";
}

void Arm(sim::Faults& f, const Injection& in) {
  switch (in.kind) {
    case FaultKind::kNak:
      f.nak.push_back({in.prefix, in.count});
      return;
    case FaultKind::kWindowGone:
      f.vanishOnPrefix = in.prefix;
      f.vanishForMs = kGoneForMs;
      return;
    case FaultKind::kLate:
      f.lateByMs = kLateByMs;
      break;
    case FaultKind::kSplit:
      f.splitPieces = 3;
      break;
    default:
      break;
  }
  *Counter(f, in.kind) = in.count;
}

int Remaining(const sim::Faults& f, const Injection& in) {
  sim::Faults copy = f;
  if (in.kind == FaultKind::kNak) {
    int left = 0;
    for (const auto& rule : f.nak) left += rule.count;
    return left;
  }
  if (in.kind == FaultKind::kWindowGone) return f.vanishOnPrefix.empty() ? 0 : 1;
  return *Counter(copy, in.kind);
}

void ClearAll(sim::Faults& f) {
  const sim::Faults defaults;
  f.nak.clear();
  for (FaultKind kind : kAllFaultKinds) {
    if (int* counter = Counter(f, kind)) *counter = 0;
  }
  f.turnErrors = 0;
  f.vanishOnPrefix.clear();
  f.lateByMs = defaults.lateByMs;
}

}  // namespace vigil::faults::test
