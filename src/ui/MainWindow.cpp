#include "ui/MainWindow.h"

#include <exception>
#include <vector>

#include "ui/AboutDialog.h"
#include "ui/ControlsDialog.h"

namespace vigil::ui {

namespace {

constexpr std::string_view kCloseQuestionKey = "IDS_MAIN_MSGBOX_CLOSE_VIGIL";
constexpr std::string_view kCloseQuestionDefault = "Are you sure you want to close {vigil_onboard}?";
constexpr std::string_view kStillMonitoringKey = "IDS_MAIN_MSGBOX_CLOSE";
constexpr std::string_view kStillMonitoringDefault =
    "Instrument is still in MONITORING mode.  Please \"Disable\" first before closing the program.";
constexpr std::string_view kTimerExceptionText = "Measuring EXCEPTION::Communication error!";

std::string ReplaceAll(std::string text, std::string_view what, std::string_view with) {
  std::size_t at = 0;
  while ((at = text.find(what, at)) != std::string::npos) {
    text.replace(at, what.size(), with);
    at += with.size();
  }
  return text;
}

}  // namespace

MainWindow::MainWindow(AppContext& context, MainWindowHooks* hooks)
    : Dialog(std::string(kProductTitle)),
      context_(context),
      hooks_(hooks),
      greeting_(std::make_unique<link::Greeting>(context.Loop(), context.Bus(), context.Notices())) {
  CreateControls();
  context_.SetTimerHandler([this](int timerId) { OnTimerSlot(timerId); });
  context_.SetNoticeHandler([this](int code) {
    if (code == link::kReplyInNotice) OnReplyIn();
  });
  context_.Engine().SetTitleRefresh([this] { RefreshTitle(); });
  context_.Instrument().SetProgressStep([this] { ProgressStepIt(kProgressId); });
  context_.Instrument().SetFinished([this] {
    enabling_ = false;
    // After the tick that ended the chain, so the selection does not run inside it.
    context_.Loop().Post([this] { FinishEnable(); });
  });
}

MainWindow::~MainWindow() {
  context_.SetTimerHandler({});
  context_.SetNoticeHandler({});
  context_.Engine().SetTitleRefresh({});
  context_.Instrument().SetProgressStep({});
  context_.Instrument().SetFinished({});
}

void MainWindow::CreateControls() {
  constexpr int kW = 104;
  constexpr int kH = 90;
  AddButton(kEnableButtonId, "Enable", {4, 4, kW, kH}, kEnableIcon);
  AddButton(kProjSettingsButtonId, "Proj Settings", {108, 4, kW, kH}, kProjSettingsIcon);
  AddButton(kControlsButtonId, "Controls", {212, 4, kW, kH}, kControlsIcon);
  AddButton(kTrainingButtonId, "Training", {4, 98, kW, kH}, kTrainingIcon);
  AddButton(kOrientationButtonId, "Orientation", {108, 98, kW, kH}, kOrientationIcon);
  AddButton(kMonitorButtonId, "Monitor", {212, 98, kW, kH}, kMonitorIcon);
  AddLabel(kNextCycleId, "Next Cycle:", {4, 194, 312, 18});
  AddProgress(kProgressId, {4, 194, 312, 18});
  AddButton(kSoftKey1Id, "", {0, 216, 80, 24});
  AddButton(kAboutKeyId, "About...", {80, 216, 80, 24});
  AddButton(kSoftKey3Id, "", {160, 216, 80, 24});
  AddButton(kCloseKeyId, "Close", {240, 216, 80, 24});
}

std::string MainWindow::Tr(std::string_view key, std::string_view defaultText) const {
  return context_.Translate(key, defaultText);
}

void MainWindow::OnInitDialog() {
  firstPaintPending_ = true;
  SetMonitoringState(false, true);
  Enable(kSoftKey1Id, false);
  Enable(kAboutKeyId, false);
  context_.Engine().ClearBusy();
  UpdateNextCycleLabel(false);
  ProgressSetRange(kProgressId, 0, 100);
  ProgressSetStep(kProgressId, 20);
  Show(kProgressId, false);
  TranslateCaptions();
}

void MainWindow::TranslateCaptions() {
  std::vector<store::TextEntry> texts{
      {"IDS_MAIN_BTN_ENABLE", "Enable", {}},           {"IDS_MAIN_BTN_PROJSETTINGS", "Proj Settings", {}},
      {"IDS_MAIN_BTN_CONTROLS", "Controls", {}},       {"IDS_MAIN_BTN_TRAINING", "Training", {}},
      {"IDS_MAIN_BTN_ORIENTATION", "Orientation", {}}, {"IDS_MAIN_BTN_MONITOR", "Monitor", {}},
      {"IDS_MAIN_BTN_ABOUT", "About...", {}},          {"IDS_MAIN_BTN_CLOSE", "Close", {}},
  };
  context_.TranslateAll(texts);
  const int ids[] = {kEnableButtonId,      kProjSettingsButtonId, kControlsButtonId, kTrainingButtonId,
                     kOrientationButtonId, kMonitorButtonId,      kAboutKeyId,       kCloseKeyId};
  for (std::size_t i = 0; i < texts.size(); ++i) SetText(ids[i], texts[i].translated);
}

void MainWindow::OnPaint() {
  if (firstPaintPending_) {
    firstPaintPending_ = false;
    ClearLeftoverTemporaries();
    greeting_->AnnounceToBasicMode();
    if (resumeAtStart_) {
      // After the paint, so the countdown is not shown from inside it.
      context_.Loop().Post([this] { StartResume(); });
    } else {
      resumeStateReady_ = true;
      RecordResumeState();
    }
  }
  RegisterSoftKeys(kSoftKey1Id, kAboutKeyId, kSoftKey3Id, kCloseKeyId);
}

void MainWindow::SetMonitoringState(bool enabled, bool atStartUp) {
  (void)atStartUp;
  enabled_ = enabled;
  SetText(kEnableButtonId,
          enabled ? Tr("IDS_MAIN_BTN_DISABLE", "Disable") : Tr("IDS_MAIN_BTN_ENABLE", "Enable"));
  Enable(kProjSettingsButtonId, enabled);
  if (!enabled) {
    for (int id : {kControlsButtonId, kTrainingButtonId, kOrientationButtonId, kMonitorButtonId})
      Enable(id, false);
  } else {
    Enable(kSoftKey1Id, true);
    Enable(kAboutKeyId, true);
    SetTitle(std::string(kProductTitle));
  }
  RecordResumeState();
}

void MainWindow::OnCommand(int controlId) {
  switch (controlId) {
    case kEnableButtonId:
      ToggleMonitoring();
      break;
    case kProjSettingsButtonId:
      OpenProjectSettings();
      break;
    case kControlsButtonId:
      OpenControls();
      break;
    case kTrainingButtonId:
      if (hooks_ != nullptr) hooks_->OpenTraining(*this);
      break;
    case kOrientationButtonId:
      if (hooks_ != nullptr) hooks_->OpenOrientation(*this);
      break;
    case kMonitorButtonId:
      if (hooks_ != nullptr) hooks_->OpenMonitoring(*this);
      break;
    case kAboutKeyId:
      OpenAbout();
      break;
    case kCloseKeyId:
      SendClose();
      break;
    default:
      break;
  }
}

void MainWindow::OpenControls() {
  ControlsDialog controls(context_);
  context_.Host().RunModal(controls);
}

void MainWindow::OpenAbout() {
  context_.SetToBasicState(false);
  AboutDialog about(context_);
  context_.Host().RunModal(about);
  context_.SetToBasicState(true);
}

bool MainWindow::OnClose() {
  const std::string question =
      ReplaceAll(Tr(kCloseQuestionKey, kCloseQuestionDefault), "{vigil_onboard}", kProductTitle);
  if (context_.Bracket().MessageBox(question, {}, platform::MessageIcon::Question,
                                    platform::MessageButtons::YesNo) != platform::kIdYes) {
    return false;
  }
  if (!enabled_) {
    ArmSchedule(false);
    return true;
  }
  context_.Bracket().MessageBox(Tr(kStillMonitoringKey, kStillMonitoringDefault), {},
                                platform::MessageIcon::Exclamation);
  return false;
}

void MainWindow::RefreshTitle() {
  SetTitle(loaded_ ? context_.StationTitleOf(kProductTitle) : std::string(kProductTitle));
}

void MainWindow::ArmSchedule(bool on) {
  if (on) {
    context_.Engine().ArmTimer(link::kScheduleTimer, kSchedulePeriodMs);
  } else {
    context_.Loop().KillTimer(context_.TimerWindow(), link::kScheduleTimer);
  }
  // While the schedule is in force its timer is off only for a cycle: that is what a restart
  // has to know to note the cycle as interrupted.
  if (scheduleInForce_) {
    if (on) {
      cycleStartedMs_ = 0;
    } else if (cycleStartedMs_ == 0) {
      cycleStartedMs_ = platform::MillisecondsFromCivil(context_.Loop().Now());
    }
  } else {
    cycleStartedMs_ = 0;
  }
  RecordResumeState();
}

bool MainWindow::ScheduleArmed() const {
  return context_.Loop().TimerArmed(context_.TimerWindow(), link::kScheduleTimer);
}

void MainWindow::OnTimerSlot(int timerId) {
  link::MeasurementEngine& engine = context_.Engine();
  const int active = engine.ActiveTimer();
  if (active == link::kScheduleTimer) {
    if (hooks_ != nullptr) hooks_->OnScheduleTick(*this);
    return;
  }
  // A tick of another timer after the active one was stopped: handing it to the engine
  // would run a finished operation's time-out and completion again.
  if (timerId != active && !context_.Loop().TimerArmed(context_.TimerWindow(), active)) {
    if (timerId == link::kScheduleTimer && hooks_ != nullptr) hooks_->OnScheduleTick(*this);
    return;
  }
  bool handledBySettings = false;
  try {
    if (!engine.OnTimer()) handledBySettings = context_.Instrument().OnTimer();
  } catch (const std::exception&) {
    context_.Notices().ShowMessage(kTimerExceptionText);
  }
  if (handledBySettings && enabling_ &&
      !context_.Loop().TimerArmed(context_.TimerWindow(), engine.ActiveTimer())) {
    EnableChainStopped();
  }
}

// A reply handled as it arrives is a tick come early: the same handler, the same guard.
void MainWindow::OnReplyIn() {
  try {
    context_.Engine().OnReplyIn();
  } catch (const std::exception&) {
    context_.Notices().ShowMessage(kTimerExceptionText);
  }
}

}  // namespace vigil::ui
