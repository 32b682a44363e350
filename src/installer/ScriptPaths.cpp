#include "installer/ScriptPaths.h"

#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Text.h"

namespace vigil::installer {

namespace fs = std::filesystem;

namespace {

// The pieces between separators ("\" or "/"), without empty ones and "."; nullopt when one
// of them climbs out ("..") or names a drive or device (":").
std::optional<std::vector<std::string>> SafePieces(std::string_view path) {
  std::vector<std::string> kept;
  for (std::string& piece : platform::Split(platform::ReplaceAll(path, "/", "\\"), "\\")) {
    if (piece.empty() || piece == ".") continue;
    if (piece == ".." || piece.find(':') != std::string::npos) return std::nullopt;
    kept.push_back(std::move(piece));
  }
  return kept;
}

}  // namespace

std::optional<fs::path> PackageProgramPath(const fs::path& packageFolder, std::string_view scriptPath) {
  if (platform::StartsWith(scriptPath, "\\") || platform::StartsWith(scriptPath, "/")) return std::nullopt;
  const auto pieces = SafePieces(scriptPath);
  if (!pieces || pieces->empty()) return std::nullopt;
  fs::path result = packageFolder;
  for (const std::string& piece : *pieces) result /= platform::PathFromText(piece);
  return result;
}

std::optional<DeleteTarget> DeleteLineTarget(const platform::Paths& paths, std::string_view value) {
  const auto pieces = SafePieces(value);
  if (!pieces || pieces->empty()) return std::nullopt;
  DeleteTarget target;
  target.folder = platform::EndsWith(value, "\\") || platform::EndsWith(value, "/");
  target.path = paths.DeviceRoot();
  for (const std::string& piece : *pieces) target.path /= platform::PathFromText(piece);
  return target;
}

}  // namespace vigil::installer
