// The folders of the external storage roots ("Storage Card", "Removable Disk") below the
// device root, as the folder browser shows them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vigil::monitoring {

struct FolderNode {
  std::string name;
  std::vector<FolderNode> children;
};

/// Limits that keep a deep or looping folder structure (links) from running away.
inline constexpr int kMaxFolderDepth = 12;
inline constexpr int kMaxFolderNodes = 2000;

/// The storage roots present under `deviceRoot`, each with every folder below it (hidden
/// folders, whose names start with ".", left out), sorted by name.
std::vector<FolderNode> ExternalStorageFolders(const std::filesystem::path& deviceRoot);

}  // namespace vigil::monitoring
