// The notifications not yet delivered, as the results database keeps them: per transport in
// the order they were written; a row leaves the outbox only when it is marked delivered.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "notify/Transport.h"
#include "results/Sqlite.h"

namespace vigil::notify {

/// The oldest undelivered row of `transport`, if any.
std::optional<Notification> NextPending(results::Database& db, std::string_view transport);

/// Marks the row delivered at `localMs` (ms since 1970, local time), counting the attempt.
bool MarkDelivered(results::Database& db, std::int64_t id, std::int64_t localMs);

/// Counts a failed attempt and keeps why.
bool MarkFailed(results::Database& db, std::int64_t id, const std::string& why);

/// Rows not yet delivered, of every transport.
std::int64_t PendingCount(results::Database& db);

}  // namespace vigil::notify
