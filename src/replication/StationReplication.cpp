#include "replication/StationReplication.h"

#include <iostream>

#include "results/ResultsDatabase.h"

namespace vigil::replication {

bool StationReplication::Ready(const store::StorageLayout& layout) {
  if (!loaded_) {
    loaded_ = true;
    const ConfigOutcome outcome = LoadReplicationConfig(layout.ProgramFolder(), config_, configMessage_);
    if (outcome == ConfigOutcome::kInvalid) std::cerr << "VigilStation: " << configMessage_ << "\n";
    if (outcome == ConfigOutcome::kLoaded)
      worker_ = std::make_unique<ReplicationWorker>(layout.DataFolder() / results::kResultsFileName, config_);
  }
  return worker_ != nullptr;
}

void StationReplication::OnCycleStored(const store::StorageLayout& layout, std::uint64_t elapsedMs) {
  if (!Ready(layout)) return;
  lastNudgeMs_ = elapsedMs;
  worker_->Nudge();
}

void StationReplication::OnTick(const store::StorageLayout& layout, std::uint64_t elapsedMs) {
  if (!Ready(layout)) return;
  // Up to date: the next stored cycle nudges it; only trouble is retried from the timer.
  if (lastNudgeMs_ != 0 && worker_->LastStatus().code == ReplicationCode::kUpToDate) return;
  if (lastNudgeMs_ != 0 &&
      elapsedMs - lastNudgeMs_ < static_cast<std::uint64_t>(config_.retrySeconds) * 1000u)
    return;
  lastNudgeMs_ = elapsedMs == 0 ? 1 : elapsedMs;
  worker_->Nudge();
}

std::string StationReplication::LastMessage() const {
  if (!worker_) return configMessage_;
  return StatusText(worker_->LastStatus());
}

}  // namespace vigil::replication
