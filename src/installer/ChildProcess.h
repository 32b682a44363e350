// Cabinet, finish and tool programs run as processes of their own. The installer waits for
// each to end while its dialog keeps handling messages, so the screen stays live.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/EventLoop.h"

namespace vigil::installer {

/// Names and values added to the child's environment.
using ChildEnvironment = std::vector<std::pair<std::string, std::string>>;

/// Starts `program` with `workFolder` as its current folder and waits for it to end, running
/// `loop` in steps of 50 ms meanwhile. False when it could not be started; its exit status
/// is not looked at (the programs report their own failures).
bool RunProgramAndWait(platform::EventLoop& loop, const std::filesystem::path& program,
                       const std::filesystem::path& workFolder, const ChildEnvironment& environment);

}  // namespace vigil::installer
