// The station's own results: after every cycle its file is evaluated and written to the
// results database in the Data folder. The station never waits on anything else for it, and
// a failure is reported to the screen, never to the cycle.
#pragma once

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

  const std::string& LastMessage() const { return lastMessage_; }
  const evaluation::CycleEvaluation& LastEvaluation() const { return last_; }

 private:
  std::unique_ptr<ResultsDatabase> db_;
  std::filesystem::path dbPath_;
  std::string lastMessage_;
  evaluation::CycleEvaluation last_;
};

}  // namespace vigil::results
