#include "installer/FolderTree.h"

#include <system_error>

#include "platform/Files.h"
#include "platform/Text.h"

namespace vigil::installer {

namespace fs = std::filesystem;

namespace {

// Deeper than this is a loop or an attack, not a package.
constexpr int kMaxDepth = 64;

bool IsRealFolder(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(fs::symlink_status(path, ec));
}

std::uint64_t TreeBytesAt(const fs::path& folder, int depth) {
  std::uint64_t total = 0;
  if (depth > kMaxDepth) return total;
  for (const FolderEntry& e : ListFolder(folder)) {
    const fs::path path = folder / platform::PathFromText(e.name);
    total += e.folder ? TreeBytesAt(path, depth + 1) : platform::FileSize(path).value_or(0);
  }
  return total;
}

int CountAt(const fs::path& folder, int depth) {
  int count = 0;
  if (depth > kMaxDepth) return count;
  for (const FolderEntry& e : ListFolder(folder)) {
    if (IsHiddenName(e.name)) continue;
    count += e.folder ? CountAt(folder / platform::PathFromText(e.name), depth + 1) : 1;
  }
  return count;
}

std::uint64_t ReplacedAt(const fs::path& source, const fs::path& target, int depth) {
  std::uint64_t total = 0;
  if (depth > kMaxDepth) return total;
  for (const FolderEntry& e : ListFolder(source)) {
    const fs::path name = platform::PathFromText(e.name);
    if (e.folder) {
      if (!IsHiddenName(e.name)) total += ReplacedAt(source / name, target / name, depth + 1);
    } else if (!IsRealFolder(target / name)) {
      total += platform::FileSize(target / name).value_or(0);
    }
  }
  return total;
}

bool RemoveAt(const fs::path& folder, int depth, const RemovalPump& pump) {
  if (depth > kMaxDepth) return false;
  bool ok = true;
  for (const FolderEntry& e : ListFolder(folder)) {
    const fs::path path = folder / platform::PathFromText(e.name);
    ok = (e.folder ? RemoveAt(path, depth + 1, pump) : platform::DeleteFileAt(path)) && ok;
    if (pump) pump();
  }
  return platform::RemoveFolder(folder) && ok;
}

bool DeleteMatchingAt(const fs::path& source, const fs::path& target, int depth, const RemovalPump& pump) {
  if (depth > kMaxDepth) return false;
  for (const FolderEntry& e : ListFolder(source)) {
    const fs::path name = platform::PathFromText(e.name);
    if (e.folder) {
      if (!IsHiddenName(e.name) && !DeleteMatchingAt(source / name, target / name, depth + 1, pump))
        return false;
    } else if (platform::FileExists(target / name) && !IsRealFolder(target / name)) {
      if (!platform::DeleteFileAt(target / name)) return false;
    }
    if (pump) pump();
  }
  return true;
}

}  // namespace

bool IsHiddenName(std::string_view name) {
  return platform::StartsWith(name, ".");
}

std::vector<FolderEntry> ListFolder(const fs::path& folder) {
  std::vector<FolderEntry> entries;
  if (!IsRealFolder(folder)) return entries;
  for (std::string& name : platform::FindFiles(folder, "*", true)) {
    const bool isFolder = IsRealFolder(folder / platform::PathFromText(name));
    entries.push_back({std::move(name), isFolder});
  }
  return entries;
}

std::uint64_t TreeBytes(const fs::path& folder) {
  return TreeBytesAt(folder, 0);
}

int CountVisibleFiles(const fs::path& folder) {
  return CountAt(folder, 0);
}

std::uint64_t ReplacedBytes(const fs::path& source, const fs::path& target) {
  return ReplacedAt(source, target, 0);
}

bool RemoveTree(const fs::path& folder, const RemovalPump& pump) {
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(folder, ec))) return true;
  if (!IsRealFolder(folder)) return platform::DeleteFileAt(folder);
  return RemoveAt(folder, 0, pump);
}

bool DeleteMatchingFiles(const fs::path& source, const fs::path& target, const RemovalPump& pump) {
  return DeleteMatchingAt(source, target, 0, pump);
}

}  // namespace vigil::installer
