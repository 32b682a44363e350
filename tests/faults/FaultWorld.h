// The whole program (MonitoringApp with every subsystem's hooks) against the simulated
// instrument on one virtual clock, on a small site: two reference and three monitoring
// prisms, no noise, so every value the program records can be checked exactly against
// the site's geometry.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "FaultKinds.h"
#include "TempFolder.h"
#include "app/StationHooks.h"
#include "platform/EventLoop.h"
#include "platform/WindowMessages.h"
#include "sim/SimClock.h"
#include "sim/Simulator.h"
#include "survey/Coordinates.h"
#include "ui/MonitoringApp.h"
#include "ui/scripted/ScriptedHost.h"

namespace vigil::faults::test {

using ui::ScriptedHost;
using ui::TextMatch;

inline constexpr const char* kEnableQuestion =
    "Instrument will initialize to MONITORING setting.  Proceed to Enable?";
inline constexpr const char* kDisableQuestion =
    "Instrument will initialize to PREVIOUS setting.  Proceed to Disable?";

// What the program tells the operator when the instrument misbehaves.
inline constexpr const char* kCommunicationError2 = "Measuring::Communication error! Ret = 2";
inline constexpr const char* kNakDuringDistance = "Measuring::Communication error! Ret = -2";
inline constexpr const char* kTimedOut = "Timed out!";
inline constexpr const char* kFailedToStop = "Failed to stop measuring!";
inline constexpr const char* kFailedToConnect = "Failed to connect with Basic mode!";
inline constexpr const char* kFailedReading = "Failed to take reading.";
inline constexpr const char* kMotorReadGivenBack =
    "Enable stopped: the instrument did not give its motor parameters.\r\n"
    "The instrument's own settings were written back.";
inline constexpr const char* kReflectorReadNotGivenBack =
    "Enable stopped: the instrument did not give its reflector type.\r\n"
    "The instrument's own settings could not all be written back. Enable and Disable again to give them "
    "back.";
/// A beep among the notices.
inline constexpr const char* kBeep = "(beep)";

/// `texts` one after the other, `count` times.
inline std::vector<std::string> Repeated(const std::vector<std::string>& texts, int count) {
  std::vector<std::string> all;
  for (int i = 0; i < count; ++i) all.insert(all.end(), texts.begin(), texts.end());
  return all;
}

/// One prism of the site: where it is seen from the station and how it was trained.
struct SitePrism {
  const char* name;
  sim::PrismType simType;
  int trainingType;  ///< prism type code in the training file
  double bearingGon;
  double horizontalMetres;
  double heightMetres;  ///< above the instrument axis
};

inline constexpr SitePrism kSitePrisms[] = {
    {"R1", sim::PrismType::kReference, 0, 30.0, 120.0, 1.0},
    {"R2", sim::PrismType::kReference, 0, 260.0, 90.0, -0.5},
    {"M1", sim::PrismType::kMonitoring, 2, 100.0, 100.0, 0.0},
    {"M2", sim::PrismType::kMonitoring, 2, 130.0, 80.0, 2.0},
    {"M3", sim::PrismType::kMonitoring, 2, 340.0, 110.0, -1.0},
};
inline constexpr int kSitePrismCount = 5;

/// Station at (1000, 2000, 100), circle zero 0, noise off.
sim::Scenario FaultSite();

/// Tolerances of "what the instrument measured" with noise off: the rounding of the texts.
inline constexpr double kAngleToleranceGon = 0.0002;
inline constexpr double kLengthToleranceMetres = 0.0006;

/// Every matrix runs each case reply-driven and on the fixed poll periods.
template <class Case>
using Paced = std::tuple<Case, bool>;
template <class Case, std::size_t N>
auto InBothPaces(const Case (&cases)[N]) {
  return ::testing::Combine(::testing::ValuesIn(cases), ::testing::Bool());
}
template <class Info>
std::string PacedCaseName(const Info& info) {
  return std::string(std::get<0>(info.param).name) +
         (std::get<1>(info.param) ? "_ReplyDriven" : "_FixedPeriods");
}

class FaultWorld : public ::testing::Test {
 protected:
  FaultWorld();
  ~FaultWorld() override;

  ui::MainWindow& Window() { return app_.Window(); }
  ui::AppContext& Context() { return app_.Context(); }
  store::ProjectStationSettings& Settings();

  /// The link opened as Enable opens it, the instrument's log cleared.
  void Connect();

  /// Switches an injection on; a window gone for good is closed until SwitchOff.
  void Inject(const Injection& injection);
  /// Every occurrence of a counted injection struck; one struck at least of one for good.
  bool Struck(const Injection& injection);
  /// Every fault off, the instrument's window there again.
  void SwitchOff();

  /// The true position of a prism of the site (m).
  sim::GridPoint Truth(const std::string& name) const;
  /// Its true face-1 observation from the station (circle zero 0, so circle = grid).
  survey::Observation TrueObservation(const std::string& name) const;

  /// The training file with the named prisms, as training would have stored them.
  void WriteTraining(const std::vector<std::string>& names);

  /// Turns the telescope at a prism in face 1 and searches (run on the loop).
  void PointAt(const std::string& name);
  /// The same as a step of the script.
  ScriptedHost& ScriptPointAt(const std::string& name);

  /// The message boxes that told the operator of a fault and the beeps, in order.
  std::vector<std::string> Notices() const;
  int Beeps() const;

  /// Which prism of the site a measured face-1 or face-2 observation belongs to ("" if none):
  /// Ha, Va and SD all within the tolerances.
  std::string PrismObserved(double haGon, double vaGon, double sdMetres) const;
  /// Which prism sits at a position within the tolerance ("" if none).
  std::string PrismAt(double eastingMetres, double northingMetres, double rlMetres) const;

  vigil::test::TempFolder dir_;
  platform::EventLoop loop_;
  std::unique_ptr<platform::MessageBus> bus_;
  sim::VirtualSimClock simClock_;
  sim::Simulator sim_;
  ScriptedHost host_;
  ui::MonitoringApp app_;
  app::StationHooks hooks_;
};

}  // namespace vigil::faults::test
