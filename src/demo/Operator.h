// The operator of the demo: what they press, type and answer on each screen, written into the
// scripted host's script before the program runs. Choices that depend on what the program
// shows (which row is which prism) are made when their step comes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "demo/DemoSite.h"
#include "demo/DemoWorld.h"
#include "demo/Screenshots.h"

namespace vigil::demo {

inline constexpr const char* kProject = "DAM";
inline constexpr const char* kStation = "LEFTBANK";
/// The folder on the USB stick the cycle files go to.
inline constexpr const char* kStickFolder = "VIGIL-DEMO";

class Operator {
 public:
  Operator(DemoWorld& world, const DemoSite& site, Screenshots& shots, int days);

  // In the order the demo runs them.
  void ScriptEnableAndNewStation();
  void ScriptManualResection();
  void ScriptTraining();
  void ScriptResectionOnTrained();
  void ScriptMonitoringDays();
  void ScriptDownload();
  void ScriptDisableAndClose();

  /// When training ended (local ms since 1970).
  std::int64_t TrainedAtMs() const { return trainedAtMs_; }
  /// The folder of the stick the files were downloaded to.
  std::filesystem::path StickFolder() const;
  /// What went wrong besides the host's failures, and what is worth saying.
  const std::vector<std::string>& Problems() const { return problems_; }
  const std::vector<std::string>& Notes() const { return notes_; }

 private:
  ui::ScriptedHost& Host() { return world_.Host(); }
  ui::AppContext& Context() { return world_.App().Context(); }
  /// A picture of the dialog in front.
  void Shoot(const std::string& name);
  /// Turns the telescope by hand to `where` (decided when the step comes) and waits until
  /// it is still.
  void AimByHand(const std::string& what, std::function<sim::GridPoint()> where);
  /// Chooses the row `pick` returns (-1: none, a problem) in list `listId` of the dialog in
  /// front.
  void ChooseRow(const std::string& what, int listId, std::function<int(platform::Dialog&)> pick);
  void Problem(std::string what) { problems_.push_back(std::move(what)); }
  /// Presses the page key of the Training screen until it shows `page`.
  void GoToTrainingPage(const std::string& page);
  /// A point 100 m along a sighting (for aiming at a direction rather than a prism).
  sim::GridPoint DirectionPoint(const Sighting& s) const;

  DemoWorld& world_;
  const DemoSite& site_;
  Screenshots& shots_;
  int days_;
  std::int64_t trainedAtMs_ = 0;
  std::vector<std::string> problems_;
  std::vector<std::string> notes_;
};

}  // namespace vigil::demo
