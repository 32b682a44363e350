#include "replication/ReplicationConfig.h"

#include "platform/Files.h"
#include "platform/Format.h"

namespace vigil::replication {

namespace {

std::string_view Trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

bool Bounded(std::string_view value, int low, int high, int& out) {
  int v = 0;
  if (!platform::ScanInt(value, v) || v < low || v > high) return false;
  out = v;
  return true;
}

}  // namespace

bool ParseReplicationConfig(std::string_view text, ReplicationConfig& config, std::string& error) {
  ReplicationConfig read;
  int lineNumber = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++lineNumber;
    line = Trimmed(line);
    if (line.empty() || line.front() == '#') continue;
    const auto eq = line.find('=');
    const std::string where = std::string(kReplicationConfigName) + " line " + std::to_string(lineNumber);
    if (eq == std::string_view::npos) {
      error = where + ": not key = value";
      return false;
    }
    const std::string_view key = Trimmed(line.substr(0, eq)), value = Trimmed(line.substr(eq + 1));
    if (key == "connection") {
      read.connection = std::string(value);
    } else if (key == "batch_cycles") {
      if (!Bounded(value, 1, 1000, read.batchCycles)) {
        error = where + ": batch_cycles is a whole number from 1 to 1000";
        return false;
      }
    } else if (key == "retry_seconds") {
      if (!Bounded(value, 5, 86400, read.retrySeconds)) {
        error = where + ": retry_seconds is a whole number from 5 to 86400";
        return false;
      }
    } else {
      // The key is echoed only when it is a plain word: a mistyped line may hold a password.
      const bool word =
          key.size() < 40 && key.find_first_not_of("abcdefghijklmnopqrstuvwxyz_") == std::string_view::npos;
      error = where + ": unknown key" + (word ? " " + std::string(key) : std::string());
      return false;
    }
  }
  if (read.connection.empty()) {
    error = std::string(kReplicationConfigName) + ": no connection = line";
    return false;
  }
  config = std::move(read);
  return true;
}

ConfigOutcome LoadReplicationConfig(const std::filesystem::path& folder, ReplicationConfig& config,
                                    std::string& error) {
  const std::filesystem::path path = folder / kReplicationConfigName;
  if (!platform::FileExists(path)) return ConfigOutcome::kAbsent;
  const auto bytes = platform::ReadFileBytes(path);
  if (!bytes) {
    error = platform::PathText(path) + " cannot be read";
    return ConfigOutcome::kInvalid;
  }
  return ParseReplicationConfig(*bytes, config, error) ? ConfigOutcome::kLoaded : ConfigOutcome::kInvalid;
}

}  // namespace vigil::replication
