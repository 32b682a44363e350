// The runtime folder of the socket transport. Whoever can put a socket in it can answer the
// greeting and receive every command meant for the instrument, so only a folder of our own,
// closed to everybody else, is used.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/WindowMessages.h"

namespace vigil::platform {

bool PrepareRuntimeFolder(const std::filesystem::path& folder, std::string& error) {
  const std::string name = folder.string();
  std::error_code ec;
  if (folder.has_parent_path()) std::filesystem::create_directories(folder.parent_path(), ec);
  const bool made = ::mkdir(folder.c_str(), 0700) == 0;
  if (!made && errno != EEXIST) {
    error = "the runtime folder " + name + " cannot be made: " + std::strerror(errno);
    return false;
  }
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0) {
    error = "the runtime folder " + name + " cannot be read: " + std::strerror(errno);
    return false;
  }
  if (S_ISLNK(info.st_mode)) {
    error = "the runtime folder " + name + " is a link; it must be a folder of its own";
    return false;
  }
  if (!S_ISDIR(info.st_mode)) {
    error = "the runtime folder " + name + " is not a folder";
    return false;
  }
  if (info.st_uid != ::geteuid()) {
    error =
        "the runtime folder " + name + " belongs to another user (uid " + std::to_string(info.st_uid) + ")";
    return false;
  }
  // A folder made just now may have lost bits to the umask; one found open was opened by someone.
  if (made && (info.st_mode & 07777) != 0700) ::chmod(folder.c_str(), 0700);
  if (!made && (info.st_mode & 077) != 0) {
    error = "the runtime folder " + name + " is open to other users (mode " +
            std::to_string((info.st_mode >> 6) & 7) + std::to_string((info.st_mode >> 3) & 7) +
            std::to_string(info.st_mode & 7) + "); it must be 700";
    return false;
  }
  return true;
}

}  // namespace vigil::platform
