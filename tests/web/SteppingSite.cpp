#include "SteppingSite.h"

#include "SyntheticSite.h"
#include "alarms/AlarmLimitsFile.h"
#include "alarms/StoredAlarms.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "results/CycleStore.h"

namespace vigil::web::test {

bool WriteSteppingSite(const std::filesystem::path& folder, std::string& error) {
  const survey::StationPosition station{2250.0, 5120.0, 438.15};
  std::filesystem::remove(folder / results::kResultsFileName);
  auto db = results::ResultsDatabase::Open(folder / results::kResultsFileName, error);
  if (!db) return false;
  alarms::AlarmLimits limits;
  if (!alarms::ParseAlarmLimits(kSteppingLimits, limits, error) ||
      !platform::WriteFileBytesAtomic(folder / alarms::kAlarmsFileName, kSteppingLimits)) {
    error = "cannot write the limits: " + error;
    return false;
  }
  store::ProjectStationSettings settings;
  settings.project = "DAM";
  settings.station = "P1";
  for (int cycle = 0; cycle < kSteppingCycles; ++cycle) {
    const results::CycleKey key{"DAM", "P1",
                                platform::Format("P1_DAM_%02d-Dec-2026_Cycle_1.vgl", {8 + cycle})};
    const std::string date = platform::Format("%02d-12-2026", {8 + cycle});
    const double scale = cycle < kStepCycle ? 0.0 : 3.0;
    if (!platform::WriteUtf16FileAtomic(
            folder / key.file, evaluation::test::CycleText(station, station, 0.0, 1, date.c_str(), scale))) {
      error = "cannot write " + key.file;
      return false;
    }
    const auto stored =
        results::StoreCycleFile(*db, folder / key.file, settings, evaluation::test::Trained(station), {});
    alarms::JudgedCycle judged;
    if (stored.outcome != results::StoreOutcome::kStored ||
        !alarms::JudgeStoredCycle(*db, key, limits, judged, error)) {
      error = key.file + ": " + stored.message + " " + error;
      return false;
    }
  }
  results::Statement rename = db->Raw().Prepare("UPDATE point_results SET point = ?1 WHERE point = 'M2'");
  rename.Bind(1, std::string_view(kMarkupPoint));
  rename.Step();
  if (!rename.Done()) {
    error = "cannot rename M2: " + db->Raw().LastError();
    return false;
  }
  return true;
}

}  // namespace vigil::web::test
