#include "demo/AlarmReport.h"

#include "alarms/AlarmLimitsFile.h"

#include <map>
#include "notify/NotifySettings.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "results/ResultsDatabase.h"

namespace vigil::demo {

namespace {

// Training names the wall's prisms XYZnnn. CRS004 steps about 15 mm in 3D on the first
// evening; the others drift or swing well below 5 mm in the demo's days, and CRS005 is hidden
// behind the crane for an hour each morning.
constexpr const char* kAlarmsText =
    "# The wall's prisms: an alert at 5 mm in 3D, an alarm at 10 mm, confirmed in two cycles.\n"
    "group.wall.points = XYZ*\n"
    "group.wall.alert.3d_mm = 5\n"
    "group.wall.alarm.3d_mm = 10\n"
    "group.wall.confirm_cycles = 2\n";

std::string Time(std::int64_t ms) {
  const platform::LocalDateTime t = platform::CivilFromMilliseconds(ms);
  return platform::Format("%02d-%02d %02d:%02d", {t.day, t.month, t.hour, t.minute});
}

}  // namespace

AlarmDemo::AlarmDemo(const std::filesystem::path& home, app::StationAlarms& station) : home_(home) {
  std::string error;
  station.SetLog([log = log_](const std::string& line) { *log += line + "\n"; });
  std::string notify =
      "# Every notification is also kept by a command, one JSON line each.\n"
      "command.run = cat >> '" +
      platform::PathText(home / "notifications.jsonl") + "'\ncommand.timeout_seconds = 10\n";
  if (broker_.Start(home / "broker", error)) {
    notify += platform::Format("mqtt.host = 127.0.0.1\nmqtt.port = %d\n", {broker_.Port()});
    brokerNote_ = platform::Format("MQTT broker on 127.0.0.1:%d (its log in broker/)", {broker_.Port()});
  } else {
    brokerNote_ = "no MQTT: " + error;
  }
  platform::DeleteFileAt(home / "notifications.jsonl");
  if (!platform::WriteFileBytesAtomic(home / alarms::kAlarmsFileName, kAlarmsText) ||
      !platform::WriteFileBytesAtomic(home / notify::kNotifyFileName, notify))
    problems_.push_back("cannot write the alarm and notification settings");
}

AlarmOutcome AlarmDemo::Finish(const std::filesystem::path& database, const sim::Scenario& site,
                               std::int64_t trainedAtMs, const std::string& stepping,
                               const std::string& hidden) {
  AlarmOutcome out;
  out.mqtt = broker_.Running();
  std::string& text = out.text;
  text += "Alarms (" + platform::PathText(home_ / alarms::kAlarmsFileName) + "): the events\n\n";
  std::string error;
  auto db = results::ResultsDatabase::Open(database, error);
  if (!db) {
    text += "the results database: " + error + "\n";
    broker_.Stop();
    return out;
  }
  // A site started after the step (or ending before it) has nothing for the alarm to find.
  results::Statement last = db->Raw().Prepare("SELECT max(last_ms) FROM cycles");
  const std::int64_t lastMs = last.Step() && !last.IsNull(0) ? last.Int(0) : 0;
  for (const sim::Prism& prism : site.prisms) {
    for (const sim::Movement& m : prism.movements) {
      if (prism.name == kSteppingPrism && m.kind == sim::Movement::Kind::kStep && m.stepAtMs > trainedAtMs &&
          m.stepAtMs < lastMs)
        out.stepExpected = true;
    }
  }
  results::Statement events = db->Raw().Prepare(
      "SELECT time_ms, kind, point, level, quantity, value, limit_value, why FROM alarm_events ORDER BY id");
  std::map<std::string, int> stationKinds;
  while (events.Step()) {
    ++out.events;
    const std::string kind = events.Text(1);
    const std::string point = events.Text(2);
    if (point == hidden) out.hiddenRaisedAnything = true;
    if (point == stepping && kind == "raised") out.steppingRaised = true;
    if (point == stepping && kind == "confirmed") out.steppingConfirmed = true;
    if (events.IsNull(5)) {
      // Station events repeat every cycle (an excluded reference): counted, the first shown.
      if (stationKinds[kind]++ == 0)
        text += "  " + Time(events.Int(0)) + "  " + kind + " " + point + " " + events.Text(7) + "\n";
      continue;
    }
    text += platform::Format("  %s  %-9s %-7s %-6s %s %.1lf mm (limit %.1lf)\n",
                             {Time(events.Int(0)), kind, point, events.Text(3), events.Text(4),
                              events.Double(5), events.Double(6)});
  }
  for (const auto& [kind, count] : stationKinds) {
    if (count > 1) text += platform::Format("  (%s: %d times in all)\n", {kind, count});
  }
  text += "\nNotifications: " + brokerNote_ + "\n";
  results::Statement sent = db->Raw().Prepare(
      "SELECT transport, count(delivered_ms), count(*) - count(delivered_ms), max(attempts) FROM "
      "notifications "
      "GROUP BY transport ORDER BY transport");
  while (sent.Step()) {
    out.delivered += static_cast<int>(sent.Int(1));
    out.pending += static_cast<int>(sent.Int(2));
    text += platform::Format("  %-8s %d delivered, %d not yet, at most %d attempts for one\n",
                             {sent.Text(0), static_cast<int>(sent.Int(1)), static_cast<int>(sent.Int(2)),
                              static_cast<int>(sent.Int(3))});
  }
  text += "  every one as JSON: " + platform::PathText(home_ / "notifications.jsonl") + "\n";
  const std::filesystem::path logFile = home_ / "Trace" / "alarms.log";
  if (platform::CreateFolder(logFile.parent_path()) && platform::WriteFileBytesAtomic(logFile, *log_))
    text += "  the station's alarm log: " + platform::PathText(logFile) + "\n";
  text += platform::Format(
      "%s (%s) %s; %s (%s) %s\n",
      {stepping, kSteppingPrism,
       out.steppingConfirmed ? "raised and confirmed"
       : out.steppingRaised  ? "raised (not confirmed)"
                             : "raised NOTHING",
       hidden, kHiddenPrism, out.hiddenRaisedAnything ? "raised something" : "raised nothing"});
  broker_.Stop();
  return out;
}

}  // namespace vigil::demo
