// The package's program folder copied onto the instrument, depth first, with its own stack
// of folder frames (grown one frame at a time while it descends, kept for the next copy).
// Hidden files are copied but neither counted nor shown; folders whose names begin with "."
// are not entered.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "installer/FolderTree.h"

namespace vigil::installer {

class TreeCopy {
 public:
  /// A file that is about to be copied, with the count so far (this one included) and the
  /// total counted beforehand.
  using FileShown = std::function<void(const std::string& name, int copied, int total)>;
  /// Handles the dialog's pending messages between entries.
  using Pump = std::function<void()>;

  /// Copies everything below `source` into `target` (which must exist). False at the first
  /// folder that cannot be created or file that cannot be copied; what was copied stays.
  bool Run(const std::filesystem::path& source, const std::filesystem::path& target, int totalFiles,
           const FileShown& shown, const Pump& pump);

  /// Frames allocated so far (the deepest descent of any run).
  std::size_t FrameCapacity() const { return frames_.size(); }

 private:
  struct Frame {
    std::filesystem::path source;
    std::filesystem::path target;
    std::vector<FolderEntry> entries;  // the open directory search
    std::size_t next = 0;
  };
  bool CopyOneFile(const Frame& frame, const FolderEntry& entry);

  std::vector<Frame> frames_;
};

}  // namespace vigil::installer
