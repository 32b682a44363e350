#include "ui/ResumeCountdownDialog.h"

#include "store/Placeholders.h"
#include "ui/MainWindow.h"

namespace vigil::ui {

ResumeCountdownDialog::ResumeCountdownDialog(AppContext& context, std::string project, std::string station,
                                             int seconds)
    : Dialog(std::string(kProductTitle)),
      context_(context),
      project_(std::move(project)),
      station_(std::move(station)),
      secondsLeft_(seconds) {
  AddLabel(kTextLabelId, {}, {8, 40, 304, 120});
  AddButton(kNowKeyId, "Now", {0, 216, 80, 24});
  AddButton(1025, "", {80, 216, 80, 24});
  AddButton(1018, "", {160, 216, 80, 24});
  AddButton(kCancelKeyId, "Cancel", {240, 216, 80, 24});
}

void ResumeCountdownDialog::OnInitDialog() {
  SetText(kNowKeyId, context_.Translate("IDS_MAIN_BTN_RESUME_NOW", "Now"));
  SetText(kCancelKeyId, context_.Translate("IDS_COMMON_CANCEL", "Cancel"));
  Enable(1025, false);
  Enable(1018, false);
  ShowText();
  SetTimer(kSecondTimerId, 1000);
}

void ResumeCountdownDialog::OnPaint() {
  RegisterSoftKeys(kNowKeyId, 1025, 1018, kCancelKeyId);
}

void ResumeCountdownDialog::ShowText() {
  SetText(
      kTextLabelId,
      store::FillPlaceholders(
          context_.Translate("IDS_MAIN_LBL_RESUME_COUNTDOWN",
                             "The program stopped while monitoring {project} - {station}.\r\nMonitoring "
                             "resumes in {seconds} s.\r\nCancel to start without it."),
          {{"{project}", project_}, {"{station}", station_}, {"{seconds}", std::to_string(secondsLeft_)}}));
}

void ResumeCountdownDialog::OnTimer(int timerId) {
  if (timerId != kSecondTimerId) return;
  if (--secondsLeft_ > 0) {
    ShowText();
    return;
  }
  KillTimer(kSecondTimerId);
  EndDialog(platform::kIdOk);
}

void ResumeCountdownDialog::OnCommand(int controlId) {
  if (controlId == kNowKeyId || controlId == kCancelKeyId) {
    KillTimer(kSecondTimerId);
    EndDialog(controlId == kNowKeyId ? platform::kIdOk : platform::kIdCancel);
  }
}

}  // namespace vigil::ui
