// Numbers of the installer's texts in the strings file.
#pragma once

namespace vigil::installer::msg {

inline constexpr int kCaption = 1;
inline constexpr int kAskInstall = 10;
inline constexpr int kAskUninstall = 11;
inline constexpr int kProgramFolderNotCreated = 12;
inline constexpr int kIniNotCopied = 13;
inline constexpr int kCopyFailed = 14;
inline constexpr int kInstalled = 15;
inline constexpr int kUninstalled = 16;
inline constexpr int kScriptMissing = 17;
inline constexpr int kScriptUnreadable = 18;
inline constexpr int kSetupEnds = 19;
inline constexpr int kRecordMissing = 20;
inline constexpr int kRecordUnreadable = 21;
inline constexpr int kUnknownModel = 25;
inline constexpr int kLauncherMissing = 26;
inline constexpr int kNoIniFile = 29;
inline constexpr int kToolNotStarted = 30;
inline constexpr int kCabinetNotStarted = 31;
inline constexpr int kToolMissing = 32;
inline constexpr int kCabinetMissing = 33;
inline constexpr int kNoProgramFolder = 34;
inline constexpr int kAlreadyInstalled = 35;
inline constexpr int kNotInstalled = 36;
inline constexpr int kFinishMissing = 37;
inline constexpr int kFinishNotStarted = 38;
inline constexpr int kWriteProtected = 39;
inline constexpr int kDeleteFailed = 40;
inline constexpr int kNoSpace = 41;
inline constexpr int kAskInstallDeleteData = 43;
inline constexpr int kAskUninstallDeleteData = 44;
inline constexpr int kIniFolderNotCreated = 45;

// Captions and labels.
inline constexpr int kProductLabel = 50;
inline constexpr int kVersionLabel = 51;
inline constexpr int kCopying = 52;
inline constexpr int kRemoving = 53;
inline constexpr int kFileNameLabel = 54;
inline constexpr int kToolBox = 55;
inline constexpr int kToolButton = 56;
inline constexpr int kInstallButton = 57;
inline constexpr int kUninstallButton = 58;
inline constexpr int kDeleteDataCheck = 59;

// Refusals this installer adds.
inline constexpr int kUnsafePath = 70;         ///< a SETUP.INI path leaves its place; the line follows
inline constexpr int kOverlongLine = 71;       ///< a SETUP.INI line is too long; its number follows
inline constexpr int kRecordNotWritten = 72;   ///< SETUP.DAT could not be written back
inline constexpr int kSizeTooLarge = 73;       ///< SIZE= does not fit in 32 bits; the value follows
inline constexpr int kSetupVersionLabel = 74;  ///< label of the installer's own version

}  // namespace vigil::installer::msg
