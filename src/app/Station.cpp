#include "app/Station.h"

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "app/InstrumentBus.h"
#include "app/StationHooks.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "platform/WindowMessages.h"
#include "store/StorageLayout.h"
#include "ui/MonitoringApp.h"
#include "ui/qt/QtHost.h"
#include "ui/qt/QtTimeDriver.h"

namespace vigil::app {

namespace {

void Say(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
}

// The one place the main window is made: everything else of the program hangs off it.
int RunMainWindow(platform::EventLoop& loop, platform::MessageBus& bus, platform::DialogHost& host,
                  const platform::Paths& paths) {
  ui::MonitoringApp app(loop, bus, host, store::StorageLayout(paths));
  StationHooks hooks;
  app.SetHooks(&hooks);
  return app.Run();
}

}  // namespace

int RunStation(const AppOptions& options, const platform::Paths& paths) {
  platform::EventLoop loop(std::make_unique<ui::qt::QtTimeDriver>());
  ui::qt::QtHost host(loop, paths.DeviceRoot());

  const std::filesystem::path runtime = options.runtimeDir.empty()
                                            ? platform::DefaultRuntimeFolder()
                                            : platform::PathFromText(options.runtimeDir);
  InstrumentBus instrument;
  std::string error;
  if (!OpenInstrumentBus(platform::MakeSocketBus(runtime), platform::PathFromText(options.simScenario),
                         instrument, error)) {
    Say("VigilStation: " + error);
    return 1;
  }
  switch (instrument.source) {
    case InstrumentSource::BasicMode:
      Say("VigilStation: Basic-mode application found in " + platform::PathText(runtime));
      break;
    case InstrumentSource::Simulator:
      Say("VigilStation: simulated instrument from " + options.simScenario);
      break;
    case InstrumentSource::NotFoundYet:
      Say("VigilStation: no Basic-mode application in " + platform::PathText(runtime) + " yet");
      break;
  }
  RunMainWindow(loop, *instrument.bus, host, paths);
  return 0;
}

}  // namespace vigil::app
