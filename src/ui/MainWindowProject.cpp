// Choosing and confirming the project-station, and the schedule it sets up.
#include "monitoring/Schedule.h"
#include "ui/MainWindow.h"
#include "ui/ProjectSelectDialog.h"
#include "ui/StationSettingsSheet.h"

namespace vigil::ui {

int MainWindow::ChooseProjectStation() {
  store::ProjectStationStore& store = context_.Store();
  const bool named = everLoaded_;
  ProjectSelectDialog select(
      context_.Bracket(), context_.TranslationsPath(), context_.Layout().StationFolder(),
      named ? store.Settings().project : std::string(), named ? store.Settings().station : std::string());
  const int result = context_.Host().RunModal(select);
  if (result == platform::kIdCancel) return ProjectSelectDialog::kNoChoice;
  if (select.Choice() == ProjectSelectDialog::kChoiceNew) {
    store.ResetProjectStation();
  } else if (select.Choice() == ProjectSelectDialog::kChoiceExisting) {
    store.Settings().project = select.ChosenProject();
    store.Settings().station = select.ChosenStation();
    store.LoadProjectStation(false);
  }
  return select.Choice();
}

void MainWindow::OpenProjectSettings() {
  // A choice in the selection and the sheet's unit pages change the settings before anything is
  // confirmed; the schedule must go on measuring with the ones confirmed last.
  const store::ProjectStationStore::Kept confirmed = context_.Store().Keep();
  while (true) {
    context_.SetToBasicState(false);
    bool isNew = false;
    if (!loaded_) {
      const int choice = ChooseProjectStation();
      if (choice == ProjectSelectDialog::kNoChoice) {
        context_.Store().Restore(confirmed);
        context_.SetToBasicState(true);
        return;
      }
      isNew = choice == ProjectSelectDialog::kChoiceNew;
      context_.SetToBasicState(true);
    }
    StationSettingsSheet sheet(context_.Store(), context_.Bracket(), isNew);
    const int result = context_.Host().RunModal(sheet);
    if (result == StationSettingsSheet::kResultLoad) {
      loaded_ = false;
      continue;
    }
    if (result == platform::kIdOk) {
      ProjectStationConfirmed();
    } else {
      context_.Store().Restore(confirmed);
    }
    context_.SetToBasicState(true);
    return;
  }
}

void MainWindow::ProjectStationConfirmed() {
  context_.Store().LoadProjectStation(true);
  for (int id : {kControlsButtonId, kTrainingButtonId, kOrientationButtonId, kMonitorButtonId})
    Enable(id, true);
  loaded_ = true;
  everLoaded_ = true;
  RefreshTitle();
  // One write of the resume state for the change: a stop between a disarmed and a re-armed
  // record would leave a state that never resumes.
  const bool ready = resumeStateReady_;
  resumeStateReady_ = false;
  scheduleInForce_ = false;
  ArmSchedule(false);
  if (context_.Settings().mode == 0) {
    scheduleInForce_ = true;
    UpdateNextCycleLabel(true);
    ArmSchedule(true);
  } else {
    UpdateNextCycleLabel(false);
  }
  resumeStateReady_ = ready;
  RecordResumeState();
}

void MainWindow::UpdateNextCycleLabel(bool show) {
  if (!show) {
    Show(kNextCycleId, false);
    return;
  }
  const auto text = monitoring::UpdateNextCycleLabel(context_.Settings().cycles, context_.Loop().Now().hour,
                                                     context_.TranslationsPath());
  if (text) nextCycleText_ = *text;
  if (!nextCycleText_.empty()) SetText(kNextCycleId, nextCycleText_);
  Show(kNextCycleId, true);
}

}  // namespace vigil::ui
