#include "notify/Outbox.h"

namespace vigil::notify {

namespace {

bool Run(results::Statement& s) {
  s.Step();
  return s.Done();
}

}  // namespace

std::optional<Notification> NextPending(results::Database& db, std::string_view transport) {
  results::Statement s = db.Prepare(
      "SELECT id, project, station, point, payload, point_state FROM notifications WHERE transport = ?1 AND "
      "delivered_ms IS NULL ORDER BY id LIMIT 1");
  s.Bind(1, transport);
  if (!s.Step()) return std::nullopt;
  return Notification{s.Int(0), s.Text(1), s.Text(2), s.Text(3), s.Text(4), s.Text(5)};
}

bool MarkDelivered(results::Database& db, std::int64_t id, std::int64_t localMs) {
  results::Statement s =
      db.Prepare("UPDATE notifications SET delivered_ms = ?2, attempts = attempts + 1 WHERE id = ?1");
  s.Bind(1, id).Bind(2, localMs);
  return Run(s);
}

bool MarkFailed(results::Database& db, std::int64_t id, const std::string& why) {
  results::Statement s =
      db.Prepare("UPDATE notifications SET attempts = attempts + 1, last_error = ?2 WHERE id = ?1");
  s.Bind(1, id).Bind(2, why);
  return Run(s);
}

std::int64_t PendingCount(results::Database& db) {
  results::Statement s = db.Prepare("SELECT count(*) FROM notifications WHERE delivered_ms IS NULL");
  return s.Step() ? s.Int(0) : -1;
}

}  // namespace vigil::notify
