// The station's own results: after every cycle its file is evaluated and written to the
// results database in the Data folder. The station never waits on anything else for it, and
// a failure is reported to the screen, never to the cycle.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "results/CycleStore.h"
#include "store/ProjectStationSettings.h"
#include "store/StorageLayout.h"

namespace vigil::results {

class StationResults {
 public:
  /// Evaluates and stores one cycle file of the loaded project-station. False (with the reason
  /// in LastMessage) when the file could not be read or the database not written.
  bool Store(const std::filesystem::path& cycleFile, const store::ProjectStationSettings& settings,
             const store::StorageLayout& layout);

  /// Notes in the station events (alarm_events, kind "cycle interrupted") that the program
  /// stopped during a cycle started at `startedMs` (local ms since 1970). `candidateFile` is
  /// the newest cycle file of that day (empty when there is none): not in the database, it is
  /// the cut cycle's file and is named; in the database from a reading at or after `startedMs`,
  /// the cycle ended and was stored, and nothing is noted; an older one names no file (the
  /// cycle stopped before its first reading). The file itself is left as it is.
  bool NoteInterruptedCycle(std::int64_t startedMs, const std::string& candidateFile,
                            const store::ProjectStationSettings& settings,
                            const store::StorageLayout& layout);

  const std::string& LastMessage() const { return lastMessage_; }
  const evaluation::CycleEvaluation& LastEvaluation() const { return last_; }

 private:
  std::unique_ptr<ResultsDatabase> db_;
  std::filesystem::path dbPath_;
  std::string lastMessage_;
  evaluation::CycleEvaluation last_;

  bool OpenDatabase(const store::StorageLayout& layout);
};

/// The kind of the station event written for a cycle the program stopped in.
inline constexpr const char* kCycleInterruptedKind = "cycle interrupted";

}  // namespace vigil::results
