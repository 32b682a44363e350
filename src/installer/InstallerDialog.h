// The installer's one screen: what the package is, Install, Uninstall, the optional tool,
// and "Delete Data". Its start-up checks run when it is shown; a failed check ends it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "installer/FreeSpace.h"
#include "installer/InstallScript.h"
#include "installer/InstallerStrings.h"
#include "installer/ModelFamily.h"
#include "installer/PackageRecord.h"
#include "installer/TreeCopy.h"
#include "platform/Dialog.h"
#include "platform/DialogHost.h"
#include "platform/Paths.h"

namespace vigil::installer {

/// Control ids.
inline constexpr int kProductLabelId = 1101;
inline constexpr int kProductId = 1102;
inline constexpr int kVersionLabelId = 1103;
inline constexpr int kVersionId = 1104;
inline constexpr int kSetupVersionId = 1105;
inline constexpr int kStatusLineId = 1106;
inline constexpr int kFileNameLabelId = 1107;
inline constexpr int kFileNameId = 1108;
inline constexpr int kCounterId = 1109;
inline constexpr int kToolBoxId = 1110;
inline constexpr int kToolMessageId = 1111;
inline constexpr int kToolButtonId = 1112;
inline constexpr int kDeleteDataId = 1113;
inline constexpr int kInstallId = 1114;
inline constexpr int kUninstallId = 1115;

/// What the dialog works with. `paths.ProgramFolder()` is the package folder.
struct InstallerContext {
  platform::Paths paths;
  const InstallerStrings* strings = nullptr;
  ModelFamily* models = nullptr;
  FreeSpaceQuery freeBytes = VolumeFreeBytes;
  std::string setupVersion;  ///< the installer's own version; empty when unknown
};

class InstallerDialog final : public platform::Dialog {
 public:
  explicit InstallerDialog(InstallerContext context);

  void OnInitDialog() override;
  void OnCommand(int controlId) override;
  bool OnClose() override;

  /// The message number that ended the start-up, 0 when it passed.
  int StartupFailure() const { return startupFailure_; }
  bool Installed() const { return installed_; }
  /// The last Install or Uninstall ran to its end, or the last tool program was started.
  bool ActionCompleted() const { return completed_; }
  const InstallScript& Script() const { return script_; }
  const PackageRecord& Record() const { return record_; }
  const std::string& ProgramFolderName() const { return programFolderName_; }
  const std::string& IniFileName() const { return iniFileName_; }
  std::uint32_t NeededBytes() const { return neededBytes_; }
  bool SingleUse() const { return singleUse_; }
  const TreeCopy& Copier() const { return copy_; }

  /// Shows text `number` of the strings file (a text given directly when `number` < 1;
  /// with both, the text follows on its own line). Returns the button pressed.
  int ShowMessage(int number, platform::MessageIcon icon,
                  platform::MessageButtons buttons = platform::MessageButtons::Ok,
                  std::string_view text = {});

 private:
  // Start-up: 0 when the check passed, else the message number (detail_ may add a text).
  int CheckStartup();
  int ReadRecord();
  int ReadScript();
  int FindProgramFolder();
  int FindIniFile();
  void ShowCaptions();

  // Actions.
  void Install();
  void Uninstall();
  void RunTool();
  bool CommonOpening(bool forInstall);
  bool InstallFiles();
  bool RunFinishProgram();
  bool InstallIniFile();
  bool UninstallFiles(bool deleteData);
  bool FinishRun(bool installed);

  // Helpers.
  platform::EventLoop& Loop();
  std::filesystem::path PackageFile(std::string_view name) const;
  std::filesystem::path Device(std::string_view controllerPath) const;
  std::filesystem::path PackageTarget(std::string_view controllerFolder) const;
  std::optional<std::filesystem::path> ExistingProgram(const std::string& scriptPath) const;
  bool StartAndWait(const std::filesystem::path& program);
  bool RunPackageProgram(const std::string& scriptPath, int missingMessage, int notStartedMessage,
                         std::string_view before = {});
  bool RemovePackageFolders();
  void BackUpBasicSettings();
  void RestoreBasicSettings();
  void SetBusy(bool busy);
  void UpdateButtons();
  void ShowProgress(int statusText, bool withFileLines);
  void HideProgress();
  void Pump();

  InstallerContext context_;
  std::filesystem::path packageFolder_;
  InstallScript script_;
  PackageRecord record_;
  bool singleUse_ = false;
  std::uint32_t neededBytes_ = 0;
  std::string programFolderName_;
  std::string iniFileName_;
  bool installed_ = false;
  TreeCopy copy_;
  int startupFailure_ = 0;
  std::string detail_;
  bool busy_ = false;
  bool completed_ = false;
};

}  // namespace vigil::installer
