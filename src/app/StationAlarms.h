// The alarms of the running station: after every stored cycle its points are judged against
// alarms.conf and the station's own events are raised (cycles stopping, the link lost, a
// reference excluded, a cycle not corrected, files or the database not written), each with its
// notifications in the outbox; the deliverer sends them from a timer of the platform clock.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "alarms/AlarmLimits.h"
#include "alarms/EventNotifications.h"
#include "alarms/StationEvents.h"
#include "app/StationStatus.h"
#include "notify/Deliverer.h"
#include "notify/NotifySettings.h"
#include "platform/EventLoop.h"
#include "results/ResultsDatabase.h"
#include "ui/AppContext.h"

namespace vigil::app {

/// The deliverer's period: short enough for MQTT's replies, long enough to cost nothing.
inline constexpr std::uint32_t kNotifyPollMs = 100;
/// With nothing under way: well within the shortest MQTT keep-alive (10 s).
inline constexpr std::uint32_t kNotifyIdlePollMs = 4000;

class StationAlarms {
 public:
  using Log = std::function<void(const std::string& line)>;

  StationAlarms();
  ~StationAlarms();
  StationAlarms(const StationAlarms&) = delete;
  StationAlarms& operator=(const StationAlarms&) = delete;

  /// Where the log lines go (standard error when not set).
  void SetLog(Log log) { log_ = std::move(log); }

  /// Reads notify.conf, watches the link and starts delivering, rows an earlier run left
  /// first. Once; later calls do nothing.
  void Start(ui::AppContext& context);

  /// A cycle ended; `stored`: its results are in the database (else `why` says what failed).
  void CycleStored(ui::AppContext& context, const std::filesystem::path& cycleFile, bool stored,
                   const std::string& why);
  void ReadingsNotWritten(ui::AppContext& context, int readings);
  void LinkReport(ui::AppContext& context, bool answering);
  /// The schedule's tick: "no cycle" is checked here, and the status row kept fresh.
  void ScheduleTick(ui::AppContext& context, bool monitoringEnabled);

  /// "Alarm: 2 points, highest ACTION", a refused alarms.conf, or empty.
  const std::string& Line() const { return line_; }
  const notify::Deliverer* Deliverer() const { return deliverer_.get(); }
  /// Station events the database refused, kept to be written when it takes them again.
  std::size_t Unrecorded() const { return unrecorded_.size(); }

 private:
  class Pump;
  results::ResultsDatabase* Database(ui::AppContext& context);
  void Record(ui::AppContext& context, const alarms::StationEvent& event);
  void RecordKept(ui::AppContext& context);
  void LoadLimits(ui::AppContext& context);
  void WatchCycles(ui::AppContext& context);
  void UpdateLine(ui::AppContext& context);
  void UpdateStatus(ui::AppContext& context);
  void Say(const std::string& line);
  void WakeDeliverer();
  std::int64_t LocalMs(ui::AppContext& context);

  bool started_ = false;
  ui::AppContext* context_ = nullptr;
  Log log_;
  notify::NotifySettings notify_;
  std::vector<std::string> transports_;
  std::unique_ptr<notify::Deliverer> deliverer_;
  std::unique_ptr<Pump> pump_;
  std::unique_ptr<results::ResultsDatabase> db_;
  std::filesystem::path dbPath_;
  alarms::AlarmLimits limits_;
  std::string limitsError_;
  std::string notifyError_;
  std::optional<alarms::CycleWatch> watch_;
  double watchHours_ = -1.0;
  std::string watchFor_;  ///< project and station the watch belongs to
  bool linkConnected_ = true;
  bool monitoringEnabled_ = false;
  std::deque<std::pair<alarms::EventOrigin, alarms::StationEvent>> unrecorded_;
  std::string line_;
  std::optional<StationStatus> lastStatus_;  ///< as last written
};

}  // namespace vigil::app
