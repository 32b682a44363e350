#include "results/StationResults.h"

#include "training/TrainingFile.h"

namespace vigil::results {

bool StationResults::Store(const std::filesystem::path& cycleFile,
                           const store::ProjectStationSettings& settings,
                           const store::StorageLayout& layout) {
  lastMessage_.clear();
  evaluation::EvaluationSettings evaluationSettings;
  if (!evaluation::LoadEvaluationSettings(layout.ProgramFolder(), evaluationSettings, lastMessage_))
    return false;
  const training::TrainingFileContent content =
      training::ReadTrainingFile(training::TrainingFileOf(layout, settings));
  if (content.result == training::TrainingReadResult::ReadFailed) {
    lastMessage_ = "the training file cannot be read";
    return false;
  }
  // Kept open between cycles; opened again after a failure, in case the medium came back.
  const std::filesystem::path path = layout.DataFolder() / kResultsFileName;
  if (!db_ || dbPath_ != path) {
    db_ = ResultsDatabase::Open(path, lastMessage_);
    dbPath_ = path;
    if (!db_) return false;
  }
  StoredCycleReport report = StoreCycleFile(
      *db_, cycleFile, settings, evaluation::TrainedPointsFrom(content.points, settings), evaluationSettings);
  lastMessage_ = report.message;
  last_ = std::move(report.evaluation);
  if (report.outcome == StoreOutcome::kDatabaseFailed) db_.reset();
  return report.outcome == StoreOutcome::kStored;
}

}  // namespace vigil::results
