// The whole program and the simulated instrument on one virtual clock: the main window with
// every subsystem's screens behind it, driven through the scripted host.
#pragma once

#include <filesystem>
#include <memory>

#include "app/StationHooks.h"
#include "demo/DemoSite.h"
#include "platform/EventLoop.h"
#include "platform/WindowMessages.h"
#include "sim/SimClock.h"
#include "sim/Simulator.h"
#include "ui/MonitoringApp.h"
#include "ui/scripted/ScriptedHost.h"

namespace vigil::demo {

class DemoWorld {
 public:
  /// `home`: the program folder; the device root is its "device" folder.
  DemoWorld(const DemoSite& site, const std::filesystem::path& home);
  ~DemoWorld();
  DemoWorld(const DemoWorld&) = delete;
  DemoWorld& operator=(const DemoWorld&) = delete;

  platform::EventLoop& Loop() { return loop_; }
  ui::ScriptedHost& Host() { return host_; }
  sim::Simulator& Sim() { return sim_; }
  ui::MonitoringApp& App() { return app_; }
  app::StationHooks& Hooks() { return hooks_; }
  const store::StorageLayout& Layout() { return app_.Context().Layout(); }
  std::filesystem::path DeviceRoot() const { return home_ / "device"; }

  /// The instrument's application is there; false when its window title is taken.
  bool Start() { return sim_.Start(); }

 private:
  std::filesystem::path home_;
  platform::EventLoop loop_;
  std::unique_ptr<platform::MessageBus> bus_;
  sim::VirtualSimClock simClock_;
  sim::Simulator sim_;
  ui::ScriptedHost host_;
  ui::MonitoringApp app_;
  app::StationHooks hooks_;
};

}  // namespace vigil::demo
