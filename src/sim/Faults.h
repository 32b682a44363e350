// Faults on demand. Counters count down as they strike; tests and scenarios set them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vigil::sim {

struct Faults {
  /// Refuse (NAK) the next `count` commands whose text begins with `prefix`.
  struct NakRule {
    std::string prefix;
    int count = 0;
  };
  std::vector<NakRule> nak;

  int lostAcks = 0;  ///< the next N replies that carry an ACK go without it

  int lateReplies = 0;  ///< the next N replies come `lateByMs` later
  std::uint32_t lateByMs = 0;

  int splitReplies = 0;  ///< the next N replies arrive in `splitPieces` messages
  int splitPieces = 3;
  std::uint32_t splitGapMs = 60;  ///< between the pieces of a split reply

  int doubleLines = 0;    ///< the next N data replies carry two lines in one message
  int garbledLines = 0;   ///< the next N data lines are not what the command expects
  int overlongLines = 0;  ///< the next N data lines run past any line buffer

  int distanceErrors = 0;  ///< the next N distance lines carry `distanceErrorCode` in SD
  std::string distanceErrorCode = "E201";
  int vaErrors = 0;  ///< the next N angle or distance lines carry `vaErrorCode` in Va
  std::string vaErrorCode = "E115";
  int haErrors = 0;
  std::string haErrorCode = "E114";
  int angleStatusErrors = 0;  ///< the next N "Ee" lines have a non-zero status

  int turnErrors = 0;  ///< the next N turns or searches end with "E" `turnErrorNumber`
  int turnErrorNumber = 575;
  int endlessTurns = 0;  ///< the next N turns or searches never end (ACK but no OK)

  /// The window disappears when a command beginning with `vanishOnPrefix` arrives
  /// (unanswered) and comes back `vanishForMs` later. Empty prefix: never.
  std::string vanishOnPrefix;
  std::uint32_t vanishForMs = 0;
};

/// Uses up one of the next N occurrences of a fault: true (and one fewer left) while any are.
inline bool TakeOne(int& counter) {
  if (counter <= 0) return false;
  --counter;
  return true;
}

}  // namespace vigil::sim
