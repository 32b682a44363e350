// Uninstall: the package's files (or its DELETE lines), the INI file, the Basic-mode
// settings restored, the record.
#include <optional>
#include <vector>

#include "installer/FolderTree.h"
#include "installer/InstallerDialog.h"
#include "installer/InstallerMessages.h"
#include "installer/InstrumentPaths.h"
#include "installer/ScriptPaths.h"
#include "platform/Files.h"
#include "platform/Format.h"

namespace vigil::installer {

namespace fs = std::filesystem;

using platform::MessageButtons;
using platform::MessageIcon;

void InstallerDialog::Uninstall() {
  if (!CommonOpening(false)) return;
  const bool deleteData = IsChecked(kDeleteDataId);
  const int question = deleteData ? msg::kAskUninstallDeleteData : msg::kAskUninstall;
  if (ShowMessage(question, MessageIcon::Information, MessageButtons::YesNo) != platform::kIdYes) return;

  SetBusy(true);
  ShowProgress(msg::kRemoving, false);
  Pump();
  if (UninstallFiles(deleteData)) {
    platform::DeleteFileAt(Device(kInstalledIniFolder) / platform::PathFromText(iniFileName_));
    if (script_.overwriteBasicSettings) RestoreBasicSettings();
    FinishRun(false);
  }
  HideProgress();
  SetBusy(false);
}

bool InstallerDialog::UninstallFiles(bool deleteData) {
  if (!script_.NamesCabinet()) {
    if (deleteData) {
      RemovePackageFolders();
      return true;
    }
    const fs::path name = platform::PathFromText(programFolderName_);
    if (!DeleteMatchingFiles(PackageFile(kPackageProgramFolder) / name, PackageTarget(kProgramsFolder),
                             [this] { Pump(); })) {
      ShowMessage(msg::kDeleteFailed, MessageIcon::Exclamation);
      return false;
    }
    return true;
  }
  // The script is read again: what it names now is what goes. Every line is checked before
  // the first is carried out, so a refused line leaves everything in place.
  const std::optional<std::string> bytes = platform::ReadFileBytes(PackageFile(kScriptFile));
  if (!bytes) {
    ShowMessage(msg::kScriptUnreadable, MessageIcon::Exclamation);
    return false;
  }
  const InstallScript again = ParseInstallScript(*bytes);
  if (!again.overlongLines.empty()) {
    ShowMessage(msg::kOverlongLine, MessageIcon::Exclamation, MessageButtons::Ok,
                platform::FormatInt(again.overlongLines.front()));
    return false;
  }
  std::vector<DeleteTarget> targets;
  for (const std::string& value : again.deletePaths) {
    const std::optional<DeleteTarget> target = DeleteLineTarget(context_.paths, value);
    if (!target) {
      ShowMessage(msg::kUnsafePath, MessageIcon::Exclamation, MessageButtons::Ok, value);
      return false;
    }
    targets.push_back(*target);
  }
  for (const DeleteTarget& target : targets) {
    if (target.folder) {
      if (platform::FolderExists(target.path)) RemoveTree(target.path, [this] { Pump(); });
    } else if (platform::FileExists(target.path) && !platform::FolderExists(target.path)) {
      platform::DeleteFileAt(target.path);
    }
  }
  return true;
}

// The backup goes back over whatever the Basic-mode application wrote meanwhile: the point
// of the backup is to have its own settings back.
void InstallerDialog::RestoreBasicSettings() {
  const fs::path folder = Device(kInstalledIniFolder);
  for (std::string_view base : kBasicSettingsFiles) {
    const fs::path ini = folder / platform::PathFromText(std::string(base) + ".ini");
    const fs::path bak = folder / platform::PathFromText(std::string(base) + ".bak");
    if (platform::FileExists(bak) && platform::CopyFileTo(bak, ini, false)) platform::DeleteFileAt(bak);
  }
}

}  // namespace vigil::installer
