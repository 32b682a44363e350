// replication.conf of the program folder: where the station's results are copied to. One
// "key = value" a line, '#' starts a comment:
//   connection = host=db.example port=5432 dbname=vigil user=station password=secret
//   batch_cycles = 20      (cycles sent per batch, 1..1000)
//   retry_seconds = 60     (a failed copy is tried again after this long, 5..86400)
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vigil::replication {

inline constexpr const char* kReplicationConfigName = "replication.conf";

struct ReplicationConfig {
  std::string connection;  ///< a libpq connection string; never shown unmasked
  int batchCycles = 20;
  int retrySeconds = 60;
};

/// False with `error` (no secret in it) for a line that is not understood.
bool ParseReplicationConfig(std::string_view text, ReplicationConfig& config, std::string& error);

enum class ConfigOutcome { kLoaded = 0, kAbsent = 1, kInvalid = 2 };

/// Reads `folder`/replication.conf; kAbsent when there is none (no replication).
ConfigOutcome LoadReplicationConfig(const std::filesystem::path& folder, ReplicationConfig& config,
                                    std::string& error);

}  // namespace vigil::replication
