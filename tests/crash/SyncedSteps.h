// A stop of the process keeps the page cache, so a crash test alone cannot see a missing sync.
// The file layer's trace can: every change must reach the medium before the program goes on to
// the next one, as a power cut in between would otherwise lose what was reported stored.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Files.h"

namespace vigil::crashtest {

struct TracedStep {
  platform::FileStep step;
  std::filesystem::path path;
};

/// The trace of the file layer while `run` runs.
std::vector<TracedStep> TraceFileSteps(const std::function<void()>& run);

/// What a power cut could lose: a temporary put in place before its data was synced; data
/// appended, or a folder's entries changed, and not synced before the next change began or the
/// run ended. One text per fault, naming the step.
std::vector<std::string> UnsyncedChanges(const std::vector<TracedStep>& steps);

}  // namespace vigil::crashtest
