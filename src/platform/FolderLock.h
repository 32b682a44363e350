// One program per program folder. Two programs appending to the same cycle files would
// number their cycles from the same count and write into each other's files, so the second
// start is refused for as long as the first one runs.
#pragma once

#include <filesystem>
#include <string>

namespace vigil::platform {

/// Name of the lock file inside the locked folder.
inline constexpr const char* kFolderLockName = ".vigil.lock";

class FolderLock {
 public:
  /// Takes the lock of `folder` (held until this object goes). On refusal Held() is false,
  /// and HolderPid() names the process that has it (0 when that could not be read).
  explicit FolderLock(const std::filesystem::path& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  bool Held() const { return fd_ >= 0; }
  int HolderPid() const { return holderPid_; }
  /// Why the lock could not be taken, when no other process holds it (a folder that
  /// cannot be written, for instance); empty otherwise.
  const std::string& Error() const { return error_; }

 private:
  int fd_ = -1;
  int holderPid_ = 0;
  std::string error_;
};

}  // namespace vigil::platform
