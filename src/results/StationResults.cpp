#include "results/StationResults.h"

#include "platform/Files.h"
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
  if (!OpenDatabase(layout)) return false;
  StoredCycleReport report = StoreCycleFile(
      *db_, cycleFile, settings, evaluation::TrainedPointsFrom(content.points, settings), evaluationSettings);
  lastMessage_ = report.message;
  last_ = std::move(report.evaluation);
  if (report.outcome == StoreOutcome::kDatabaseFailed) db_.reset();
  return report.outcome == StoreOutcome::kStored;
}

bool StationResults::OpenDatabase(const store::StorageLayout& layout) {
  // Kept open between cycles; opened again after a failure, in case the medium came back.
  const std::filesystem::path path = layout.DataFolder() / kResultsFileName;
  if (!db_ || dbPath_ != path) {
    db_ = ResultsDatabase::Open(path, lastMessage_);
    dbPath_ = path;
  }
  return db_ != nullptr;
}

bool StationResults::NoteInterruptedCycle(std::int64_t startedMs, const std::string& candidateFile,
                                          const store::ProjectStationSettings& settings,
                                          const store::StorageLayout& layout) {
  lastMessage_.clear();
  // A stop before the first cycle file of the station: the folder may not be there yet.
  if (!platform::FolderExists(layout.DataFolder()) && !platform::CreateFolder(layout.DataFolder())) {
    lastMessage_ = "the Data folder cannot be made";
    return false;
  }
  if (!OpenDatabase(layout)) return false;
  Database& db = db_->Raw();
  std::string file;
  if (!candidateFile.empty()) {
    Statement stored =
        db.Prepare("SELECT first_ms FROM cycles WHERE project = ?1 AND station = ?2 AND file = ?3");
    stored.Bind(1, settings.project).Bind(2, settings.station).Bind(3, candidateFile);
    if (!stored.Valid()) {
      lastMessage_ = "the results database cannot be read";
      db_.reset();
      return false;
    }
    if (!stored.Step()) {
      file = candidateFile;  // cut short: its lines never reached the database
    } else if (stored.Int(0) >= startedMs) {
      return true;  // it ended and was stored; only the re-arming after it was lost
    }
  }
  Statement event = db.Prepare(
      "INSERT INTO alarm_events (project, station, file, time_ms, kind, point, level, quantity, value, "
      "limit_value, why) VALUES (?1, ?2, ?3, ?4, ?5, '', '', '', NULL, NULL, ?6)");
  event.Bind(1, settings.project).Bind(2, settings.station).Bind(3, file).Bind(4, startedMs);
  event.Bind(5, std::string_view(kCycleInterruptedKind))
      .Bind(6,
            std::string_view(file.empty() ? "the program stopped before the cycle's first reading was stored"
                                          : "the program stopped during the cycle; its file keeps the "
                                            "readings stored before"));
  if (!event.Valid() || event.Step() || !event.Done()) {
    lastMessage_ = "the results database cannot be written";
    db_.reset();
    return false;
  }
  return true;
}

}  // namespace vigil::results
