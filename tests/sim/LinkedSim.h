// The program's side (link, measuring engine, a main window) against the simulator on one
// virtual clock and an in-process bus: the setting of every end-to-end test of the link.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "link/BasicModeLink.h"
#include "link/InstrumentSettings.h"
#include "link/MeasurementEngine.h"
#include "link/Notices.h"
#include "platform/EventLoop.h"
#include "platform/WindowMessages.h"
#include "sim/Simulator.h"
#include "store/ProjectStationSettings.h"

namespace vigil::sim::test {

struct NoticeLog final : link::Notices {
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  void Beep(link::BeepKind) override { ++beeps; }
  std::vector<std::string> messages;
  int beeps = 0;
};

class LinkedSim {
 public:
  explicit LinkedSim(Scenario scenario, std::uint32_t startTick = 0)
      : loop_(std::make_unique<platform::VirtualTimeDriver>(startTick)),
        clock_(*loop_.Virtual()),
        bus_(platform::MakeInProcessBus()),
        sim_(*bus_, simClock_, std::move(scenario)),
        link_(loop_, *bus_) {
    sim_.Start();
    window_.owner = this;
    handle_ = loop_.AddWindow(&window_);
    engine_ = std::make_unique<link::MeasurementEngine>(loop_, handle_, link_, notices_, station_);
    settings_ = std::make_unique<link::InstrumentSettings>(*engine_, link_, notices_);
  }
  ~LinkedSim() {
    loop_.RemoveWindow(handle_);
    sim_.Stop();
  }

  /// The project-station of the program: the simulator's station, circle zero and atmosphere
  /// as an operator would have set them up.
  void SetUpStationLikeTheSite() {
    const Scenario& s = sim_.scenario();
    station_.easting = s.station.eastingMetres;
    station_.northing = s.station.northingMetres;
    station_.reduced_level = s.station.levelMetres;
    station_.orientation = s.circleZeroGon;
    station_.temperature = s.temperatureC;
    station_.pressure = s.pressureHpa;
  }

  /// Turns to a grid direction, searches and measures; true when the completion reported 0.
  bool MeasurePrism(std::string_view name, double gridHaGon, double vaGon, int prismType) {
    engine_->SetPrismContext(name, prismType);
    bool done = false;
    engine_->TurnTo(
        gridHaGon, vaGon, [&] { done = true; }, true, true);
    return loop_.RunUntil([&] { return done; }, 200000) && engine_->ReadingResult() == 0;
  }

  std::vector<std::string> CommandsReceived() const {
    std::vector<std::string> commands;
    for (const auto& entry : sim_.log().All()) commands.push_back(entry.bytes);
    return commands;
  }

  platform::EventLoop loop_;
  platform::VirtualTimeDriver& clock_;
  std::unique_ptr<platform::MessageBus> bus_;
  VirtualSimClock simClock_{clock_};
  Simulator sim_;
  link::BasicModeLink link_;
  NoticeLog notices_;
  store::ProjectStationSettings station_;
  std::unique_ptr<link::MeasurementEngine> engine_;
  std::unique_ptr<link::InstrumentSettings> settings_;

 private:
  struct MainWindow : platform::Window {
    LinkedSim* owner = nullptr;
    void OnTimer(int) override {
      if (!owner->engine_->OnTimer()) owner->settings_->OnTimer();
    }
  };
  MainWindow window_;
  platform::WindowHandle handle_ = 0;
};

}  // namespace vigil::sim::test
