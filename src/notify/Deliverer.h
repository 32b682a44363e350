// Delivers the outbox: per transport the oldest undelivered row first, one at a time. A failed
// attempt is retried after a wait that doubles with every failure in a row, up to a cap; a row
// is marked delivered only when its transport acknowledged it. Everything it does is a Step
// on the platform clock, which never blocks; rows left undelivered when the program ends are
// delivered by the next run.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "notify/Transport.h"
#include "results/ResultsDatabase.h"

namespace vigil::notify {

struct RetryPolicy {
  std::uint32_t firstMs = 10000;
  std::uint32_t maxMs = 900000;
};

/// The wait after the `failures`-th failure in a row (from 1): firstMs doubled each time,
/// never more than maxMs.
std::uint64_t RetryWaitMs(const RetryPolicy& policy, int failures);

/// One notification delivered, as the demo and the log report it.
struct DeliveredRecord {
  std::string transport;
  std::int64_t id = 0;
  int attempts = 0;  ///< this run
  std::string payload;
};

class Deliverer {
 public:
  using Log = std::function<void(const std::string& line)>;

  /// `database`: the results database file; it is opened when there is one.
  Deliverer(std::filesystem::path database, std::vector<std::unique_ptr<Transport>> transports,
            RetryPolicy policy, Log log);

  /// One step at `nowMs` (the platform clock's elapsed ms) and `localMs` (local ms since 1970).
  void Step(std::uint64_t nowMs, std::int64_t localMs);

  /// New rows were written: each transport looks for them at its next step. Until then, and
  /// after finding none, an idle transport does not read the outbox.
  void Wake();

  /// What to wait on for the transports' I/O (an event loop without its own I/O watch polls).
  std::vector<int> WaitDescriptors() const;
  /// Nothing in progress, nothing unmarked.
  bool Idle() const;
  /// Earliest elapsed ms a failed transport tries again; 0 when none waits.
  std::uint64_t NextRetryMs() const;
  const std::vector<DeliveredRecord>& Delivered() const { return delivered_; }

 private:
  struct Lane {
    std::unique_ptr<Transport> transport;
    bool busy = false;
    Notification current;
    int attempts = 0;       ///< of the current row, this run
    int failuresInRow = 0;  ///< decides the wait
    std::uint64_t notBeforeMs = 0;
    std::int64_t unmarkedId = 0;  ///< delivered, not yet marked (the database refused)
    bool lookAgain = true;        ///< the outbox may hold a row for it
  };
  bool OpenDatabase();
  void StepLane(Lane& lane, std::uint64_t nowMs, std::int64_t localMs);
  void Failed(Lane& lane, std::uint64_t nowMs, const std::string& error);

  std::filesystem::path path_;
  std::unique_ptr<results::ResultsDatabase> db_;
  std::vector<Lane> lanes_;
  RetryPolicy policy_;
  Log log_;
  std::vector<DeliveredRecord> delivered_;
};

}  // namespace vigil::notify
