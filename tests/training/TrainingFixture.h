// The training screen against the simulated instrument on one virtual clock, driven through
// the scripted host: the program's context (link connected), a project-station set up like the
// simulated site, and helpers for the training file and the external storage.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "platform/DialogResult.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "platform/WindowMessages.h"
#include "sim/SimClock.h"
#include "sim/Simulator.h"
#include "training/TrainingDialog.h"
#include "training/TrainingFile.h"
#include "ui/MonitoringApp.h"
#include "ui/scripted/ScriptedHost.h"

namespace vigil::training::test {

using ui::ScriptedHost;
using ui::TextMatch;
using TD = TrainingDialog;

/// Station at (1000, 2000, 100), circle zero 0, no noise; prisms 100 m away, level, at the
/// given grid bearings (gon) named P<bearing>.
inline sim::Scenario Site(const std::vector<double>& bearingsGon) {
  sim::Scenario s;
  s.station = {1000.0, 2000.0, 100.0};
  s.angleNoiseMgon = 0.0;
  s.distanceNoiseMm = 0.0;
  s.distanceNoisePpm = 0.0;
  s.tiltNoiseMgon = 0.0;
  for (double b : bearingsGon) {
    const double a = b * 3.14159265358979323846 / 200.0;
    s.prisms.push_back({"P" + std::to_string(static_cast<int>(b)),
                        sim::PrismType::kMonitoring,
                        -30.0,
                        {1000.0 + 100.0 * std::sin(a), 2000.0 + 100.0 * std::cos(a), 100.0},
                        {},
                        {}});
  }
  return s;
}

class TrainingFixture : public ::testing::Test {
 protected:
  explicit TrainingFixture(sim::Scenario scenario = Site({100.0}), std::uint32_t startTick = 0)
      : loop_(std::make_unique<platform::VirtualTimeDriver>(startTick)),
        bus_(platform::MakeInProcessBus()),
        simClock_(*loop_.Virtual()),
        sim_(*bus_, simClock_, std::move(scenario)),
        host_(loop_),
        app_(loop_, *bus_, host_,
             store::StorageLayout(platform::Paths(dir_.path(), dir_.path() / "device"))) {
    host_.SetFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
    EXPECT_TRUE(sim_.Start());
    EXPECT_TRUE(Context().Link().Connect());
    store::ProjectStationSettings& s = Context().Settings();
    const sim::Scenario& site = sim_.scenario();
    s.easting = site.station.eastingMetres;
    s.northing = site.station.northingMetres;
    s.reduced_level = site.station.levelMetres;
    s.orientation = site.circleZeroGon;
    s.temperature = site.temperatureC;
    s.pressure = site.pressureHpa;
  }
  ~TrainingFixture() override { sim_.Stop(); }

  ui::AppContext& Context() { return app_.Context(); }
  store::ProjectStationSettings& Settings() { return Context().Settings(); }
  TrainingFileLocation Location() { return TrainingFileOf(Context().Layout(), Settings()); }

  /// Writes the training file: "1" and the texts of each row, header first.
  void WriteTrainingFile(const std::vector<std::vector<std::string>>& rows) {
    std::string text =
        "Stat\tPt. Name\tHa(gons)\tVa(gons)\tSD(m)\tEasting(m)\tNorthing(m)\tRL(m)\tPrismType\tPrism "
        "Type\r\n";
    for (const auto& row : rows) text += "1\t" + platform::Join(row, "\t") + "\r\n";
    platform::CreateFolder(Location().folder);
    ASSERT_TRUE(platform::WriteUtf16FileAtomic(Location().file, text));
  }
  std::string TrainingFileText() { return platform::ReadUtf16File(Location().file).value_or("<none>"); }

  /// Turns the telescope to a circle reading (not relative to the orientation) and searches.
  void PointAt(double haGon, double vaGon) {
    bool done = false;
    Context().Engine().TurnTo(
        haGon, vaGon, [&] { done = true; }, false, true);
    ASSERT_TRUE(loop_.RunUntil([&] { return done; }, 200000));
  }

  /// The card's folder below the device root, created.
  std::filesystem::path Card() {
    const auto card = dir_.path() / "device" / "Storage Card";
    std::filesystem::create_directories(card);
    return card;
  }

  /// Runs the dialog with the script given so far; it is closed at the end of the script.
  int RunTraining() {
    host_.Close();
    return host_.Run(dialog_);
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const TrainingPoint& p : dialog_.List()->Rows()) names.push_back(p.name);
    return names;
  }
  const TrainingPoint& Row(std::size_t i) { return dialog_.List()->Rows().at(i); }
  std::string LastMessage() const {
    const auto texts = host_.MessageTexts();
    return texts.empty() ? std::string() : texts.back();
  }
  int Beeps() const { return static_cast<int>(host_.Events(ui::HostEvent::Kind::Beep).size()); }
  /// The script waits until the measurement under way has completed.
  ScriptedHost& WaitMeasured() {
    return host_.WaitUntil("measurement completed", [this] { return !dialog_.MeasurementPending(); });
  }
  /// Goes to page P2 or P3 from P1.
  ScriptedHost& ToPage(int page) {
    for (int i = 1; i < page; ++i) host_.Press(TD::kPageKeyId);
    return host_;
  }

  vigil::test::TempFolder dir_;
  platform::EventLoop loop_;
  std::unique_ptr<platform::MessageBus> bus_;
  sim::VirtualSimClock simClock_;
  sim::Simulator sim_;
  ScriptedHost host_;
  ui::MonitoringApp app_;
  TD dialog_{Context()};
};

}  // namespace vigil::training::test
