#include "results/CycleStore.h"

#include "platform/Files.h"

namespace vigil::results {

StoredCycleReport StoreCycleFile(ResultsDatabase& db, const std::filesystem::path& cycleFile,
                                 const store::ProjectStationSettings& settings,
                                 const std::vector<evaluation::TrainedPoint>& trained,
                                 const evaluation::EvaluationSettings& evaluationSettings) {
  StoredCycleReport report;
  const std::string name = platform::PathText(cycleFile.filename());
  const std::optional<std::string> text = platform::ReadUtf16File(cycleFile);
  evaluation::CycleReadings readings;
  std::string error;
  if (!text || !evaluation::ReadCycleReadings(*text, settings, readings, error)) {
    report.outcome = StoreOutcome::kUnreadable;
    report.message = name + ": " + (text ? error : "cannot be read");
    return report;
  }
  std::optional<evaluation::Baseline> baseline;
  if (!evaluationSettings.baselineCycle.empty()) {
    baseline = db.BaselineOf({settings.project, settings.station, evaluationSettings.baselineCycle});
    if (!baseline)
      report.message = "baseline cycle " + evaluationSettings.baselineCycle +
                       " is not in the results database: displacements from the trained positions";
  }
  report.evaluation =
      evaluation::EvaluateCycle(readings, trained, evaluationSettings, baseline ? &*baseline : nullptr);
  if (!db.WriteCycle({settings.project, settings.station, name}, readings, report.evaluation,
                     evaluationSettings.velocityWindowDays, error)) {
    report.outcome = StoreOutcome::kDatabaseFailed;
    report.message = name + ": results not written: " + error;
  }
  return report;
}

}  // namespace vigil::results
