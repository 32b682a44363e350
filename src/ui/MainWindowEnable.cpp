// Enable and Disable: the link, the instrument settings kept and restored around
// monitoring, and the progress bar of the settings chain.
#include "ui/MainWindow.h"

namespace vigil::ui {

namespace {

constexpr std::string_view kFailedToConnectText = "Failed to connect with Basic mode!";
constexpr std::string_view kFailedToDisconnectText = "Failed to disconnect with Basic mode!";

}  // namespace

void MainWindow::ToggleMonitoring() {
  if (enabled_) {
    Disable();
  } else {
    StartEnable();
  }
}

void MainWindow::StartEnable() {
  const std::string question =
      Tr("IDS_MAIN_MSGBOX_ENABLE", "Instrument will initialize to MONITORING setting.  Proceed to Enable?");
  if (context_.Bracket().MessageBox(question, {}, platform::MessageIcon::Question,
                                    platform::MessageButtons::YesNo) != platform::kIdYes) {
    return;
  }
  ConnectAndApply();
}

bool MainWindow::ConnectAndApply() {
  ProgressSetPos(kProgressId, 0);
  Show(kProgressId, true);
  ProgressStepIt(kProgressId);
  if (!context_.Link().Connect()) {
    Show(kProgressId, false);
    TellEnableFailure(kFailedToConnectText, platform::MessageIcon::None);
    return false;
  }
  ProgressStepIt(kProgressId);
  // Pressing Enable again while the chain runs would connect a second time.
  Enable(kEnableButtonId, false);
  enabling_ = true;
  context_.Instrument().ApplyMonitoringSettings();
  return true;
}

void MainWindow::FinishEnable() {
  Enable(kEnableButtonId, true);
  Show(kProgressId, false);
  SetMonitoringState(true, false);
  if (resuming_) {
    // The project-station was read when the resume began; confirming it arms the schedule
    // exactly as a confirmed sheet does, and records the state once.
    resuming_ = false;
    resumeFailures_ = 0;  // a later run of failures is told again
    resumeStateReady_ = true;
    ProjectStationConfirmed();
    return;
  }
  OpenProjectSettings();
}

void MainWindow::EnableChainStopped() {
  // The operator's settings that the chain already overwrote are kept only in memory: give
  // them back before the link closes, or they go with the process. Then leave the half-made
  // state so Enable can start over from a closed link.
  enabling_ = false;
  const bool retried = resuming_ && resumeFailures_ > 0;
  if (resuming_) ResumeFailed();
  Show(kProgressId, false);
  link::InstrumentSettings& instrument = context_.Instrument();
  const bool givenBack = instrument.GiveBackWritten();
  context_.Link().Disconnect();
  Enable(kEnableButtonId, true);
  // A block read that failed was told already ("Timed out!"), before anything was written.
  std::string text;
  switch (instrument.StoppedAt()) {
    case link::EnableStep::kReflectorType:
      text = Tr("IDS_MAIN_MSGBOX_ENABLE_READ_REFLECTOR",
                "Enable stopped: the instrument did not give its reflector type.");
      break;
    case link::EnableStep::kMotorParameters:
      text = Tr("IDS_MAIN_MSGBOX_ENABLE_READ_MOTOR",
                "Enable stopped: the instrument did not give its motor parameters.");
      break;
    default:
      if (givenBack) return;
      break;
  }
  if (!text.empty()) text += "\r\n";
  text += givenBack
              ? Tr("IDS_MAIN_MSGBOX_ENABLE_GIVEN_BACK", "The instrument's own settings were written back.")
              : Tr("IDS_MAIN_MSGBOX_ENABLE_NOT_GIVEN_BACK",
                   "The instrument's own settings could not all be written back. Enable and Disable "
                   "again to give them back.");
  if (retried) {
    if (hooks_ != nullptr) hooks_->OnResumeFailedAgain(*this, resumeFailures_, text);
    return;
  }
  context_.Host().MessageBox(text, {}, platform::MessageIcon::Exclamation, platform::MessageButtons::Ok);
}

void MainWindow::TellEnableFailure(std::string_view text, platform::MessageIcon icon) {
  if (resuming_ && resumeFailures_ > 0) {
    if (hooks_ != nullptr) hooks_->OnResumeFailedAgain(*this, resumeFailures_ + 1, text);
    return;
  }
  context_.Host().MessageBox(text, {}, icon, platform::MessageButtons::Ok);
}

void MainWindow::Disable() {
  context_.SetToBasicState(false);
  const std::string question =
      Tr("IDS_MAIN_MSGBOX_DISABLE", "Instrument will initialize to PREVIOUS setting.  Proceed to Disable?");
  if (context_.Host().MessageBox(question, {}, platform::MessageIcon::Question,
                                 platform::MessageButtons::YesNo) != platform::kIdYes) {
    context_.SetToBasicState(true);
    return;
  }
  context_.Engine().ClearBusy();
  context_.Instrument().RestoreInstrumentSettings();
  if (!context_.Link().Disconnect()) {
    context_.Host().MessageBox(kFailedToDisconnectText, {}, platform::MessageIcon::None,
                               platform::MessageButtons::Ok);
    return;
  }
  // A scheduled cycle on a closed link could only fail; the next confirmed sheet arms it.
  scheduleInForce_ = false;
  ArmSchedule(false);
  UpdateNextCycleLabel(false);
  SetMonitoringState(false, false);
}

}  // namespace vigil::ui
