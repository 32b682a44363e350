// Install: space, question, the package's files or its cabinet program, the finish
// program, the INI file, the Basic-mode settings backup, the record.
#include "installer/FolderTree.h"
#include "installer/InstallerDialog.h"
#include "installer/InstallerMessages.h"
#include "installer/InstrumentPaths.h"
#include "platform/Files.h"
#include "platform/Format.h"

namespace vigil::installer {

namespace fs = std::filesystem;

using platform::MessageButtons;
using platform::MessageIcon;

void InstallerDialog::Install() {
  if (!CommonOpening(true)) return;
  const bool deleteData = IsChecked(kDeleteDataId);
  const std::uint64_t usable = UsableBytes(context_.freeBytes(Device(kStorageVolume)));
  std::uint64_t reclaimable = 0;
  if (!programFolderName_.empty()) {
    if (deleteData) {
      for (std::string_view folder : {kProgramsFolder, kDataFolder, kSettingsFolder}) {
        reclaimable += TreeBytes(PackageTarget(folder));
      }
    } else {
      reclaimable =
          ReplacedBytes(PackageFile(kPackageProgramFolder) / platform::PathFromText(programFolderName_),
                        PackageTarget(kProgramsFolder));
    }
  }
  if (usable + reclaimable < neededBytes_) {
    ShowMessage(msg::kNoSpace, MessageIcon::Exclamation);
    return;
  }
  const int question = deleteData ? msg::kAskInstallDeleteData : msg::kAskInstall;
  if (ShowMessage(question, MessageIcon::Information, MessageButtons::YesNo) != platform::kIdYes) return;

  SetBusy(true);
  if (deleteData) RemovePackageFolders();
  if (InstallFiles() && RunFinishProgram() && InstallIniFile()) {
    if (script_.overwriteBasicSettings) BackUpBasicSettings();
    FinishRun(true);
  }
  HideProgress();
  SetBusy(false);
}

bool InstallerDialog::InstallFiles() {
  if (script_.NamesCabinet()) {
    return RunPackageProgram(script_.cabinetPath, msg::kCabinetMissing, msg::kCabinetNotStarted);
  }
  const fs::path source = PackageFile(kPackageProgramFolder) / platform::PathFromText(programFolderName_);
  const fs::path target = PackageTarget(kProgramsFolder);
  const int total = CountVisibleFiles(source);
  if (!platform::CreateFolder(Device(kProgramsFolder)) || !platform::CreateFolder(target)) {
    ShowMessage(msg::kProgramFolderNotCreated, MessageIcon::Exclamation);
    return false;
  }
  ShowProgress(msg::kCopying, true);
  const bool copied = copy_.Run(
      source, target, total,
      [this](const std::string& name, int done, int all) {
        SetText(kFileNameId, name);
        SetText(kCounterId, platform::Format("%d / %d", {done, all}));
        Pump();
      },
      [this] { Pump(); });
  if (!copied) {
    ShowMessage(msg::kCopyFailed, MessageIcon::Exclamation);
    return false;
  }
  return true;
}

bool InstallerDialog::RunFinishProgram() {
  if (script_.finishPath.empty()) return true;
  return RunPackageProgram(script_.finishPath, msg::kFinishMissing, msg::kFinishNotStarted,
                           script_.finishMessage);
}

bool InstallerDialog::InstallIniFile() {
  const fs::path folder = Device(kInstalledIniFolder);
  if (!platform::CreateFolder(folder)) {
    ShowMessage(msg::kIniFolderNotCreated, MessageIcon::Exclamation);
    return false;
  }
  const fs::path name = platform::PathFromText(iniFileName_);
  const fs::path target = folder / name;
  if (platform::FileExists(target)) platform::DeleteFileAt(target);
  if (!platform::CopyFileTo(PackageFile(kPackageIniFolder) / name, target, false)) {
    ShowMessage(msg::kIniNotCopied, MessageIcon::Exclamation);
    return false;
  }
  return true;
}

// A backup already there is the older one, from before an earlier Install: it is kept.
void InstallerDialog::BackUpBasicSettings() {
  const fs::path folder = Device(kInstalledIniFolder);
  for (std::string_view base : kBasicSettingsFiles) {
    const fs::path ini = folder / platform::PathFromText(std::string(base) + ".ini");
    const fs::path bak = folder / platform::PathFromText(std::string(base) + ".bak");
    if (platform::FileExists(ini) && platform::CopyFileTo(ini, bak, true)) platform::DeleteFileAt(ini);
  }
}

}  // namespace vigil::installer
