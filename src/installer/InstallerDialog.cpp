#include "installer/InstallerDialog.h"

#include <utility>

#include "installer/InstallerMessages.h"
#include "platform/Files.h"

namespace vigil::installer {

namespace fs = std::filesystem;
using platform::MessageButtons;
using platform::MessageIcon;
using platform::PixelRect;

InstallerDialog::InstallerDialog(InstallerContext context)
    : Dialog(context.strings->Text(msg::kCaption)), context_(std::move(context)) {
  AddLabel(kProductLabelId, "", PixelRect{4, 4, 70, 16});
  AddLabel(kProductId, "", PixelRect{78, 4, 238, 16});
  AddLabel(kVersionLabelId, "", PixelRect{4, 22, 70, 16});
  AddLabel(kVersionId, "", PixelRect{78, 22, 238, 16});
  AddLabel(kSetupVersionId, "", PixelRect{4, 40, 312, 16});
  AddLabel(kStatusLineId, "", PixelRect{4, 60, 312, 16});
  AddLabel(kFileNameLabelId, "", PixelRect{4, 78, 70, 16});
  AddLabel(kFileNameId, "", PixelRect{78, 78, 238, 16});
  AddLabel(kCounterId, "", PixelRect{78, 96, 238, 16});
  AddLabel(kToolBoxId, "", PixelRect{4, 118, 312, 16});
  AddLabel(kToolMessageId, "", PixelRect{4, 136, 230, 16});
  AddButton(kToolButtonId, "", PixelRect{238, 134, 78, 20});
  AddCheck(kDeleteDataId, "", PixelRect{4, 164, 200, 18});
  AddButton(kInstallId, "", PixelRect{4, 196, 150, 28});
  AddButton(kUninstallId, "", PixelRect{166, 196, 150, 28});
}

void InstallerDialog::OnInitDialog() {
  startupFailure_ = CheckStartup();
  if (startupFailure_ == 0) return;
  ShowMessage(startupFailure_, MessageIcon::Exclamation, MessageButtons::Ok, detail_);
  ShowMessage(msg::kSetupEnds, MessageIcon::Error);
  EndDialog(platform::kIdCancel);
}

void InstallerDialog::OnCommand(int controlId) {
  if (busy_) return;
  completed_ = false;
  if (controlId == kInstallId) Install();
  if (controlId == kUninstallId) Uninstall();
  if (controlId == kToolButtonId) RunTool();
}

bool InstallerDialog::OnClose() {
  return !busy_;
}

int InstallerDialog::ShowMessage(int number, MessageIcon icon, MessageButtons buttons,
                                 std::string_view text) {
  std::string shown(text);
  if (number >= 1) {
    shown = context_.strings->Text(number);
    if (!text.empty()) shown += "\n" + std::string(text);
  }
  if (Host() == nullptr) return platform::DefaultAnswer(buttons);
  return Host()->MessageBox(shown, context_.strings->Text(msg::kCaption), icon, buttons);
}

platform::EventLoop& InstallerDialog::Loop() {
  return Host()->Loop();
}

fs::path InstallerDialog::PackageFile(std::string_view name) const {
  return packageFolder_ / platform::PathFromText(name);
}

fs::path InstallerDialog::Device(std::string_view controllerPath) const {
  return context_.paths.Device(controllerPath);
}

// A folder of the package's own below one of the instrument's folders; the name comes from
// the package folder's listing, so it is joined as it is, never split.
fs::path InstallerDialog::PackageTarget(std::string_view controllerFolder) const {
  return Device(controllerFolder) / platform::PathFromText(programFolderName_);
}

void InstallerDialog::SetBusy(bool busy) {
  busy_ = busy;
  for (int id : {kInstallId, kUninstallId, kToolButtonId, kDeleteDataId}) Enable(id, !busy);
  if (!busy) UpdateButtons();
}

void InstallerDialog::UpdateButtons() {
  if (singleUse_) {
    Show(kInstallId, !installed_);
    Show(kUninstallId, installed_);
    Enable(kInstallId, true);
    Enable(kUninstallId, true);
  } else {
    Show(kInstallId, true);
    Show(kUninstallId, true);
    Enable(kInstallId, true);
    Enable(kUninstallId, installed_);
  }
  Enable(kToolButtonId, true);
  Enable(kDeleteDataId, true);
}

void InstallerDialog::ShowProgress(int statusText, bool withFileLines) {
  SetText(kStatusLineId, context_.strings->Text(statusText));
  Show(kStatusLineId, true);
  SetText(kFileNameId, "");
  SetText(kCounterId, "");
  for (int id : {kFileNameLabelId, kFileNameId, kCounterId}) Show(id, withFileLines);
}

void InstallerDialog::HideProgress() {
  for (int id : {kStatusLineId, kFileNameLabelId, kFileNameId, kCounterId}) Show(id, false);
}

void InstallerDialog::Pump() {
  if (Host() == nullptr) return;
  Loop().DispatchPending();
  // A copy or removal never waits, so without this the screen would stand still until it ends.
  Host()->UpdateScreen();
}

}  // namespace vigil::installer
