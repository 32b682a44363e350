// A stored cycle judged against the alarm limits, its events written to the results database
// in one transaction together with every point's level state, so the count towards
// confirmation carries from one cycle to the next across restarts.
#pragma once

#include <string>
#include <vector>

#include "alarms/AlarmLimits.h"
#include "alarms/LevelTracker.h"
#include "alarms/StationEvents.h"
#include "results/ResultsDatabase.h"

namespace vigil::alarms {

struct JudgedCycle {
  bool alreadyJudged = false;  ///< judged before: nothing written, no events
  std::vector<AlarmEvent> events;
  std::vector<StationEvent> stationEvents;  ///< excluded references, not corrected
};

/// Judges the cycle `key` of the database (its point results, references and correction) at
/// the time of its last reading. Every event gets one notification row per name of
/// `transports`, in the same transaction. False with `error` and nothing written when the
/// cycle is not in the database or the write fails.
bool JudgeStoredCycle(results::ResultsDatabase& db, const results::CycleKey& key, const AlarmLimits& limits,
                      JudgedCycle& judged, std::string& error,
                      const std::vector<std::string>& transports = {});

}  // namespace vigil::alarms
