#include "notify/Deliverer.h"

#include "notify/Outbox.h"
#include "platform/Files.h"
#include "platform/Format.h"

namespace vigil::notify {

std::uint64_t RetryWaitMs(const RetryPolicy& policy, int failures) {
  std::uint64_t wait = policy.firstMs;
  for (int i = 1; i < failures && wait < policy.maxMs; ++i) wait *= 2;
  return wait < policy.maxMs ? wait : policy.maxMs;
}

Deliverer::Deliverer(std::filesystem::path database, std::vector<std::unique_ptr<Transport>> transports,
                     RetryPolicy policy, Log log)
    : path_(std::move(database)), policy_(policy), log_(std::move(log)) {
  for (auto& t : transports) {
    Lane lane;
    lane.transport = std::move(t);
    lanes_.push_back(std::move(lane));
  }
}

bool Deliverer::OpenDatabase() {
  if (db_) return true;
  // The station makes the database with its first cycle; until then there is nothing to send.
  if (!platform::FileExists(path_)) return false;
  std::string error;
  db_ = results::ResultsDatabase::Open(path_, error);
  if (!db_ && log_) log_("notifications: " + error);
  return db_ != nullptr;
}

void Deliverer::Step(std::uint64_t nowMs, std::int64_t localMs) {
  const bool open = OpenDatabase();
  for (Lane& lane : lanes_) {
    if (open) {
      StepLane(lane, nowMs, localMs);
    } else {
      std::string ignored;
      lane.transport->Poll(nowMs, ignored);  // keeps a connection alive meanwhile
    }
  }
}

void Deliverer::StepLane(Lane& lane, std::uint64_t nowMs, std::int64_t localMs) {
  results::Database& db = db_->Raw();
  const std::string name(lane.transport->Name());
  if (lane.unmarkedId != 0) {
    // Sent but not marked: marking comes before anything else, or a restart would send it twice.
    if (!MarkDelivered(db, lane.unmarkedId, localMs)) return;
    lane.unmarkedId = 0;
  }
  std::string error;
  const Delivery d = lane.transport->Poll(nowMs, error);
  if (lane.busy && d == Delivery::kDelivered) {
    lane.busy = false;
    lane.failuresInRow = 0;
    delivered_.push_back({name, lane.current.id, lane.attempts, lane.current.payload});
    if (!MarkDelivered(db, lane.current.id, localMs)) lane.unmarkedId = lane.current.id;
    if (log_)
      log_(platform::Format("notification %d delivered by %s",
                            {static_cast<long long>(lane.current.id), name}));
  } else if (lane.busy && d == Delivery::kFailed) {
    Failed(lane, nowMs, error);
  }
  if (lane.busy || nowMs < lane.notBeforeMs || !lane.lookAgain) return;
  std::optional<Notification> next = NextPending(db, name);
  if (!next) {
    lane.lookAgain = false;
    return;
  }
  if (next->id != lane.current.id) lane.attempts = 0;
  lane.current = std::move(*next);
  ++lane.attempts;
  lane.busy = true;
  if (!lane.transport->Begin(lane.current, nowMs, error)) Failed(lane, nowMs, error);
}

void Deliverer::Failed(Lane& lane, std::uint64_t nowMs, const std::string& error) {
  lane.busy = false;
  ++lane.failuresInRow;
  const std::uint64_t wait = RetryWaitMs(policy_, lane.failuresInRow);
  lane.notBeforeMs = nowMs + wait;
  MarkFailed(db_->Raw(), lane.current.id, error);
  if (log_) {
    log_(platform::Format("notification %d by %s failed (%s); attempt %d, next in %.1lf s",
                          {static_cast<long long>(lane.current.id), lane.transport->Name(), error,
                           lane.attempts, static_cast<double>(wait) / 1000.0}));
  }
}

void Deliverer::Wake() {
  for (Lane& lane : lanes_) lane.lookAgain = true;
}

std::vector<int> Deliverer::WaitDescriptors() const {
  std::vector<int> fds;
  for (const Lane& lane : lanes_) {
    if (const int fd = lane.transport->WaitDescriptor(); fd >= 0) fds.push_back(fd);
  }
  return fds;
}

bool Deliverer::Idle() const {
  for (const Lane& lane : lanes_) {
    if (lane.busy || lane.unmarkedId != 0) return false;
  }
  return true;
}

std::uint64_t Deliverer::NextRetryMs() const {
  std::uint64_t next = 0;
  for (const Lane& lane : lanes_) {
    if (lane.notBeforeMs != 0 && (next == 0 || lane.notBeforeMs < next)) next = lane.notBeforeMs;
  }
  return next;
}

}  // namespace vigil::notify
