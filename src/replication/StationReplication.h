// The station's side of replication: replication.conf of the program folder is read on the
// first stored cycle or tick; without one nothing is copied. A stored cycle nudges the worker
// at once; the first tick catches up with what an earlier run left, and while the worker is not
// up to date the schedule timer nudges it again every retry_seconds of the platform clock,
// which is how a server that was gone for hours is caught up with.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "replication/ReplicationWorker.h"
#include "store/StorageLayout.h"

namespace vigil::replication {

class StationReplication {
 public:
  void OnCycleStored(const store::StorageLayout& layout, std::uint64_t elapsedMs);
  void OnTick(const store::StorageLayout& layout, std::uint64_t elapsedMs);

  /// The last state of replication, or why there is none ("" while not configured).
  std::string LastMessage() const;

 private:
  bool Ready(const store::StorageLayout& layout);

  bool loaded_ = false;
  std::string configMessage_;
  ReplicationConfig config_;
  std::unique_ptr<ReplicationWorker> worker_;
  std::uint64_t lastNudgeMs_ = 0;
};

}  // namespace vigil::replication
