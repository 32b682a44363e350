#include "platform/FolderLock.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vigil::platform {
namespace {

// Open-file-description locks: released only when the last descriptor of this opening goes,
// never by another part of the program opening and closing the same file, and they conflict
// within one process too.
bool TryLock(int fd) {
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  return ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

int ReadPid(int fd) {
  char text[32] = {};
  const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
  if (n <= 0) return 0;
  int pid = 0;
  for (ssize_t i = 0; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
    pid = pid * 10 + (text[i] - '0');
    if (pid > 99999999) return 0;
  }
  return pid;
}

}  // namespace

FolderLock::FolderLock(const std::filesystem::path& folder) {
  const std::filesystem::path file = folder / kFolderLockName;
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) {
    error_ = file.string() + ": " + std::strerror(errno);
    return;
  }
  if (!TryLock(fd)) {
    const int lockError = errno;
    if (lockError == EAGAIN || lockError == EACCES) {
      holderPid_ = ReadPid(fd);
    } else {
      error_ = file.string() + ": " + std::strerror(lockError);
    }
    ::close(fd);
    return;
  }
  // The holder's number, for the message of a second start.
  const std::string pid = std::to_string(::getpid()) + "\n";
  if (::ftruncate(fd, 0) == 0) (void)::pwrite(fd, pid.data(), pid.size(), 0);
  fd_ = fd;
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace vigil::platform
