// Where the program's folders are. The controller's absolute paths ("\Storage Card",
// "\Removable Disk", "\ROMDisk\...") all resolve below one device root folder, so nothing
// the program does can write outside it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vigil::platform {

class Paths {
 public:
  /// `programFolder`: the folder of the running program (or --home); `deviceRoot`: the folder
  /// that stands for the controller's root "\".
  Paths(std::filesystem::path programFolder, std::filesystem::path deviceRoot);

  /// From the command line: --home DIR and --device-root DIR, defaulting to the folder of the
  /// running program file and to "<program folder>/device".
  static Paths FromCommandLine(int argc, const char* const* argv);

  /// The folder of the running program file (from /proc/self/exe), or the current folder.
  static std::filesystem::path RunningProgramFolder();

  const std::filesystem::path& ProgramFolder() const { return programFolder_; }
  const std::filesystem::path& DeviceRoot() const { return deviceRoot_; }

  /// A controller path such as "\Storage Card\Data" as a native path below the device
  /// root. Empty pieces, "." and ".." are dropped, so the result never leaves the root.
  std::filesystem::path Device(std::string_view controllerPath) const;

 private:
  std::filesystem::path programFolder_;
  std::filesystem::path deviceRoot_;
};

}  // namespace vigil::platform
