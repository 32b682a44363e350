#include "SyncedSteps.h"

#include <map>

namespace vigil::crashtest {

namespace fs = std::filesystem;
using platform::FileStep;

std::vector<TracedStep> TraceFileSteps(const std::function<void()>& run) {
  std::vector<TracedStep> steps;
  platform::SetFileTrace([&steps](FileStep step, const fs::path& path) { steps.push_back({step, path}); });
  run();
  platform::SetFileTrace({});
  return steps;
}

namespace {

bool IsTemporary(const fs::path& path) {
  return path.filename().string().find(".tmp") != std::string::npos;
}

}  // namespace

std::vector<std::string> UnsyncedChanges(const std::vector<TracedStep>& steps) {
  std::vector<std::string> faults;
  std::map<fs::path, std::string> unsynced;  // what still waits for its sync, and what made it
  auto changeBegins = [&](const std::string& next) {
    for (const auto& [path, what] : unsynced) {
      if (!IsTemporary(path)) faults.push_back(what + ", not synced before " + next);
    }
    std::erase_if(unsynced, [](const auto& entry) { return !IsTemporary(entry.first); });
  };
  for (const TracedStep& s : steps) {
    const std::string name = s.path.generic_string();
    switch (s.step) {
      case FileStep::DataWritten:
        changeBegins("data written to " + name);
        unsynced[s.path] = "data written to " + name;
        break;
      case FileStep::DataSynced:
        unsynced.erase(s.path);
        break;
      case FileStep::Renamed:
        for (const auto& [path, what] : unsynced) {
          if (path.generic_string().starts_with(name + ".tmp"))
            faults.push_back(what + ", put in place unsynced");
        }
        std::erase_if(unsynced,
                      [&](const auto& e) { return e.first.generic_string().starts_with(name + ".tmp"); });
        changeBegins(name + " put in place");
        unsynced[s.path.parent_path()] = "the entry of " + name;
        break;
      case FileStep::FolderSynced:
        unsynced.erase(s.path);
        break;
      case FileStep::FolderCreated:
        changeBegins("folder " + name + " made");
        unsynced[s.path.parent_path()] = "the entry of folder " + name;
        break;
    }
  }
  changeBegins("the end of the run");
  return faults;
}

}  // namespace vigil::crashtest
