// The replicator on a thread of its own: the station only nudges it (after a stored cycle, and
// from its schedule timer to try again), so a slow or absent server never holds the station's
// event loop. Once nudged it sends batch after batch until it is up to date or fails; a change
// of state is said once on standard error, passwords masked.
#pragma once

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

#include "replication/ReplicationConfig.h"
#include "replication/Replicator.h"

namespace vigil::replication {

class ReplicationWorker {
 public:
  ReplicationWorker(std::filesystem::path resultsDatabase, const ReplicationConfig& config);
  /// Finishes the batch under way (one cycle's transaction at most) and stops.
  ~ReplicationWorker();
  ReplicationWorker(const ReplicationWorker&) = delete;
  ReplicationWorker& operator=(const ReplicationWorker&) = delete;

  void Nudge();
  ReplicationStatus LastStatus() const;

 private:
  void Run();

  Replicator replicator_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool nudged_ = false, stopping_ = false;
  ReplicationStatus last_;
  std::thread thread_;
};

}  // namespace vigil::replication
