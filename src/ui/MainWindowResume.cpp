// Taking monitoring up again after the program stopped (a power cut, a crash, a service
// restart): what is recorded while it runs, and the start that resumes from it.
#include "platform/Files.h"
#include "store/Placeholders.h"
#include "ui/MainWindow.h"
#include "ui/ResumeCountdownDialog.h"

namespace vigil::ui {

std::filesystem::path MainWindow::ResumeStatePath() const {
  return context_.Layout().StationFolder() / kResumeStateFileName;
}

void MainWindow::RecordResumeState() {
  if (!resumeStateReady_) return;
  const store::ProjectStationSettings& s = context_.Settings();
  ResumeState state;
  if (loaded_ && s.resume_after_restart) {
    state = {enabled_, s.project, s.station, scheduleInForce_, enabled_ ? cycleStartedMs_ : 0};
  }
  // Nothing is written for a project-station that does not ask for it, unless a state of an
  // earlier run is there to be cleared.
  if (!recorded_ && !platform::FileExists(ResumeStatePath())) recorded_ = ResumeState{};
  if (recorded_ && *recorded_ == state) return;
  if (WriteResumeState(ResumeStatePath(), state)) {
    recorded_ = state;
    resumeWriteFailed_ = false;
    return;
  }
  recorded_.reset();
  if (resumeWriteFailed_) return;  // told once until a write succeeds again
  resumeWriteFailed_ = true;
  context_.Host().MessageBox(
      store::FillPlaceholders(Tr("IDS_MAIN_MSGBOX_RESUME_NOT_SAVED",
                                 "The monitoring state could not be written to {file}. After a restart, "
                                 "monitoring may not resume as it stands now."),
                              {{"{file}", platform::PathText(ResumeStatePath())}}),
      {}, platform::MessageIcon::Exclamation, platform::MessageButtons::Ok);
}

void MainWindow::StartResume() {
  if (enabled_ || enabling_ || loaded_) return;  // a retry after the operator took over
  ResumeState state;
  std::string why;
  const ResumeRead read = ReadResumeState(ResumeStatePath(), state, why);
  resumeStateReady_ = true;
  if (read == ResumeRead::kRead && ShouldResume(state)) {
    // Until the project-station is confirmed again, the Enabled state on file stays as it is:
    // the states passed on the way (enabled, nothing loaded) would read as "do not resume".
    resumeStateReady_ = false;
  }
  if (read == ResumeRead::kCorrupt) {
    context_.Host().MessageBox(
        store::FillPlaceholders(Tr("IDS_MAIN_MSGBOX_RESUME_UNREADABLE",
                                   "The monitoring state {file} cannot be read ({why}). Monitoring is not "
                                   "resumed: press Enable to start it."),
                                {{"{file}", platform::PathText(ResumeStatePath())}, {"{why}", why}}),
        {}, platform::MessageIcon::Exclamation, platform::MessageButtons::Ok);
    RecordResumeState();
    return;
  }
  if (read == ResumeRead::kMissing || !ShouldResume(state)) {
    RecordResumeState();
    return;
  }
  // The project-station must still be there and still ask for it.
  store::ProjectStationStore& store = context_.Store();
  const store::ProjectStationStore::Kept kept = store.Keep();
  store.Settings().project = state.project;
  store.Settings().station = state.station;
  const bool loaded = store.LoadProjectStation(false) == store::LoadResult::Loaded;
  if (!loaded || !store.Settings().resume_after_restart) {
    store.Restore(kept);
    resumeStateReady_ = true;
    if (loaded) {  // the setting was turned off since
      RecordResumeState();
      return;
    }
    context_.Host().MessageBox(
        store::FillPlaceholders(Tr("IDS_MAIN_MSGBOX_RESUME_NO_STATION",
                                   "Monitoring of {project} - {station} is not resumed: its project-station "
                                   "file cannot be read."),
                                {{"{project}", state.project}, {"{station}", state.station}}),
        {}, platform::MessageIcon::Exclamation, platform::MessageButtons::Ok);
    RecordResumeState();
    return;
  }
  if (state.cycleStartedMs != 0) {
    if (hooks_ != nullptr) hooks_->OnCycleInterrupted(*this, state.cycleStartedMs);
    // Noted once: a stop during the countdown must not note it again.
    state.cycleStartedMs = 0;
    if (WriteResumeState(ResumeStatePath(), state)) recorded_ = state;
  }
  ResumeCountdownDialog countdown(context_, state.project, state.station, kResumeCountdownSeconds);
  if (context_.Host().RunModal(countdown) != platform::kIdOk) {
    // The operator takes over: the start as always, and the cycle noted is not noted again.
    store.Restore(kept);
    resumeStateReady_ = true;
    RecordResumeState();
    return;
  }
  resuming_ = true;
  if (!ConnectAndApply()) ResumeFailed();
}

void MainWindow::ResumeFailed() {
  // The state on file still says where monitoring stood. The instrument's application may
  // come up after the station program (a power cut restarts both): try again in a while,
  // with the countdown again, unless the operator has taken over by then.
  resuming_ = false;
  ++resumeFailures_;
  resumeStateReady_ = true;
  std::weak_ptr<MainWindow*> alive = alive_;
  context_.Loop().PostDelayed(kResumeRetryMs, [alive] {
    if (auto self = alive.lock()) (**self).StartResume();
  });
}

}  // namespace vigil::ui
