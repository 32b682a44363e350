#include "app/StationHooks.h"

#include <cstdio>
#include <optional>
#include <string>

#include "monitoring/CycleFileName.h"
#include "monitoring/FolderBrowserDialog.h"
#include "platform/DialogResult.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"

namespace vigil::app {

StationHooks::StationHooks() {
  // The training file goes to the folder the operator picks, as the cycle files do.
  training_.SetFolderBrowser([](ui::AppContext& context) -> std::optional<std::string> {
    monitoring::FolderBrowserDialog browser(context);
    if (context.Host().RunModal(browser) != platform::kIdOk) return std::nullopt;
    return browser.SelectedPath();
  });
}

void StationHooks::OpenTraining(ui::MainWindow& window) {
  training_.Open(window.Context());
}

void StationHooks::OpenOrientation(ui::MainWindow& window) {
  orientation_.Open(window.Context());
}

void StationHooks::OnScheduleTick(ui::MainWindow& window) {
  monitoring_.OnScheduleTick(window);
  alarms_.ScheduleTick(window.Context(), window.MonitoringEnabled());
  ui::AppContext& context = window.Context();
  replication_.OnTick(context.Layout(), context.Loop().Time().ElapsedMs());
}

bool StationHooks::OnCycleStored(ui::MainWindow& window, const std::filesystem::path& cycleFile) {
  ui::AppContext& context = window.Context();
  const bool stored = results_.Store(cycleFile, context.Settings(), context.Layout());
  alarms_.CycleStored(context, cycleFile, stored, results_.LastMessage());
  if (stored) replication_.OnCycleStored(context.Layout(), context.Loop().Time().ElapsedMs());
  return stored;
}

void StationHooks::OnReadingsNotWritten(ui::MainWindow& window, int readings) {
  alarms_.ReadingsNotWritten(window.Context(), readings);
}

void StationHooks::OnCycleInterrupted(ui::MainWindow& window, std::int64_t startedMs) {
  ui::AppContext& context = window.Context();
  const store::ProjectStationSettings& s = context.Settings();
  const std::filesystem::path data = context.Layout().DataFolder();
  // The stopped cycle, if it stored a reading at all, has the highest number of its day.
  const std::string base = monitoring::DayBaseName(
      s.station, s.project, monitoring::CycleFileDate(platform::CivilFromMilliseconds(startedMs)));
  const std::string newest = monitoring::CycleFileName(base, monitoring::NextCycleNumber(data, base) - 1);
  const bool exists = platform::FileExists(data / newest);
  if (!results_.NoteInterruptedCycle(startedMs, exists ? newest : std::string(), s, context.Layout())) {
    context.Notices().ShowMessage("The interrupted cycle could not be noted in the results database: " +
                                  results_.LastMessage());
  }
}

void StationHooks::OnResumeFailedAgain(ui::MainWindow& window, int failures, std::string_view what) {
  const store::ProjectStationSettings& s = window.Context().Settings();
  std::string line = "VigilStation: monitoring of " + s.project + " - " + s.station + " not resumed (try " +
                     std::to_string(failures) + "): ";
  for (const char c : what) line += (c == '\r' || c == '\n') ? ' ' : c;
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
}

}  // namespace vigil::app
