#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <system_error>

#include "platform/Text.h"

namespace vigil::platform {
namespace {

std::mutex& HookMutex() {
  static std::mutex m;
  return m;
}

FileFaultHook& Hook() {
  static FileFaultHook hook;
  return hook;
}

// False when the hook fails the operation; a Crash stops the process at once, without
// unwinding or flushing anything, as a power cut would.
bool Permitted(FileOp op, const fs::path& path) {
  FileFaultHook hook;
  {
    std::lock_guard lock(HookMutex());
    hook = Hook();
  }
  if (!hook) return true;
  switch (hook(op, path)) {
    case FaultAction::Proceed:
      return true;
    case FaultAction::Fail:
      return false;
    case FaultAction::Crash:
      std::_Exit(86);
  }
  return true;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

FileTrace& Trace() {
  static FileTrace trace;
  return trace;
}

void Note(FileStep step, const fs::path& path) {
  FileTrace trace;
  {
    std::lock_guard lock(HookMutex());
    trace = Trace();
  }
  if (trace) trace(step, path);
}

bool WriteAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool WriteData(int fd, const fs::path& path, std::string_view bytes) {
  const bool written = WriteAll(fd, bytes);
  Note(FileStep::DataWritten, path);
  return written;
}

bool SyncData(int fd, const fs::path& path) {
  if (::fsync(fd) != 0) return false;
  Note(FileStep::DataSynced, path);
  return true;
}

// Makes the rename itself durable.
void SyncFolder(const fs::path& folder) {
  Descriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0 && ::fsync(dir.get()) == 0) Note(FileStep::FolderSynced, folder);
}

std::atomic<unsigned> g_tempCounter{0};

fs::path TemporaryBeside(const fs::path& path) {
  fs::path temp = path;
  temp += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(g_tempCounter++);
  return temp;
}

}  // namespace

void SetFileFaultHook(FileFaultHook hook) {
  std::lock_guard lock(HookMutex());
  Hook() = std::move(hook);
}

void SetFileTrace(FileTrace trace) {
  std::lock_guard lock(HookMutex());
  Trace() = std::move(trace);
}

std::optional<std::string> ReadFileBytes(const fs::path& path) {
  if (!Permitted(FileOp::Read, path)) return std::nullopt;
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  while (true) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return bytes;
}

std::optional<FileStamp> StampOf(const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  FileStamp stamp;
  stamp.device = info.st_dev;
  stamp.inode = info.st_ino;
  stamp.sizeBytes = static_cast<std::uint64_t>(info.st_size);
  stamp.modifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  stamp.changedNs = static_cast<std::int64_t>(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
  stamp.regular = S_ISREG(info.st_mode);
  return stamp;
}

std::optional<std::string> ReadRegularFileBytes(const fs::path& path, std::size_t maxBytes) {
  if (!Permitted(FileOp::Read, path)) return std::nullopt;
  // Non-blocking: opening a FIFO must not wait for a writer.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  std::string bytes(maxBytes, '\0');
  std::size_t done = 0;
  while (done < maxBytes) {
    const ssize_t n = ::read(fd.get(), bytes.data() + done, maxBytes - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return bytes;
}

std::optional<std::string> ReadUtf16File(const fs::path& path) {
  auto bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return Utf16LeToUtf8(*bytes);
}

// The temporary file gets `mode` before it replaces the target, so a copied program stays
// executable.
static bool WriteAtomicWithMode(const fs::path& path, std::string_view bytes, mode_t mode) {
  const fs::path temp = TemporaryBeside(path);
  if (!Permitted(FileOp::Write, temp)) return false;
  {
    Descriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode));
    if (fd.get() < 0) return false;
    ::fchmod(fd.get(), mode);  // the process umask must not strip the copy's modes
    const bool written = WriteData(fd.get(), temp, bytes) && SyncData(fd.get(), temp);
    if (!fd.Close() || !written) {
      ::unlink(temp.c_str());
      return false;
    }
  }
  if (!Permitted(FileOp::Rename, path) || ::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  Note(FileStep::Renamed, path);
  SyncFolder(path.parent_path());
  return true;
}

// Puts the temporary file in place under `path` unless a file of that name exists: another
// program may have made it since it was found missing, and renaming over it would throw its
// lines away.
static bool PlaceWithoutReplacing(const fs::path& temp, const fs::path& path) {
  if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the flag: a second name fails on an existing one just the same.
  if (::link(temp.c_str(), path.c_str()) != 0) return false;
  ::unlink(temp.c_str());
  return true;
}

bool CreateFileBytes(const fs::path& path, std::string_view bytes) {
  const fs::path temp = TemporaryBeside(path);
  {
    Descriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (fd.get() < 0) return false;
    const bool written = WriteData(fd.get(), temp, bytes) && SyncData(fd.get(), temp);
    if (!fd.Close() || !written) {
      ::unlink(temp.c_str());
      return false;
    }
  }
  if (!Permitted(FileOp::Rename, path) || !PlaceWithoutReplacing(temp, path)) {
    ::unlink(temp.c_str());
    return false;
  }
  Note(FileStep::Renamed, path);
  SyncFolder(path.parent_path());
  return true;
}

bool WriteFileBytesAtomic(const fs::path& path, std::string_view bytes) {
  return WriteAtomicWithMode(path, bytes, 0644);
}

bool WriteUtf16FileAtomic(const fs::path& path, std::string_view text) {
  return WriteFileBytesAtomic(path, Utf8ToUtf16Le(text));
}

bool AppendUtf16File(const fs::path& path, std::string_view text) {
  if (!Permitted(FileOp::Append, path)) return false;
  // A new file appears whole: stopped between creating it and writing, the program would leave
  // an empty file, and the next run would append its lines without the header.
  if (!FileExists(path)) return CreateFileBytes(path, Utf8ToUtf16Le(text));
  Descriptor fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
  if (fd.get() < 0) return false;
  struct stat before {};
  const bool sized = ::fstat(fd.get(), &before) == 0;
  const bool written = WriteData(fd.get(), path, Utf8ToUtf16Le(text)) && SyncData(fd.get(), path);
  if (!written) {
    // A part of the text left behind (a full medium) would join the next line appended.
    if (sized && ::ftruncate(fd.get(), before.st_size) == 0) ::fsync(fd.get());
  }
  return fd.Close() && written;
}

bool AppendFileBytes(const fs::path& path, std::string_view bytes) {
  if (!Permitted(FileOp::Append, path)) return false;
  Descriptor fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
  if (fd.get() < 0) return false;
  struct stat before {};
  const bool sized = ::fstat(fd.get(), &before) == 0;
  const bool written = WriteData(fd.get(), path, bytes);
  // A torn line would run into the next one appended.
  if (!written && sized) static_cast<void>(::ftruncate(fd.get(), before.st_size));
  return fd.Close() && written;
}

bool RenameFile(const fs::path& from, const fs::path& to) {
  if (!Permitted(FileOp::Rename, to)) return false;
  if (::rename(from.c_str(), to.c_str()) != 0) return false;
  Note(FileStep::Renamed, to);
  return true;
}

bool CopyFileTo(const fs::path& from, const fs::path& to, bool failIfExists) {
  if (failIfExists && FileExists(to)) return false;
  if (!Permitted(FileOp::Copy, to)) return false;
  auto bytes = ReadFileBytes(from);
  if (!bytes) return false;
  struct stat source {};
  const mode_t mode = ::stat(from.c_str(), &source) == 0 ? (source.st_mode & 07777) : 0644;
  return WriteAtomicWithMode(to, *bytes, mode);
}

bool DeleteFileAt(const fs::path& path) {
  if (!Permitted(FileOp::Delete, path)) return false;
  std::error_code ec;
  const auto status = fs::symlink_status(path, ec);
  if (ec || !fs::exists(status) || fs::is_directory(status)) return false;
  return fs::remove(path, ec) && !ec;
}

bool CreateFolder(const fs::path& path) {
  if (FolderExists(path)) return true;
  if (!Permitted(FileOp::CreateFolder, path)) return false;
  std::error_code ec;
  if (fs::create_directory(path, ec)) {
    Note(FileStep::FolderCreated, path);
    // The files about to be made in it are only as durable as its own entry.
    SyncFolder(path.parent_path());
  }
  return FolderExists(path);
}

bool RemoveFolder(const fs::path& path) {
  if (!Permitted(FileOp::Delete, path)) return false;
  std::error_code ec;
  if (!fs::is_directory(fs::symlink_status(path, ec))) return false;
  return fs::remove(path, ec) && !ec;
}

bool FileExists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

bool FolderExists(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

std::optional<std::uintmax_t> FileSize(const fs::path& path) {
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  if (ec) return std::nullopt;
  return size;
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  // Iterative match with one backtrack point: linear in practice, no recursion depth.
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t starP = std::string_view::npos;
  std::size_t starN = 0;
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::vector<std::string> FindFiles(const fs::path& folder, std::string_view pattern, bool includeFolders) {
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return names;
  for (const auto& entry : it) {
    std::error_code entryError;
    const bool isFolder = entry.is_directory(entryError);
    if (isFolder && !includeFolders) continue;
    const std::string name = PathText(entry.path().filename());
    if (WildcardMatch(pattern, name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return ToLowerAscii(a) < ToLowerAscii(b) || (ToLowerAscii(a) == ToLowerAscii(b) && a < b);
  });
  return names;
}

std::string PathText(const fs::path& path) {
  return path.string();
}

fs::path PathFromText(std::string_view text) {
  return fs::path(std::string(text));
}

}  // namespace vigil::platform
