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
  ProgressSetPos(kProgressId, 0);
  Show(kProgressId, true);
  ProgressStepIt(kProgressId);
  if (!context_.Link().Connect()) {
    Show(kProgressId, false);
    context_.Host().MessageBox(kFailedToConnectText, {}, platform::MessageIcon::None,
                               platform::MessageButtons::Ok);
    return;
  }
  ProgressStepIt(kProgressId);
  // Pressing Enable again while the chain runs would connect a second time.
  Enable(kEnableButtonId, false);
  enabling_ = true;
  context_.Instrument().ApplyMonitoringSettings();
}

void MainWindow::FinishEnable() {
  Enable(kEnableButtonId, true);
  Show(kProgressId, false);
  SetMonitoringState(true, false);
  OpenProjectSettings();
}

void MainWindow::EnableChainStopped() {
  // The chain told the operator ("Timed out!"); leave the half-made state so Enable can
  // start over from a closed link.
  enabling_ = false;
  Show(kProgressId, false);
  context_.Link().Disconnect();
  Enable(kEnableButtonId, true);
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
  ArmSchedule(false);
  UpdateNextCycleLabel(false);
  SetMonitoringState(false, false);
}

}  // namespace vigil::ui
