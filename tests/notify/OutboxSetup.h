// A results database with events waiting in the outbox, and the step that drives a deliverer
// on the virtual clock: it waits in real time (bounded) only for what a transport or a
// subscriber has under way, never for the clock.
#pragma once

#include <poll.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "alarms/EventNotifications.h"
#include "notify/Deliverer.h"
#include "platform/Clock.h"
#include "results/ResultsDatabase.h"

namespace vigil::notify::setup {

inline const alarms::EventOrigin kOrigin{"DAM", "P1", ""};

/// Writes station events "no cycle" (why: each text of `whys`) with rows for `transports`.
inline bool QueueStationEvents(const std::filesystem::path& db, const std::vector<std::string>& whys,
                               const std::vector<std::string>& transports) {
  std::string error;
  auto rdb = results::ResultsDatabase::Open(db, error);
  if (!rdb) return false;
  for (std::size_t i = 0; i < whys.size(); ++i) {
    const alarms::StationEvent e{alarms::StationEventKind::kNoCycle, "", whys[i],
                                 1'765'000'000'000 + 1000 * static_cast<std::int64_t>(i)};
    if (!alarms::RecordStationEvent(*rdb, kOrigin, e, transports, error)) return false;
  }
  return true;
}

inline std::int64_t Pending(const std::filesystem::path& db) {
  std::string error;
  auto rdb = results::ResultsDatabase::Open(db, error);
  results::Statement s = rdb->Raw().Prepare("SELECT count(*) FROM notifications WHERE delivered_ms IS NULL");
  return s.Step() ? s.Int(0) : -1;
}

/// One step of `stepMs` virtual: first waits up to `realWaitMs` for any of `fds` (and the
/// deliverer's own) to be readable while the deliverer has something under way.
inline void Step(platform::VirtualTimeDriver& clock, Deliverer& deliverer, std::vector<int> fds = {},
                 int realWaitMs = 50, std::uint64_t stepMs = 100) {
  for (int fd : deliverer.WaitDescriptors()) fds.push_back(fd);
  std::vector<pollfd> p;
  for (int fd : fds) p.push_back({fd, POLLIN, 0});
  if (!p.empty()) poll(p.data(), p.size(), deliverer.Idle() ? 0 : realWaitMs);
  clock.WaitUntil(clock.ElapsedMs() + stepMs);
  deliverer.Step(clock.ElapsedMs(), platform::MillisecondsFromCivil(clock.Now()));
}

}  // namespace vigil::notify::setup
