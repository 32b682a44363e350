// What a restarted program needs to take monitoring up again: whether it ran Enabled, with
// which project-station, whether the schedule was in force and whether a cycle was being
// measured. Kept in Station/resume.state (UTF-8 "key = value" lines), replaced atomically
// whenever it changes, and only for a project-station that asks to be resumed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace vigil::ui {

inline constexpr const char* kResumeStateFileName = "resume.state";

struct ResumeState {
  bool enabled = false;
  std::string project;
  std::string station;
  bool scheduleArmed = false;
  /// Local time (ms since 1970) when the cycle being measured started; 0 when none was.
  std::int64_t cycleStartedMs = 0;

  bool operator==(const ResumeState&) const = default;
};

enum class ResumeRead { kMissing, kCorrupt, kRead };

/// The state in `text`; kCorrupt with a reason in `error` for an unknown or missing key, a
/// flag that is not 0 or 1, or an enabled state without names.
ResumeRead ParseResumeState(std::string_view text, ResumeState& state, std::string& error);
ResumeRead ReadResumeState(const std::filesystem::path& path, ResumeState& state, std::string& error);

std::string ResumeStateText(const ResumeState& state);
/// Temporary file, sync, rename, folder sync: a kill leaves the old state or the new one.
bool WriteResumeState(const std::filesystem::path& path, const ResumeState& state);

/// Whether a start from `state` takes monitoring up again.
inline bool ShouldResume(const ResumeState& state) {
  return state.enabled && state.scheduleArmed && !state.project.empty() && !state.station.empty();
}

}  // namespace vigil::ui
