#include "StoredFiles.h"

#include <algorithm>
#include <system_error>

#include "monitoring/CycleColumns.h"
#include "monitoring/CycleFileText.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "store/KeyValueFile.h"
#include "store/ProjectStationSettings.h"
#include "store/SettingsFileReader.h"
#include "training/TrainingFileFormat.h"

namespace vigil::crashtest {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kTrainingFieldCount = 10;

bool IsDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool EndsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// The lines of a CR LF text whose last line ends in CR LF too; nullopt otherwise.
std::optional<std::vector<std::string>> WholeLines(const std::string& text) {
  if (!EndsWith(text, "\r\n")) return std::nullopt;
  std::vector<std::string> lines = platform::Split(text.substr(0, text.size() - 2), "\r\n");
  return lines;
}

std::string CheckSettings(const std::string& relative, const std::string& bytes) {
  if (bytes.size() % 2 != 0) return "odd byte count";
  const store::KeyValueFile file(relative, platform::Utf16LeToUtf8(bytes));
  store::ProjectStationSettings s;
  s.project.clear();
  s.station.clear();
  if (!store::ReadSettingsFile(file, s)) return "no project in the settings";
  const std::string stem = platform::PathText(fs::path(relative).stem());
  if (s.project + "_" + s.station != stem) return "names " + s.project + "_" + s.station + " in " + stem;
  return {};
}

std::string CheckTraining(const std::string& bytes) {
  if (bytes.size() % 2 != 0) return "odd byte count";
  const std::string text = platform::Utf16LeToUtf8(bytes);
  const auto lines = WholeLines(text);
  if (!lines || lines->empty()) return "not whole lines";
  if ((*lines)[0].find("Easting") == std::string::npos) return "no header";
  for (std::size_t i = 1; i < lines->size(); ++i) {
    if (platform::Split((*lines)[i], "\t").size() != kTrainingFieldCount)
      return "line " + std::to_string(i) + " cut";
  }
  if (training::ParseTrainingText(text).size() != lines->size() - 1) return "points missing";
  return {};
}

std::string CheckCycle(const std::string& bytes, bool tornTailAllowed) {
  std::string whole = bytes;
  if (tornTailAllowed && HasTornTail(bytes)) {
    const std::string text = platform::Utf16LeToUtf8(bytes.substr(0, bytes.size() - bytes.size() % 2));
    const std::size_t end = text.rfind("\r\n");
    whole = platform::Utf8ToUtf16Le(end == std::string::npos ? std::string() : text.substr(0, end + 2));
    if (whole.empty()) return {};  // stopped while writing the header
  }
  if (whole.size() % 2 != 0) return "odd byte count";
  const std::string text = platform::Utf16LeToUtf8(whole);
  const auto lines = WholeLines(text);
  if (!lines || lines->empty()) return "not whole lines";
  if ((*lines)[0].find("Easting") == std::string::npos) return "no header";
  for (std::size_t i = 1; i < lines->size(); ++i) {
    if (platform::Split((*lines)[i], "\t").size() != monitoring::kCycleColumnCount)
      return "line " + std::to_string(i) + " cut";
  }
  if (monitoring::ParseCycleFileText(text).size() != lines->size() - 1) return "readings missing";
  return {};
}

std::size_t PointCount(const std::string& bytes) {
  return training::ParseTrainingText(platform::Utf16LeToUtf8(bytes)).size();
}

}  // namespace

StoredKind KindOf(const fs::path& relative) {
  const std::string name = platform::PathText(relative.filename());
  const std::size_t tmp = name.rfind(".tmp");
  if (tmp != std::string::npos) {
    const auto parts = platform::Split(name.substr(tmp + 4), "-");
    if (parts.size() == 2 && IsDigits(parts[0]) && IsDigits(parts[1])) return StoredKind::Temporary;
  }
  const std::string folder = platform::PathText(relative.parent_path().filename());
  const std::string ext = platform::ToLowerAscii(platform::PathText(relative.extension()));
  if (ext == ".vgl") return StoredKind::Cycle;
  if (folder == "Station" && ext == ".txt") return StoredKind::Settings;
  if (folder == "Training" && ext == ".ini") return StoredKind::Training;
  return StoredKind::Other;
}

StoredKind TargetKindOf(const fs::path& relative) {
  if (KindOf(relative) != StoredKind::Temporary) return KindOf(relative);
  const std::string name = platform::PathText(relative);
  return KindOf(name.substr(0, name.rfind(".tmp")));
}

FolderState ReadFolderState(const fs::path& folder) {
  FolderState state;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    const std::string relative = fs::relative(it->path(), folder, typeError).generic_string();
    // The results database is derived from the cycle files (rebuilt at will) and kept whole by
    // SQLite's own journal, not by the file layer these trials stop.
    if (relative.rfind("Data/results.sqlite", 0) == 0) continue;
    // A temporary file may be renamed away between listing and reading it.
    if (auto bytes = platform::ReadFileBytes(it->path())) state[relative] = std::move(*bytes);
  }
  return state;
}

FolderState WithoutTemporaries(const FolderState& state) {
  FolderState kept;
  for (const auto& [name, bytes] : state) {
    if (KindOf(name) != StoredKind::Temporary) kept[name] = bytes;
  }
  return kept;
}

bool HasTornTail(const std::string& bytes) {
  // Empty: stopped between creating the file and writing its header.
  return !EndsWith(bytes, std::string("\r\0\n\0", 4));
}

std::string CheckStoredFile(const std::string& relative, const std::string& bytes, StoredKind kind,
                            bool tornTailAllowed) {
  switch (kind) {
    case StoredKind::Settings:
      return CheckSettings(relative, bytes);
    case StoredKind::Training:
      return CheckTraining(bytes);
    case StoredKind::Cycle:
      return CheckCycle(bytes, tornTailAllowed);
    case StoredKind::Temporary:
    case StoredKind::Other:
      return {};
  }
  return {};
}

Comparison CompareStates(const FolderState& earlier, const FolderState& later) {
  Comparison c;
  for (const auto& [name, bytes] : later) {
    const StoredKind kind = KindOf(name);
    if (kind == StoredKind::Temporary) {
      ++c.temporaries;
      continue;
    }
    if (kind == StoredKind::Other) continue;
    ++c.files;
    const auto before = earlier.find(name);
    if (before == earlier.end() || before->second != bytes) ++c.changed;
    if (kind == StoredKind::Cycle && HasTornTail(bytes)) ++c.tornTails;
    const std::string problem = CheckStoredFile(name, bytes, kind, true);
    if (!problem.empty()) c.problems.push_back(name + ": " + problem);
  }
  for (const auto& [name, before] : earlier) {
    const StoredKind kind = KindOf(name);
    if (kind == StoredKind::Temporary || kind == StoredKind::Other) continue;
    const auto found = later.find(name);
    if (found == later.end()) {
      c.problems.push_back(name + ": lost");
      continue;
    }
    const std::string& after = found->second;
    if (kind == StoredKind::Cycle) {
      if (after.compare(0, before.size(), before) != 0) c.problems.push_back(name + ": stored lines changed");
      continue;
    }
    if (after == before) continue;
    ++c.replacedByNewer;
    // Points may be renamed or measured again in a newer file, but none is dropped.
    if (kind == StoredKind::Training && PointCount(after) < PointCount(before))
      c.problems.push_back(name + ": trained points lost");
  }
  return c;
}

}  // namespace vigil::crashtest
