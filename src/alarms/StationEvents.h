// Events of the station itself rather than of a point: a reference the cycle's station was not
// computed from, a cycle whose points could not be corrected, and cycles that stop coming,
// the failure nobody sees on site.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "evaluation/CycleEvaluation.h"

namespace vigil::alarms {

enum class StationEventKind {
  kReferenceExcluded = 0,  ///< `point` was not used; `why` says why
  kNotCorrected = 1,       ///< `why` from the evaluation
  kNoCycle = 2,            ///< no cycle for the configured hours
  kCyclesResumed = 3,      ///< a cycle again after kNoCycle
  kLinkLost = 4,           ///< the instrument stopped acknowledging commands
  kLinkRestored = 5,       ///< it answers again
  kDataNotWritten = 6,     ///< readings of a cycle not written to its cycle file; `why` counts them
  kResultsNotWritten = 7,  ///< a cycle not written to the results database; `why` from it
};

/// "reference excluded", "not corrected", "no cycle", "cycles resumed", "link lost", "link
/// restored", "data not written", "results not written".
const char* StationEventName(StationEventKind kind);

struct StationEvent {
  StationEventKind kind = StationEventKind::kNoCycle;
  std::string point;  ///< the reference, for kReferenceExcluded
  std::string why;
  std::int64_t timeMs = 0;  ///< local time (ms since 1970)
};

/// The station events of one evaluated cycle, at the time of its last reading.
std::vector<StationEvent> StationEventsOf(const evaluation::CycleEvaluation& evaluation);

/// Watches for cycles stopping: "no cycle" once when none has come for the configured hours,
/// "cycles resumed" with the next one.
class CycleWatch {
 public:
  /// `hours` 0: never raised. `lastCycleMs`: the end of the last cycle known (e.g. from the
  /// results database), or the time watching began.
  CycleWatch(double hours, std::int64_t lastCycleMs) : hours_(hours), lastMs_(lastCycleMs) {}

  /// A cycle with measured points ended at `endMs`.
  std::optional<StationEvent> CycleCompleted(std::int64_t endMs);
  /// Evaluated at `nowMs` (local time).
  std::optional<StationEvent> Check(std::int64_t nowMs);
  bool Raised() const { return raised_; }
  /// "no cycle" was raised before (an earlier run): not raised again until cycles resume.
  void MarkRaised() { raised_ = true; }

 private:
  double hours_;
  std::int64_t lastMs_;
  bool raised_ = false;
};

}  // namespace vigil::alarms
