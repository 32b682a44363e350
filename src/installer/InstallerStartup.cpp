// The checks the installer makes before it offers anything.
#include <optional>

#include "installer/FolderTree.h"
#include "installer/InstallerDialog.h"
#include "installer/InstallerMessages.h"
#include "installer/InstrumentPaths.h"
#include "installer/ScriptPaths.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace vigil::installer {

namespace fs = std::filesystem;

int InstallerDialog::CheckStartup() {
  packageFolder_ = context_.paths.ProgramFolder();
  detail_.clear();
  if (const int failed = ReadRecord()) return failed;
  if (const int failed = ReadScript()) return failed;
  if (!platform::FileExists(Device(kLauncherProgram))) return msg::kLauncherMissing;
  if (const int refused = ModelRefusalMessage(*context_.models, record_)) return refused;
  singleUse_ = record_.SingleUse();
  if (script_.NamesCabinet()) {
    singleUse_ = false;
    neededBytes_ = script_.neededBytes;
  } else if (const int failed = FindProgramFolder()) {
    return failed;
  }
  ShowCaptions();
  if (const int failed = FindIniFile()) return failed;
  UpdateButtons();
  return 0;
}

// The record is a file of the package's own; there is no hidden attribute to give it here.
int InstallerDialog::ReadRecord() {
  const fs::path file = PackageFile(kRecordFile);
  if (!platform::FileExists(file)) return msg::kRecordMissing;
  const std::optional<std::string> bytes = platform::ReadFileBytes(file);
  const std::optional<PackageRecord> record = bytes ? PackageRecord::FromBytes(*bytes) : std::nullopt;
  if (!record) return msg::kRecordUnreadable;
  record_ = *record;
  return 0;
}

int InstallerDialog::ReadScript() {
  const fs::path file = PackageFile(kScriptFile);
  if (!platform::FileExists(file)) return msg::kScriptMissing;
  const std::optional<std::string> bytes = platform::ReadFileBytes(file);
  if (!bytes) return msg::kScriptUnreadable;
  script_ = ParseInstallScript(*bytes);
  if (!script_.overlongLines.empty()) {
    detail_ = platform::FormatInt(script_.overlongLines.front());
    return msg::kOverlongLine;
  }
  if (!script_.unfitSize.empty()) {
    detail_ = script_.unfitSize;
    return msg::kSizeTooLarge;
  }
  for (const std::string* path : {&script_.cabinetPath, &script_.finishPath, &script_.toolPath}) {
    if (!path->empty() && !PackageProgramPath(packageFolder_, *path)) {
      detail_ = *path;
      return msg::kUnsafePath;
    }
  }
  for (const std::string& value : script_.deletePaths) {
    if (!DeleteLineTarget(context_.paths, value)) {
      detail_ = value;
      return msg::kUnsafePath;
    }
  }
  return 0;
}

int InstallerDialog::FindProgramFolder() {
  const fs::path programs = PackageFile(kPackageProgramFolder);
  for (const FolderEntry& e : ListFolder(programs)) {
    if (e.folder && !IsHiddenName(e.name) && platform::ToUpperAscii(e.name) != "INI") {
      programFolderName_ = e.name;
      const std::uint64_t bytes = TreeBytes(programs / platform::PathFromText(e.name));
      neededBytes_ = bytes > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<std::uint32_t>(bytes);
      return 0;
    }
  }
  return msg::kNoProgramFolder;
}

int InstallerDialog::FindIniFile() {
  const std::vector<std::string> found = platform::FindFiles(PackageFile(kPackageIniFolder), "*.ini");
  if (found.empty()) return msg::kNoIniFile;
  iniFileName_ = found.front();
  installed_ = platform::FileExists(Device(kInstalledIniFolder) / platform::PathFromText(iniFileName_));
  return 0;
}

void InstallerDialog::ShowCaptions() {
  const InstallerStrings& s = *context_.strings;
  SetTitle(s.Text(msg::kCaption));
  SetText(kProductLabelId, s.Text(msg::kProductLabel));
  SetText(kVersionLabelId, s.Text(msg::kVersionLabel));
  SetText(kFileNameLabelId, s.Text(msg::kFileNameLabel));
  SetText(kToolBoxId, s.Text(msg::kToolBox));
  SetText(kToolButtonId, s.Text(msg::kToolButton));
  SetText(kInstallId, s.Text(msg::kInstallButton));
  SetText(kUninstallId, s.Text(msg::kUninstallButton));
  SetText(kDeleteDataId, s.Text(msg::kDeleteDataCheck));
  HideProgress();
  SetText(kProductId, script_.productName);
  SetText(kVersionId, script_.version);
  SetText(kToolMessageId, script_.toolMessage);
  const bool tool = !script_.toolMessage.empty();
  for (int id : {kToolBoxId, kToolMessageId, kToolButtonId}) Show(id, tool);
  // A bare number beside the package's version reads as a second package version.
  SetText(kSetupVersionId, context_.setupVersion.empty()
                               ? std::string()
                               : s.Text(msg::kSetupVersionLabel) + " " + context_.setupVersion);
}

}  // namespace vigil::installer
