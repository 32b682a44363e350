#include "platform/Paths.h"

#include <system_error>
#include <utility>

#include "platform/Files.h"
#include "platform/Text.h"

namespace vigil::platform {

namespace fs = std::filesystem;

Paths::Paths(fs::path programFolder, fs::path deviceRoot)
    : programFolder_(std::move(programFolder)), deviceRoot_(std::move(deviceRoot)) {}

fs::path Paths::RunningProgramFolder() {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec && self.has_parent_path()) return self.parent_path();
  return fs::current_path(ec);
}

Paths Paths::FromCommandLine(int argc, const char* const* argv) {
  fs::path home;
  fs::path root;
  for (int i = 1; i + 1 < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--home") {
      home = argv[++i];
    } else if (arg == "--device-root") {
      root = argv[++i];
    }
  }
  std::error_code ec;
  if (home.empty()) home = RunningProgramFolder();
  home = fs::absolute(home, ec);
  if (root.empty()) root = home / "device";
  root = fs::absolute(root, ec);
  return Paths(home.lexically_normal(), root.lexically_normal());
}

fs::path Paths::Device(std::string_view controllerPath) const {
  fs::path result = deviceRoot_;
  for (const std::string& piece : Split(ReplaceAll(controllerPath, "/", "\\"), "\\")) {
    if (piece.empty() || piece == "." || piece == "..") continue;
    result /= PathFromText(piece);
  }
  return result;
}

}  // namespace vigil::platform
