// A cycle file evaluated against its project-station's training and written to the results
// database: what the station does after every cycle, and what an import does for each file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "evaluation/CycleEvaluation.h"
#include "evaluation/EvaluationSettings.h"
#include "results/ResultsDatabase.h"
#include "store/ProjectStationSettings.h"

namespace vigil::results {

enum class StoreOutcome {
  kStored = 0,
  kUnreadable = 1,      ///< the cycle file could not be read or has no header
  kDatabaseFailed = 2,  ///< the evaluation could not be written
};

struct StoredCycleReport {
  StoreOutcome outcome = StoreOutcome::kStored;
  std::string message;  ///< what went wrong, or a note (a baseline cycle not found)
  evaluation::CycleEvaluation evaluation;
};

/// Reads `cycleFile`, evaluates it against `trained` (the project-station's training, in the
/// units of `settings`) and writes it under `settings`' project and station.
StoredCycleReport StoreCycleFile(ResultsDatabase& db, const std::filesystem::path& cycleFile,
                                 const store::ProjectStationSettings& settings,
                                 const std::vector<evaluation::TrainedPoint>& trained,
                                 const evaluation::EvaluationSettings& evaluationSettings);

}  // namespace vigil::results
