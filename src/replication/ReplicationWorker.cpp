#include "replication/ReplicationWorker.h"

#include <iostream>

namespace vigil::replication {

ReplicationWorker::ReplicationWorker(std::filesystem::path resultsDatabase, const ReplicationConfig& config)
    : replicator_(std::move(resultsDatabase), config.connection, config.batchCycles),
      thread_([this] { Run(); }) {}

ReplicationWorker::~ReplicationWorker() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void ReplicationWorker::Nudge() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    nudged_ = true;
  }
  wake_.notify_all();
}

ReplicationStatus ReplicationWorker::LastStatus() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return last_;
}

void ReplicationWorker::Run() {
  ReplicationCode said = ReplicationCode::kUpToDate;
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return nudged_ || stopping_; });
      if (stopping_) return;
      nudged_ = false;
    }
    ReplicationStatus s;
    do {
      s = replicator_.RunBatch();
      std::lock_guard<std::mutex> lock(mutex_);
      last_ = s;
      if (stopping_) return;
    } while (s.code == ReplicationCode::kSent);
    // Each kind of trouble once, and once more when it is over.
    if (s.code != said) {
      if (s.code == ReplicationCode::kUpToDate) {
        std::cerr << "VigilStation: replication is up to date again\n";
      } else {
        std::cerr << "VigilStation: " << StatusText(s) << "\n";
      }
      said = s.code;
    }
  }
}

}  // namespace vigil::replication
