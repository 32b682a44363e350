// Enable, the new project-station typed into the settings sheet, and at the end Disable.
#include "demo/Operator.h"
#include "platform/Format.h"
#include "ui/MainWindow.h"
#include "ui/ProjectSelectDialog.h"
#include "ui/StationSettingsSheet.h"

namespace vigil::demo {

namespace {

using MW = ui::MainWindow;
using Sheet = ui::StationSettingsSheet;

constexpr const char* kEnableQuestion =
    "Instrument will initialize to MONITORING setting.  Proceed to Enable?";
constexpr const char* kDisableQuestion =
    "Instrument will initialize to PREVIOUS setting.  Proceed to Disable?";
constexpr const char* kCloseQuestion = "Are you sure you want to close DLK VIGIL\xE2\x84\xA2?";
/// What the pillar's mark is below the instrument's axis (m).
constexpr double kInstrumentHeightMetres = 1.55;

}  // namespace

void Operator::ScriptEnableAndNewStation() {
  const sim::Scenario& s = site_.scenario;
  const sim::GridPoint rough = RoughStation(s);
  ui::ScriptedHost& host = Host();
  host.Press(MW::kEnableButtonId)
      .AnswerMessageBox(kEnableQuestion, platform::kIdYes)
      .WaitForDialog<ui::ProjectSelectDialog>()
      .Press(ui::ProjectSelectDialog::kNewButtonId)
      .WaitForDialog<Sheet>()
      .Type(ui::StationPage::kProjectEditId, kProject, Sheet::kStation)
      .Type(ui::StationPage::kStationEditId, kStation, Sheet::kStation)
      .Select(Sheet::kTabId, Sheet::kUnits)
      .Type(ui::UnitsPage::kTemperatureEditId, platform::FormatFixed(s.temperatureC, 1), Sheet::kUnits)
      .Type(ui::UnitsPage::kPressureEditId, platform::FormatFixed(s.pressureHpa, 1), Sheet::kUnits);
  Shoot("settings_units");
  // Where the pillar roughly is; the circle's zero is not known at all.
  host.Select(Sheet::kTabId, Sheet::kCoordinates)
      .Type(ui::CoordinatesPage::kEastingEditId, platform::FormatFixed(rough.eastingMetres, 3),
            Sheet::kCoordinates)
      .Type(ui::CoordinatesPage::kNorthingEditId, platform::FormatFixed(rough.northingMetres, 3),
            Sheet::kCoordinates)
      .Type(ui::CoordinatesPage::kLevelEditId,
            platform::FormatFixed(rough.levelMetres - kInstrumentHeightMetres, 3), Sheet::kCoordinates)
      .Type(ui::CoordinatesPage::kOrientationEditId, "0.00000", Sheet::kCoordinates)
      .Type(ui::CoordinatesPage::kHeightEditId, platform::FormatFixed(kInstrumentHeightMetres, 3),
            Sheet::kCoordinates);
  Shoot("settings_coordinates");
  host.Select(Sheet::kTabId, Sheet::kReading)
      .Type(ui::ReadingPage::kRepeatsEditId, "2", Sheet::kReading)
      .Type(ui::ReadingPage::kRetriesEditId, "2", Sheet::kReading)
      .Type(ui::ReadingPage::kRoundsEditId, "1", Sheet::kReading)
      .Select(Sheet::kTabId, Sheet::kCycles)
      .Select(ui::CyclesPage::kModeListId, ui::CyclesPage::kModeInterval, Sheet::kCycles)
      .SelectText(ui::CyclesPage::kStartTimeListId, "01:00 AM", Sheet::kCycles)
      .Type(ui::CyclesPage::kIntervalEditId, "4", Sheet::kCycles);
  Shoot("settings_cycles");
  host.Press(Sheet::kOkKeyId).WaitForDialog<MW>().Do("loaded and armed", [this] {
    MW& window = world_.App().Window();
    if (!window.ProjectStationLoaded()) Problem("the project-station was not loaded");
    if (!window.ScheduleArmed()) Problem("the schedule was not armed");
  });
  Shoot("main_window");
}

void Operator::ScriptDisableAndClose() {
  Host()
      .WaitUntil("no cycle on screen", [this] { return Host().TopDialog() == &world_.App().Window(); })
      .Press(MW::kEnableButtonId)
      .AnswerMessageBox(kDisableQuestion, platform::kIdYes)
      .WaitUntil("disabled", [this] { return !world_.App().Window().MonitoringEnabled(); })
      .Close()
      .AnswerMessageBox(kCloseQuestion, platform::kIdYes);
}

}  // namespace vigil::demo
