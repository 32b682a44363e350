#include "app/StationAlarms.h"

#include <poll.h>

#include <cstdio>

#include "alarms/AlarmLimitsFile.h"
#include "alarms/StoredAlarms.h"
#include "app/StationStatus.h"
#include "notify/CommandTransport.h"
#include "notify/MqttTransport.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "store/TextKey.h"

namespace vigil::app {

namespace {

inline constexpr store::TextKey kAlarmPoints{"IDS_MONITOR_LBL_ALARM_POINTS", "Alarm: %d points, highest %s"};
inline constexpr store::TextKey kAlarmPoint{"IDS_MONITOR_LBL_ALARM_POINT", "Alarm: 1 point, %s"};
// Kept while the database refuses them; beyond this the oldest go (and the log says so).
inline constexpr std::size_t kMaxUnrecorded = 1000;
inline constexpr int kVirtualClockWaitMs = 200;
inline constexpr std::int64_t kStatusRefreshMs = 15 * 60'000;

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

alarms::EventOrigin OriginOf(ui::AppContext& context, std::string file = {}) {
  return {context.Settings().project, context.Settings().station, std::move(file)};
}

}  // namespace

class StationAlarms::Pump final : public platform::Window {
 public:
  Pump(platform::EventLoop& loop, notify::Deliverer& deliverer) : loop_(loop), deliverer_(deliverer) {
    handle_ = loop_.AddWindow(this);
    loop_.SetTimer(handle_, 1, kNotifyPollMs);
  }
  ~Pump() override { loop_.RemoveWindow(handle_); }
  /// New rows: the next step comes soon rather than after an idle period.
  void Hurry() {
    if (period_ == kNotifyPollMs) return;
    period_ = kNotifyPollMs;
    loop_.SetTimer(handle_, 1, period_);
  }
  void OnTimer(int) override {
    if (loop_.Virtual() != nullptr && !deliverer_.Idle()) {
      // On the virtual clock (the demo) the broker and the command still run in real time:
      // a step waits for them a little, as real time would have passed meanwhile.
      std::vector<pollfd> fds;
      for (int fd : deliverer_.WaitDescriptors()) fds.push_back({fd, POLLIN, 0});
      if (!fds.empty()) poll(fds.data(), fds.size(), kVirtualClockWaitMs);
    }
    deliverer_.Step(loop_.Time().ElapsedMs(), platform::MillisecondsFromCivil(loop_.Now()));
    // Quick while a notification is under way, slow while there is nothing to send (still
    // often enough for the broker's keep-alive).
    const std::uint32_t period = deliverer_.Idle() ? kNotifyIdlePollMs : kNotifyPollMs;
    if (period != period_) loop_.SetTimer(handle_, 1, period);
    period_ = period;
  }

 private:
  platform::EventLoop& loop_;
  notify::Deliverer& deliverer_;
  platform::WindowHandle handle_ = 0;
  std::uint32_t period_ = kNotifyPollMs;
};

StationAlarms::StationAlarms() = default;
StationAlarms::~StationAlarms() {
  if (context_ != nullptr) context_->Engine().SetLinkReport(nullptr);
}

void StationAlarms::Say(const std::string& line) {
  if (log_) {
    log_(line);
    return;
  }
  std::fprintf(stderr, "VigilStation: %s\n", line.c_str());
}

std::int64_t StationAlarms::LocalMs(ui::AppContext& context) {
  return platform::MillisecondsFromCivil(context.Loop().Now());
}

void StationAlarms::Start(ui::AppContext& context) {
  if (started_) return;
  started_ = true;
  context_ = &context;
  const std::filesystem::path folder = context.Layout().ProgramFolder();
  if (!notify::LoadNotifySettings(folder, notify_, notifyError_)) {
    // Refused whole: a half-read file could send to the wrong place.
    Say("notifications off: " + notifyError_);
    notify_ = notify::NotifySettings{};
  }
  transports_ = notify_.Transports();
  context.Engine().SetLinkReport([this, &context](bool answering) { LinkReport(context, answering); });
  if (transports_.empty()) return;
  std::vector<std::unique_ptr<notify::Transport>> transports;
  if (!notify_.mqtt.host.empty()) transports.push_back(std::make_unique<notify::MqttTransport>(notify_.mqtt));
  if (!notify_.command.run.empty())
    transports.push_back(std::make_unique<notify::CommandTransport>(notify_.command));
  deliverer_ = std::make_unique<notify::Deliverer>(
      context.Layout().DataFolder() / results::kResultsFileName, std::move(transports),
      notify::RetryPolicy{notify_.retryFirstMs, notify_.retryMaxMs},
      [this](const std::string& l) { Say(l); });
  pump_ = std::make_unique<Pump>(context.Loop(), *deliverer_);
}

void StationAlarms::WakeDeliverer() {
  if (!deliverer_) return;
  deliverer_->Wake();
  pump_->Hurry();
}

results::ResultsDatabase* StationAlarms::Database(ui::AppContext& context) {
  const std::filesystem::path path = context.Layout().DataFolder() / results::kResultsFileName;
  if (db_ && dbPath_ == path) return db_.get();
  // The station's first cycle makes the database; until then events wait in memory.
  if (!platform::FileExists(path)) return nullptr;
  std::string error;
  db_ = results::ResultsDatabase::Open(path, error);
  dbPath_ = path;
  return db_.get();
}

void StationAlarms::Record(ui::AppContext& context, const alarms::StationEvent& event) {
  Say(std::string("station event: ") + alarms::StationEventName(event.kind) +
      (event.why.empty() ? "" : " (" + event.why + ")"));
  unrecorded_.emplace_back(OriginOf(context), event);
  if (unrecorded_.size() > kMaxUnrecorded) {
    unrecorded_.pop_front();
    Say("station events lost: the results database has refused them for too long");
  }
  RecordKept(context);
}

void StationAlarms::RecordKept(ui::AppContext& context) {
  while (!unrecorded_.empty()) {
    results::ResultsDatabase* db = Database(context);
    std::string error;
    if (db == nullptr || !alarms::RecordStationEvent(*db, unrecorded_.front().first,
                                                     unrecorded_.front().second, transports_, error)) {
      db_.reset();  // opened again next time, in case the medium came back
      return;
    }
    unrecorded_.pop_front();
    WakeDeliverer();
  }
}

void StationAlarms::LoadLimits(ui::AppContext& context) {
  alarms::AlarmLimits limits;
  std::string error;
  if (alarms::LoadAlarmLimits(context.Layout().ProgramFolder(), limits, error)) {
    limits_ = std::move(limits);
    limitsError_.clear();
    return;
  }
  // A bad file watches nothing rather than half of what was meant; the station measures on.
  if (error != limitsError_) Say("alarms off: " + error);
  limitsError_ = error;
  limits_ = alarms::AlarmLimits{};
}

void StationAlarms::WatchCycles(ui::AppContext& context) {
  const std::string who = context.Settings().project + "\n" + context.Settings().station;
  if (watch_ && watchFor_ == who && watchHours_ == limits_.noCycleHours) return;
  // From the last stored cycle, so a restart does not forget how long none has come.
  std::int64_t since = LocalMs(context);
  bool raised = false;
  if (results::ResultsDatabase* db = Database(context)) {
    if (auto last = LastCycleMs(db->Raw(), context.Settings().project, context.Settings().station))
      since = *last;
    results::Statement s = db->Raw().Prepare(
        "SELECT kind FROM alarm_events WHERE project = ?1 AND station = ?2 AND kind IN ('no cycle', "
        "'cycles resumed') ORDER BY id DESC LIMIT 1");
    s.Bind(1, context.Settings().project).Bind(2, context.Settings().station);
    raised = s.Step() && s.Text(0) == "no cycle";
  }
  watch_.emplace(limits_.noCycleHours, since);
  if (raised) watch_->MarkRaised();
  watchHours_ = limits_.noCycleHours;
  watchFor_ = who;
}

void StationAlarms::CycleStored(ui::AppContext& context, const std::filesystem::path& cycleFile, bool stored,
                                const std::string& why) {
  Start(context);
  LoadLimits(context);
  WatchCycles(context);
  RecordKept(context);
  const store::ProjectStationSettings& s = context.Settings();
  if (!stored) {
    Record(context, {alarms::StationEventKind::kResultsNotWritten, "", why, LocalMs(context)});
  } else if (results::ResultsDatabase* db = Database(context)) {
    alarms::JudgedCycle judged;
    std::string error;
    const results::CycleKey key{s.project, s.station, platform::PathText(cycleFile.filename())};
    const bool judgedOk = alarms::JudgeStoredCycle(*db, key, limits_, judged, error, transports_);
    if (judgedOk) WakeDeliverer();
    if (!judgedOk) {
      db_.reset();
      Record(context, {alarms::StationEventKind::kResultsNotWritten, "", error, LocalMs(context)});
    }
    for (const alarms::AlarmEvent& e : judged.events) {
      Say(platform::Format("%s %s %s: %s %.2lf beyond %.2lf",
                           {e.point, alarms::EventKindName(e.kind), alarms::LevelName(e.level),
                            alarms::QuantityKey(e.quantity), e.value, e.limit}));
    }
    for (const alarms::StationEvent& e : judged.stationEvents) {
      Say(std::string("station event: ") + alarms::StationEventName(e.kind) + " " + e.point + " " + e.why);
    }
    if (auto last = LastCycleMs(db->Raw(), s.project, s.station)) {
      if (auto resumed = watch_->CycleCompleted(*last)) Record(context, *resumed);
    }
  }
  UpdateLine(context);
  UpdateStatus(context);
}

void StationAlarms::ReadingsNotWritten(ui::AppContext& context, int readings) {
  Record(context,
         {alarms::StationEventKind::kDataNotWritten, "",
          platform::Format("%d readings not written to the cycle file", {readings}), LocalMs(context)});
}

void StationAlarms::LinkReport(ui::AppContext& context, bool answering) {
  if (answering == linkConnected_) return;
  linkConnected_ = answering;
  Record(context, {answering ? alarms::StationEventKind::kLinkRestored : alarms::StationEventKind::kLinkLost,
                   "", answering ? "" : "the instrument does not acknowledge commands", LocalMs(context)});
  UpdateStatus(context);
}

void StationAlarms::ScheduleTick(ui::AppContext& context, bool monitoringEnabled) {
  Start(context);
  monitoringEnabled_ = monitoringEnabled;
  if (!watch_) LoadLimits(context);
  WatchCycles(context);
  RecordKept(context);
  if (auto event = watch_->Check(LocalMs(context))) Record(context, *event);
  UpdateStatus(context);
}

void StationAlarms::UpdateLine(ui::AppContext& context) {
  line_.clear();
  if (!limitsError_.empty()) {
    // The screen has room for the line and what is wrong with it, not for the folder.
    const std::size_t at = limitsError_.find(": line ");
    line_ = std::string(alarms::kAlarmsFileName) + " refused, no point watched: " +
            (at == std::string::npos ? limitsError_ : limitsError_.substr(at + 2));
    return;
  }
  results::ResultsDatabase* db = Database(context);
  if (db == nullptr) return;
  results::Statement s = db->Raw().Prepare(
      "SELECT point, max(CASE level WHEN 'alert' THEN 0 WHEN 'alarm' THEN 1 WHEN 'action' THEN 2 END) FROM "
      "alarm_states WHERE project = ?1 AND station = ?2 AND open = 1 GROUP BY point");
  s.Bind(1, context.Settings().project).Bind(2, context.Settings().station);
  int points = 0;
  int highest = -1;
  while (s.Step()) {
    ++points;
    highest = std::max(highest, static_cast<int>(s.Int(1)));
  }
  if (points == 0) return;
  const std::string level = Upper(alarms::LevelName(static_cast<alarms::AlarmLevel>(highest)));
  line_ = points == 1 ? platform::Format(context.Translate(kAlarmPoint.key, kAlarmPoint.defaultText), {level})
                      : platform::Format(context.Translate(kAlarmPoints.key, kAlarmPoints.defaultText),
                                         {points, level});
}

void StationAlarms::UpdateStatus(ui::AppContext& context) {
  results::ResultsDatabase* db = Database(context);
  // The database is made by the first cycle; the status waits for it.
  if (db == nullptr) return;
  const store::ProjectStationSettings& s = context.Settings();
  StationStatus status;
  status.project = s.project;
  status.station = s.station;
  status.updatedMs = LocalMs(context);
  status.lastCycleMs = LastCycleMs(db->Raw(), s.project, s.station);
  if (monitoringEnabled_) status.nextCycleMs = NextCycleMs(s.cycles, context.Loop().Now());
  status.linkConnected = linkConnected_;
  // Each write is a synced transaction: a tick every minute writes only what changed, and
  // shows the station alive every quarter of an hour.
  const bool same =
      lastStatus_ && lastStatus_->project == status.project && lastStatus_->station == status.station &&
      lastStatus_->lastCycleMs == status.lastCycleMs && lastStatus_->nextCycleMs == status.nextCycleMs &&
      lastStatus_->linkConnected == status.linkConnected &&
      status.updatedMs - lastStatus_->updatedMs < kStatusRefreshMs;
  if (same) return;
  if (WriteStationStatus(db->Raw(), status)) {
    lastStatus_ = status;
  } else {
    db_.reset();
  }
}

}  // namespace vigil::app
