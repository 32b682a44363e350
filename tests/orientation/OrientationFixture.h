// The program (MonitoringApp and its context) against the simulated instrument on one virtual
// clock, with a training file of the site's prisms, for driving the orientation screens.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "orientation/OrientationDialog.h"
#include "orientation/ResectionState.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/WindowMessages.h"
#include "sim/SimClock.h"
#include "sim/Simulator.h"
#include "survey/Coordinates.h"
#include "survey/Units.h"
#include "training/TrainingStore.h"
#include "ui/MonitoringApp.h"
#include "ui/scripted/ScriptedHost.h"

namespace vigil::orientation::test {

using OD = OrientationDialog;

inline constexpr double kTrueCircleZeroGon = 123.4567;

/// A station at (1000, 2000, 101.5) whose circle reads 123.4567 gon at grid north, and reference
/// prisms around it, the last two close together in direction.
inline sim::Scenario Site(bool noise) {
  sim::Scenario s;
  s.station = {1000.0, 2000.0, 101.5};
  s.circleZeroGon = kTrueCircleZeroGon;
  if (!noise) {
    s.angleNoiseMgon = 0.0;
    s.distanceNoiseMm = 0.0;
    s.distanceNoisePpm = 0.0;
    s.tiltNoiseMgon = 0.0;
  }
  s.searchFieldGon = 1.0;
  s.prisms.push_back({"REF1", sim::PrismType::kReference, -30.0, {1100.0, 2050.0, 102.0}, {}, {}});
  s.prisms.push_back({"REF2", sim::PrismType::kReference, -30.0, {950.0, 2120.0, 98.0}, {}, {}});
  s.prisms.push_back({"REF3", sim::PrismType::kReference, -30.0, {880.0, 1900.0, 103.0}, {}, {}});
  s.prisms.push_back({"CTRL", sim::PrismType::kReference, -30.0, {1010.0, 1880.0, 101.5}, {}, {}});
  // 60 m out in nearly the same direction as CTRL: mistaken for it, or it for this.
  s.prisms.push_back({"NEAR", sim::PrismType::kReference, -30.0, {1005.5, 1940.2, 101.5}, {}, {}});
  return s;
}

class OrientationFixture : public ::testing::Test {
 protected:
  explicit OrientationFixture(bool noise = false)
      : loop_(std::make_unique<platform::VirtualTimeDriver>()),
        bus_(platform::MakeInProcessBus()),
        simClock_(*loop_.Virtual()),
        sim_(*bus_, simClock_, Site(noise)),
        host_(loop_),
        app_(loop_, *bus_, host_,
             store::StorageLayout(platform::Paths(dir_.path(), dir_.path() / "device"))) {
    host_.SetFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
    EXPECT_TRUE(sim_.Start());
    EXPECT_TRUE(Context().Link().Connect());
    store::ProjectStationSettings& s = Settings();
    s.temperature = sim_.scenario().temperatureC;
    s.pressure = sim_.scenario().pressureHpa;
  }
  ~OrientationFixture() override { sim_.Stop(); }

  ui::AppContext& Context() { return app_.Context(); }
  store::ProjectStationSettings& Settings() { return Context().Settings(); }
  training::TrainingFileLocation TrainingFile() {
    return training::TrainingFileOf(Context().Layout(), Settings());
  }

  /// Where the program puts the station before it is oriented: somewhere else entirely.
  void StationUnknown() {
    Settings().easting = 30000.0;
    Settings().northing = 30000.0;
    Settings().reduced_level = 100.0;
    Settings().orientation = 0.0;
  }
  /// The true station, with the program's orientation off the circle's by `offGon`.
  void StationKnown(double offGon) {
    Settings().easting = 1000.0;
    Settings().northing = 2000.0;
    Settings().reduced_level = 101.5;
    Settings().orientation = kTrueCircleZeroGon - offGon;
  }

  /// The true observation of a prism from the true station (grid Ha).
  survey::Observation TrueObservation(const std::string& name) const {
    for (const sim::Prism& p : sim_.scenario().prisms) {
      if (p.name == name) {
        return survey::ComputeHaVaSd({1000.0, 2000.0, 101.5}, p.truth.eastingMetres, p.truth.northingMetres,
                                     p.truth.levelMetres);
      }
    }
    ADD_FAILURE() << "no prism " << name;
    return {};
  }

  /// Writes the training file: the named prisms with their true coordinates and observations.
  void Train(const std::vector<std::string>& names) {
    const store::ProjectStationSettings& s = Settings();
    training::TrainingStore list(s, TrainingFile());
    for (const std::string& name : names) {
      for (const sim::Prism& p : sim_.scenario().prisms) {
        if (p.name != name) continue;
        const survey::Observation o = TrueObservation(name);
        list.AddTrainingRow(name, survey::FormatAngle(s, o.haGon, survey::AngleFormat::Current, false),
                            survey::FormatAngle(s, o.vaGon, survey::AngleFormat::Current, false),
                            survey::FormatDistance(s, o.sdMetres),
                            survey::FormatDistance(s, p.truth.eastingMetres),
                            survey::FormatDistance(s, p.truth.northingMetres),
                            survey::FormatDistance(s, p.truth.levelMetres), "0");
      }
    }
    ASSERT_TRUE(list.SaveTrainingFile());
  }
  std::vector<training::TrainingPoint> TrainingRows() {
    training::TrainingStore list(Settings(), TrainingFile());
    list.LoadTrainingFile();
    return list.Rows();
  }

  /// Turns the telescope at a prism, as the operator does by hand before measuring.
  void StartTurnTo(const std::string& name) {
    const survey::Observation o = TrueObservation(name);
    const double circleHa = survey::NormaliseAngle(o.haGon + kTrueCircleZeroGon);
    Context().Engine().TurnTo(survey::NormaliseAngle(circleHa - Settings().orientation), o.vaGon, nullptr,
                              false, false);
  }
  ui::ScriptedHost& ScriptPointAt(const std::string& name) {
    link::MeasurementEngine& engine = Context().Engine();
    return host_.Do("turn to " + name, [this, name] { StartTurnTo(name); })
        .WaitUntil("the telescope still", [&engine] { return !engine.Turning() && !engine.Measuring(); });
  }

  /// Selects the training row of `name` and measures it for a resection (pointing confirmed).
  ui::ScriptedHost& ScriptResectionOn(const std::string& name) {
    return ScriptPointAt(name)
        .SelectText(OD::kListId, name)
        .PressSoftKey(2)
        .AnswerMessageBox("Please make sure that the instrument is now pointing to " + name + ". Continue?",
                          platform::kIdYes);
  }

  std::string StationFileText() {
    return platform::ReadUtf16File(Context().Store().StationFilePath()).value_or("");
  }
  std::string LastMessage() const {
    const auto texts = host_.MessageTexts();
    return texts.empty() ? std::string() : texts.back();
  }

  vigil::test::TempFolder dir_;
  platform::EventLoop loop_;
  std::unique_ptr<platform::MessageBus> bus_;
  sim::VirtualSimClock simClock_;
  sim::Simulator sim_;
  ui::ScriptedHost host_;
  ui::MonitoringApp app_;
  ResectionState state_;
};

}  // namespace vigil::orientation::test
