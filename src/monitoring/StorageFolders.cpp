#include "monitoring/StorageFolders.h"

#include "platform/Files.h"
#include "platform/Text.h"

namespace vigil::monitoring {
namespace {

constexpr const char* kStorageRoots[] = {"Removable Disk", "Storage Card"};

void AddSubfolders(const std::filesystem::path& folder, int depth, int& budget, FolderNode& node) {
  if (depth >= kMaxFolderDepth) return;
  for (const std::string& name : platform::FindFiles(folder, "*", true)) {
    if (budget <= 0) return;
    if (name.empty() || platform::StartsWith(name, ".")) continue;
    const std::filesystem::path path = folder / platform::PathFromText(name);
    if (!platform::FolderExists(path)) continue;
    --budget;
    FolderNode child{name, {}};
    AddSubfolders(path, depth + 1, budget, child);
    node.children.push_back(std::move(child));
  }
}

}  // namespace

std::vector<FolderNode> ExternalStorageFolders(const std::filesystem::path& deviceRoot) {
  std::vector<FolderNode> roots;
  int budget = kMaxFolderNodes;
  for (const char* name : kStorageRoots) {
    const std::filesystem::path path = deviceRoot / name;
    if (!platform::FolderExists(path)) continue;
    --budget;
    FolderNode root{name, {}};
    AddSubfolders(path, 1, budget, root);
    roots.push_back(std::move(root));
  }
  return roots;
}

}  // namespace vigil::monitoring
