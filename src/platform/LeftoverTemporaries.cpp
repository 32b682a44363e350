#include "platform/LeftoverTemporaries.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Files.h"

namespace vigil::platform {
namespace {

constexpr std::string_view kTemporaryMark = ".tmp";

bool Running(int pid) {
  if (pid <= 0 || pid == ::getpid()) return false;  // our own number: an earlier process's
  return ::kill(pid, 0) == 0 || errno == EPERM;
}

bool EndsWithWholeLine(const std::string& bytes) {
  return bytes.size() % 2 == 0 && bytes.size() >= 4 && bytes.compare(bytes.size() - 4, 4, "\r\0\n\0", 4) == 0;
}

}  // namespace

bool IsTemporaryName(const std::string& name, int& pid) {
  const std::size_t mark = name.rfind(kTemporaryMark);
  if (mark == std::string::npos || mark == 0) return false;
  std::size_t i = mark + kTemporaryMark.size();
  long value = 0;
  const std::size_t pidStart = i;
  while (i < name.size() && name[i] >= '0' && name[i] <= '9' && value < 100000000)
    value = value * 10 + (name[i++] - '0');
  if (i == pidStart || i >= name.size() || name[i] != '-') return false;
  const std::size_t countStart = ++i;
  while (i < name.size() && name[i] >= '0' && name[i] <= '9') ++i;
  if (i == countStart || i != name.size()) return false;
  pid = static_cast<int>(value);
  return true;
}

void ClearLeftoverTemporaries(const std::filesystem::path& folder, bool appended, LeftoverReport& report) {
  for (const std::string& name : FindFiles(folder, "*.tmp*-*")) {
    int pid = 0;
    if (!IsTemporaryName(name, pid) || Running(pid)) continue;
    const std::filesystem::path temp = folder / name;
    const std::size_t mark = name.rfind(kTemporaryMark);
    const std::string targetName = name.substr(0, mark);
    const std::filesystem::path target = folder / targetName;
    if (!appended) {
      report.removed += DeleteFileAt(temp) ? 1 : 0;
      continue;
    }
    const auto lines = ReadFileBytes(temp);
    if (!lines) continue;  // unreadable now: left for a later start, never deleted unread
    const auto stored = ReadFileBytes(target);
    if (stored && stored->compare(0, lines->size(), *lines) == 0) {
      report.removed += DeleteFileAt(temp) ? 1 : 0;
    } else if (!FileExists(target) && EndsWithWholeLine(*lines) && CreateFileBytes(target, *lines)) {
      DeleteFileAt(temp);
      report.recovered.push_back(targetName);
    } else {
      const std::string kept = targetName + ".recovered" + name.substr(mark + kTemporaryMark.size());
      if (CreateFileBytes(folder / kept, *lines) && DeleteFileAt(temp)) report.setAside.push_back(kept);
    }
  }
}

}  // namespace vigil::platform
