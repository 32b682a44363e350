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

// The path with every link resolved (as far as it exists), without a trailing separator.
std::optional<fs::path> Resolved(const fs::path& path) {
  std::error_code ec;
  fs::path real = fs::weakly_canonical(path, ec);
  if (ec) return std::nullopt;
  if (real.has_parent_path() && real.filename().empty()) real = real.parent_path();
  return real;
}

// A symbolic link below the root may lead anywhere: the place the path really names must lie
// strictly below the place the root really is.
bool StaysBelow(const fs::path& root, const fs::path& path) {
  const std::optional<fs::path> realRoot = Resolved(root);
  const std::optional<fs::path> realPath = Resolved(path);
  if (!realRoot || !realPath) return false;
  auto r = realRoot->begin();
  auto p = realPath->begin();
  for (; r != realRoot->end(); ++r, ++p) {
    if (p == realPath->end() || *r != *p) return false;
  }
  return p != realPath->end();
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
  if (!StaysBelow(paths.DeviceRoot(), target.path)) return std::nullopt;
  return target;
}

}  // namespace vigil::installer
