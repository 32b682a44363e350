// Every change of the station's files is synced before the program goes on: the crash points
// stop the process, which keeps the page cache, so only the trace shows a missing sync.
#include <gtest/gtest.h>

#include <algorithm>

#include "StationScenario.h"
#include "SyncedSteps.h"
#include "TempFolder.h"

namespace vigil::crashtest {
namespace {

using platform::FileStep;

TEST(SyncedSteps, EveryStoredChangeOfTheScenarioReachesTheMediumBeforeTheNext) {
  vigil::test::TempFolder home;
  ScenarioOutcome outcome;
  const std::vector<TracedStep> steps = TraceFileSteps([&] { outcome = RunStationScenario(home.path()); });
  ASSERT_TRUE(outcome.scriptCompleted);
  const auto renamed = std::count_if(steps.begin(), steps.end(),
                                     [](const TracedStep& s) { return s.step == FileStep::Renamed; });
  EXPECT_GE(renamed, 7) << "settings twice, training three times, a file per cycle";
  for (const std::string& fault : UnsyncedChanges(steps)) ADD_FAILURE() << fault;
}

TEST(SyncedSteps, EachKindOfMissingSyncIsSeen) {
  const struct {
    const char* comment;
    std::vector<TracedStep> steps;
    std::size_t faults;
  } cases[] = {
      {"replaced whole",
       {{FileStep::DataWritten, "S/a.txt.tmp1-0"},
        {FileStep::DataSynced, "S/a.txt.tmp1-0"},
        {FileStep::Renamed, "S/a.txt"},
        {FileStep::FolderSynced, "S"},
        {FileStep::DataWritten, "D/c.vgl"},
        {FileStep::DataSynced, "D/c.vgl"}},
       0},
      {"a temporary put in place unsynced",
       {{FileStep::DataWritten, "S/a.txt.tmp1-0"},
        {FileStep::Renamed, "S/a.txt"},
        {FileStep::FolderSynced, "S"}},
       1},
      {"the folder entry of a rename unsynced",
       {{FileStep::DataWritten, "S/a.txt.tmp1-0"},
        {FileStep::DataSynced, "S/a.txt.tmp1-0"},
        {FileStep::Renamed, "S/a.txt"}},
       1},
      {"a new folder's entry unsynced: the files in it would go with it",
       {{FileStep::FolderCreated, "H/D"},
        {FileStep::DataWritten, "H/D/c.vgl"},
        {FileStep::DataSynced, "H/D/c.vgl"}},
       1},
      {"an appended line unsynced when the next begins",
       {{FileStep::DataWritten, "D/c.vgl"},
        {FileStep::DataWritten, "D/c.vgl"},
        {FileStep::DataSynced, "D/c.vgl"}},
       1},
  };
  for (const auto& c : cases) EXPECT_EQ(UnsyncedChanges(c.steps).size(), c.faults) << c.comment;
}

}  // namespace
}  // namespace vigil::crashtest
