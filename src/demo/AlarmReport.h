// The alarms of the demo: limits under which the stepping crest prism must raise and confirm
// an alarm while the prism hidden behind the crane raises nothing, a broker of the demo's own
// for the MQTT notifications (the demo goes on without MQTT when it cannot start one), a
// command that keeps every notification in a file, and what came of it all.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/StationAlarms.h"
#include "notify/LocalBroker.h"
#include "sim/Scenario.h"

namespace vigil::demo {

/// The simulated prism whose step must raise an alarm, and the one whose gaps must raise
/// nothing; the station knows them by the names training gave them.
inline constexpr const char* kSteppingPrism = "CRS004";
inline constexpr const char* kHiddenPrism = "CRS005";

struct AlarmOutcome {
  int events = 0;
  bool stepExpected = false;  ///< the stepping prism stepped between training and the last cycle
  bool steppingRaised = false;
  bool steppingConfirmed = false;
  bool hiddenRaisedAnything = false;
  int delivered = 0;
  int pending = 0;
  bool mqtt = false;  ///< the broker ran and MQTT was configured
  std::string text;   ///< the events and the notifications delivered, as printed
};

class AlarmDemo {
 public:
  /// Writes alarms.conf and notify.conf into `home`, starts the broker in home/broker and
  /// sends the station's alarm log to home/Trace/alarms.log.
  AlarmDemo(const std::filesystem::path& home, app::StationAlarms& station);
  /// What the run left in the results database; `stepping` and `hidden` are the station's
  /// names of kSteppingPrism and kHiddenPrism, trained at `trainedAtMs`. Stops the broker.
  AlarmOutcome Finish(const std::filesystem::path& database, const sim::Scenario& site,
                      std::int64_t trainedAtMs, const std::string& stepping, const std::string& hidden);
  /// Setting files that could not be written.
  const std::vector<std::string>& Problems() const { return problems_; }

 private:
  std::filesystem::path home_;
  notify::LocalBroker broker_;
  std::string brokerNote_;
  std::vector<std::string> problems_;
  std::shared_ptr<std::string> log_ = std::make_shared<std::string>();
};

}  // namespace vigil::demo
