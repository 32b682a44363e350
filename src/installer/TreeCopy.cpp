#include "installer/TreeCopy.h"

#include <system_error>

#include "platform/Files.h"

namespace vigil::installer {

namespace fs = std::filesystem;

namespace {

// Deeper than this is a loop, not a package.
constexpr std::size_t kMaxDepth = 64;

}  // namespace

bool TreeCopy::CopyOneFile(const Frame& frame, const FolderEntry& entry) {
  const fs::path name = platform::PathFromText(entry.name);
  const fs::path to = frame.target / name;
  if (platform::FileExists(to) && !platform::FolderExists(to)) platform::DeleteFileAt(to);
  return platform::CopyFileTo(frame.source / name, to, false);
}

bool TreeCopy::Run(const fs::path& source, const fs::path& target, int totalFiles, const FileShown& shown,
                   const Pump& pump) {
  std::size_t depth = 0;
  auto open = [&](const fs::path& from, const fs::path& to) {
    if (depth == frames_.size()) frames_.emplace_back();
    Frame& frame = frames_[depth++];
    frame.source = from;
    frame.target = to;
    frame.entries = ListFolder(from);
    frame.next = 0;
  };
  open(source, target);
  int copied = 0;
  while (depth > 0) {
    Frame& frame = frames_[depth - 1];
    if (frame.next == frame.entries.size()) {
      --depth;
      continue;
    }
    const FolderEntry entry = frame.entries[frame.next++];
    if (entry.folder) {
      if (IsHiddenName(entry.name)) continue;
      const fs::path name = platform::PathFromText(entry.name);
      if (depth >= kMaxDepth || !platform::CreateFolder(frame.target / name)) return false;
      const fs::path from = frame.source / name;
      const fs::path to = frame.target / name;
      open(from, to);
    } else {
      if (!IsHiddenName(entry.name)) {
        ++copied;
        if (shown) shown(entry.name, copied, totalFiles);
      }
      if (!CopyOneFile(frame, entry)) return false;
    }
    if (pump) pump();
  }
  return true;
}

}  // namespace vigil::installer
