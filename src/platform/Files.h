// File layer. All file access of the program goes through here, so that the text encoding,
// atomic replacement and the fault hook used by the crash tests live in one place.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vigil::platform {

namespace fs = std::filesystem;

/// The kinds of operation the fault hook sees.
enum class FileOp { Read, Write, Append, Rename, Copy, Delete, CreateFolder };

/// What the fault hook asks for: go on, fail this operation as a full or broken medium
/// would, or stop the process here as a power cut would (the crash tests use it).
enum class FaultAction { Proceed, Fail, Crash };

/// Called before every operation that reads or changes the file system. Tests install one to
/// fail the N-th write or to stop the program at it; there is none in normal running.
using FileFaultHook = std::function<FaultAction(FileOp op, const fs::path& path)>;
void SetFileFaultHook(FileFaultHook hook);

/// What the file layer did to the medium, in order: data written into a file, that file's data
/// synced, a file put in place under its name, a folder's entries synced, a folder made. Crash
/// tests stop the process, which keeps the page cache; the trace lets them check that every
/// change is synced before the program counts on it, as a power cut requires.
enum class FileStep { DataWritten, DataSynced, Renamed, FolderSynced, FolderCreated };
using FileTrace = std::function<void(FileStep step, const fs::path& path)>;
void SetFileTrace(FileTrace trace);

/// Whole file as raw bytes; nullopt when it does not exist or cannot be read.
std::optional<std::string> ReadFileBytes(const fs::path& path);

/// Identity and state of a file as stat gives them: a file replaced, grown or touched gets
/// another stamp.
struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t sizeBytes = 0;
  std::int64_t modifiedNs = 0;
  std::int64_t changedNs = 0;
  bool regular = false;
  bool operator==(const FileStamp&) const = default;
};

/// The stamp of what `path` names (links followed), or nullopt when nothing is there.
std::optional<FileStamp> StampOf(const fs::path& path);

/// At most `maxBytes` of a regular file. A device, FIFO, socket or folder gives nullopt without
/// waiting for it (a link to /dev/zero or a FIFO put in a file's place must not hang or fill
/// the memory), and so does a file that cannot be read.
std::optional<std::string> ReadRegularFileBytes(const fs::path& path, std::size_t maxBytes);

/// Whole UTF-16LE text file as UTF-8 (no byte-order mark is expected or removed: a mark
/// stays in the text as U+FEFF). nullopt when it does not exist or cannot be read.
std::optional<std::string> ReadUtf16File(const fs::path& path);

/// Replaces `path` by `bytes` atomically: a temporary file beside it is written and flushed
/// to the medium, then renamed over the target. A crash leaves the old or the new file.
bool WriteFileBytesAtomic(const fs::path& path, std::string_view bytes);

/// WriteFileBytesAtomic of the UTF-16LE form of `text` (no byte-order mark, no terminator).
bool WriteUtf16FileAtomic(const fs::path& path, std::string_view text);

/// Creates `path` holding `bytes`: it appears whole (temporary file put in place) and never
/// over an existing file, which is left alone and false returned.
bool CreateFileBytes(const fs::path& path, std::string_view bytes);

/// Appends the UTF-16LE form of `text` and flushes it to the medium; a missing file is created
/// whole with `text` (temporary file put in place), never seen empty, and never over a file of
/// that name made meanwhile. False when nothing or not all of it could be written; the file is
/// then left as it was (or not created).
bool AppendUtf16File(const fs::path& path, std::string_view text);

/// Appends raw `bytes`, creating the file when it is missing, without syncing it to the medium:
/// for diagnostic files whose loss in a power cut costs nothing and whose writer must not wait.
/// False when not all of it could be written; a part written is cut off again.
bool AppendFileBytes(const fs::path& path, std::string_view bytes);

/// Renames `from` to `to`, replacing a file of that name. False when it could not be done.
bool RenameFile(const fs::path& from, const fs::path& to);

/// Copies a file. With `failIfExists` an existing target is left alone and false returned.
/// The target is written atomically.
bool CopyFileTo(const fs::path& from, const fs::path& to, bool failIfExists);

/// Deletes a file (not a folder). False when it did not exist or could not be deleted.
bool DeleteFileAt(const fs::path& path);

/// Creates one folder level. True when it exists afterwards.
bool CreateFolder(const fs::path& path);

/// Removes an empty folder.
bool RemoveFolder(const fs::path& path);

/// True when the path names anything (file or folder).
bool FileExists(const fs::path& path);

/// True when the path names a folder.
bool FolderExists(const fs::path& path);

/// Size in bytes, or nullopt.
std::optional<std::uintmax_t> FileSize(const fs::path& path);

/// Names (not paths) of the entries of `folder` that match the wildcard `pattern`
/// ('*' any run, '?' one character; compared case-insensitively for ASCII letters, as the
/// controller's file system does), sorted by name. Folders are included only when
/// `includeFolders` is set.
std::vector<std::string> FindFiles(const fs::path& folder, std::string_view pattern,
                                   bool includeFolders = false);

/// Wildcard match used by FindFiles.
bool WildcardMatch(std::string_view pattern, std::string_view name);

/// The path as UTF-8 text.
std::string PathText(const fs::path& path);

/// A path from UTF-8 text.
fs::path PathFromText(std::string_view text);

}  // namespace vigil::platform
