// Install, Uninstall and Tool: the common opening, the programs the package brings, and the
// end of a complete run.
#include <optional>

#include "installer/ChildProcess.h"
#include "installer/FolderTree.h"
#include "installer/InstallerDialog.h"
#include "installer/InstallerMessages.h"
#include "installer/InstrumentPaths.h"
#include "installer/ScriptPaths.h"
#include "platform/Files.h"

namespace vigil::installer {

namespace fs = std::filesystem;

using platform::MessageButtons;
using platform::MessageIcon;

bool InstallerDialog::CommonOpening(bool forInstall) {
  if (singleUse_ && forInstall && installed_) {
    ShowMessage(msg::kAlreadyInstalled, MessageIcon::Exclamation);
    return false;
  }
  if (singleUse_ && !forInstall && !installed_) {
    ShowMessage(msg::kNotInstalled, MessageIcon::Exclamation);
    return false;
  }
  const fs::path probe = PackageFile(kWriteTestFile);
  if (!platform::WriteFileBytesAtomic(probe, "")) {
    ShowMessage(msg::kWriteProtected, MessageIcon::Exclamation);
    return false;
  }
  platform::DeleteFileAt(probe);
  return true;
}

// A program the package brings must lie in the package folder.
std::optional<fs::path> InstallerDialog::ExistingProgram(const std::string& scriptPath) const {
  const std::optional<fs::path> program = PackageProgramPath(packageFolder_, scriptPath);
  if (!program || !platform::FileExists(*program) || platform::FolderExists(*program)) return std::nullopt;
  return program;
}

// It runs with the package folder as its current folder and learns the device root from its
// environment.
bool InstallerDialog::StartAndWait(const fs::path& program) {
  const ChildEnvironment environment{{"VIGIL_DEVICE_ROOT", platform::PathText(context_.paths.DeviceRoot())},
                                     {"VIGIL_PACKAGE_FOLDER", platform::PathText(packageFolder_)}};
  return RunProgramAndWait(Loop(), program, packageFolder_, environment);
}

// A cabinet or finish program that cannot be started ends the run: going on would report an
// installation that did not happen as done.
bool InstallerDialog::RunPackageProgram(const std::string& scriptPath, int missingMessage,
                                        int notStartedMessage, std::string_view before) {
  const std::optional<fs::path> program = ExistingProgram(scriptPath);
  if (!program) {
    ShowMessage(missingMessage, MessageIcon::Exclamation);
    return false;
  }
  if (!before.empty()) ShowMessage(0, MessageIcon::Exclamation, MessageButtons::Ok, before);
  if (!StartAndWait(*program)) {
    ShowMessage(notStartedMessage, MessageIcon::Exclamation);
    return false;
  }
  return true;
}

// Without a program folder of its own (a cabinet package) there is nothing of the package's
// to remove here: the bare \ROMDisk\PROGRAM, DATA and SETTINGS folders are never emptied.
bool InstallerDialog::RemovePackageFolders() {
  if (programFolderName_.empty()) return true;
  bool ok = true;
  for (std::string_view folder : {kProgramsFolder, kDataFolder, kSettingsFolder}) {
    ok = RemoveTree(PackageTarget(folder), [this] { Pump(); }) && ok;
  }
  return ok;
}

bool InstallerDialog::FinishRun(bool installed) {
  installed_ = installed;
  record_.SetInstalled(installed);
  if (!platform::WriteFileBytesAtomic(PackageFile(kRecordFile), record_.ToBytes())) {
    ShowMessage(msg::kRecordNotWritten, MessageIcon::Exclamation);
    return false;
  }
  platform::DeleteFileAt(Device(kResumeFile));
  SetBusy(false);
  HideProgress();
  completed_ = true;
  ShowMessage(installed ? msg::kInstalled : msg::kUninstalled, MessageIcon::Information);
  return true;
}

void InstallerDialog::RunTool() {
  const std::optional<fs::path> program = ExistingProgram(script_.toolPath);
  if (!program) {
    ShowMessage(msg::kToolMissing, MessageIcon::Exclamation);
    return;
  }
  SetBusy(true);
  const bool started = StartAndWait(*program);
  SetBusy(false);
  completed_ = started;
  if (!started) ShowMessage(msg::kToolNotStarted, MessageIcon::Exclamation);
}

}  // namespace vigil::installer
