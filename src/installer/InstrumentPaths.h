// The places on the instrument the installer reads and changes (controller paths; they
// resolve below the device root).
#pragma once

#include <string_view>

namespace vigil::installer {

inline constexpr std::string_view kLauncherProgram = "\\ROMDisk2\\PROGRAM\\LMXAPP\\Kestrel.exe";
inline constexpr std::string_view kInstalledIniFolder = "\\ROMDisk2\\INI";
inline constexpr std::string_view kResumeFile = "\\ROMDisk\\SETTINGS\\LMXAPP\\Resume.inf";
inline constexpr std::string_view kStorageVolume = "\\ROMDisk";
inline constexpr std::string_view kProgramsFolder = "\\ROMDisk\\PROGRAM";
inline constexpr std::string_view kDataFolder = "\\ROMDisk\\DATA";
inline constexpr std::string_view kSettingsFolder = "\\ROMDisk\\SETTINGS";

/// The Basic-mode application's settings that a package marked "FLG1=TRUE" replaces; they
/// are kept beside themselves with ".bak" while the package is installed.
inline constexpr std::string_view kBasicSettingsFiles[] = {"VNT", "VNT8SURVEY"};

// In the package folder.
inline constexpr std::string_view kScriptFile = "SETUP.INI";
inline constexpr std::string_view kRecordFile = "SETUP.DAT";
inline constexpr std::string_view kWriteTestFile = "INSTDUMMY.DAT";
inline constexpr std::string_view kPackageIniFolder = "INI";
inline constexpr std::string_view kPackageProgramFolder = "PROGRAM";

}  // namespace vigil::installer
