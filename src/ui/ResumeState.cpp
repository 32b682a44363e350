#include "ui/ResumeState.h"

#include <charconv>
#include <vector>

#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/SettingLines.h"

namespace vigil::ui {

namespace {

bool ReadFlag(std::string_view text, bool& flag) {
  if (text != "0" && text != "1") return false;
  flag = text == "1";
  return true;
}

// Names go into file names elsewhere; here they must only survive a line of their own.
bool ReadName(std::string_view text, std::string& name) {
  for (char c : text) {
    if (c == '\r' || c == '\n' || c == '\0') return false;
  }
  name = std::string(text);
  return true;
}

bool ReadMs(std::string_view text, std::int64_t& ms) {
  if (text.empty()) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), ms);
  return ec == std::errc() && end == text.data() + text.size() && ms >= 0;
}

}  // namespace

ResumeRead ParseResumeState(std::string_view text, ResumeState& state, std::string& error) {
  std::vector<platform::SettingLine> lines;
  if (!platform::ReadSettingLines(text, lines, error)) return ResumeRead::kCorrupt;
  ResumeState read;
  // A state cut short must not read as "not enabled": every key is required.
  unsigned seen = 0;
  for (const platform::SettingLine& line : lines) {
    bool ok = false;
    unsigned bit = 0;
    if (line.key == "enabled") {
      ok = ReadFlag(line.value, read.enabled), bit = 1;
    } else if (line.key == "project") {
      ok = ReadName(line.value, read.project), bit = 2;
    } else if (line.key == "station") {
      ok = ReadName(line.value, read.station), bit = 4;
    } else if (line.key == "schedule_armed") {
      ok = ReadFlag(line.value, read.scheduleArmed), bit = 8;
    } else if (line.key == "cycle_started_ms") {
      ok = ReadMs(line.value, read.cycleStartedMs), bit = 16;
    } else {
      error = "line " + std::to_string(line.lineNumber) + ": unknown key " + line.key;
      return ResumeRead::kCorrupt;
    }
    if (!ok) {
      error =
          "line " + std::to_string(line.lineNumber) + ": " + line.key + " cannot be \"" + line.value + "\"";
      return ResumeRead::kCorrupt;
    }
    seen |= bit;
  }
  if (seen != 31) {
    error = "a key is missing";
    return ResumeRead::kCorrupt;
  }
  if (read.enabled && (read.project.empty() || read.station.empty())) {
    error = "enabled without a project-station";
    return ResumeRead::kCorrupt;
  }
  state = read;
  return ResumeRead::kRead;
}

ResumeRead ReadResumeState(const std::filesystem::path& path, ResumeState& state, std::string& error) {
  if (!platform::FileExists(path)) return ResumeRead::kMissing;
  // Bounded: the file holds five short lines; anything larger is not ours.
  const auto bytes = platform::ReadRegularFileBytes(path, 4096);
  if (!bytes) {
    error = "the file cannot be read";
    return ResumeRead::kCorrupt;
  }
  return ParseResumeState(*bytes, state, error);
}

std::string ResumeStateText(const ResumeState& s) {
  return "# VigilStation: where monitoring stood, read at a start with --resume\n"
         "enabled = " +
         std::string(s.enabled ? "1" : "0") + "\nproject = " + s.project + "\nstation = " + s.station +
         "\nschedule_armed = " + (s.scheduleArmed ? "1" : "0") +
         "\ncycle_started_ms = " + platform::FormatInt(s.cycleStartedMs) + "\n";
}

bool WriteResumeState(const std::filesystem::path& path, const ResumeState& state) {
  if (!platform::FolderExists(path.parent_path()) && !platform::CreateFolder(path.parent_path()))
    return false;
  return platform::WriteFileBytesAtomic(path, ResumeStateText(state));
}

}  // namespace vigil::ui
