#include "app/Station.h"

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "app/InstrumentBus.h"
#include "app/ServiceNotifier.h"
#include "app/StationHooks.h"
#include "link/LinkTrace.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "platform/FolderLock.h"
#include "platform/WindowMessages.h"
#include "store/Placeholders.h"
#include "store/StorageLayout.h"
#include "store/Translations.h"
#include "ui/MonitoringApp.h"
#include "ui/qt/QtHost.h"
#include "ui/qt/QtTimeDriver.h"
#include "ui/scripted/ScriptedHost.h"

namespace vigil::app {

namespace {

void Say(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
}

// The one place the main window is made: everything else of the program hangs off it.
int RunMainWindow(platform::EventLoop& loop, platform::MessageBus& bus, platform::DialogHost& host,
                  const platform::Paths& paths, bool linkTrace, bool resume) {
  const store::StorageLayout layout(paths);
  // Made before the app and gone after it: the link's last words at its end are traced too.
  std::unique_ptr<link::LinkTrace> trace;
  if (linkTrace) trace = std::make_unique<link::LinkTrace>(loop, layout.TraceFolder());
  int result = 0;
  {
    ui::MonitoringApp app(loop, bus, host, layout);
    StationHooks hooks;
    app.SetHooks(&hooks);
    app.Window().SetResumeAtStart(resume);
    app.Context().Link().SetObserver(trace.get());
    hooks.StartAlarms(app.Context());
    ServiceNotifier service(loop);
    service.Start();
    result = app.Run();
  }
  if (trace && trace->DroppedEntries() > 0) {
    Say("VigilStation: the link trace stopped writing; " + std::to_string(trace->DroppedEntries()) +
        " entries were not written");
  }
  return result;
}

}  // namespace

int RunStation(const AppOptions& options, const platform::Paths& paths) {
  // Held until the program ends: a second program on this folder would count the same cycle
  // files and write into the first one's.
  const platform::FolderLock lock(paths.ProgramFolder());
  if (!lock.Held()) {
    const store::StorageLayout layout(paths);
    std::string text = store::Translate(
        layout.TranslationsFilePath(), "IDS_MAIN_MSGBOX_FOLDER_IN_USE",
        "The program folder {folder} is in use by process {pid}. Only one VigilStation may run on a program "
        "folder.");
    const std::string folder = platform::PathText(paths.ProgramFolder());
    const std::string pid = lock.HolderPid() > 0 ? std::to_string(lock.HolderPid()) : std::string("?");
    text = store::FillPlaceholders(text, {{"{folder}", folder}, {"{pid}", pid}});
    Say("VigilStation: " + (lock.Error().empty() ? text : lock.Error()));
    return 1;
  }
  // Without a window nobody answers a box or presses a key: the host answers every box with
  // its default and says so on standard error, and only the schedule opens the screens.
  std::unique_ptr<platform::EventLoop> loop;
  std::unique_ptr<platform::DialogHost> host;
  if (options.noWindow) {
    loop = std::make_unique<platform::EventLoop>(std::make_unique<platform::RealTimeDriver>());
    auto scripted = std::make_unique<ui::ScriptedHost>(*loop);
    scripted->SetFailureHandler([](const std::string& what) { Say("VigilStation: " + what); });
    scripted->WaitUntil(
        "the service stopped", [] { return false; }, UINT64_MAX / 4);
    host = std::move(scripted);
    if (!options.resume) Say("VigilStation: no window and no --resume: nothing will start monitoring");
  } else {
    loop = std::make_unique<platform::EventLoop>(std::make_unique<ui::qt::QtTimeDriver>());
    host = std::make_unique<ui::qt::QtHost>(*loop, paths.DeviceRoot());
  }

  const std::filesystem::path runtime = options.runtimeDir.empty()
                                            ? platform::DefaultRuntimeFolder()
                                            : platform::PathFromText(options.runtimeDir);
  InstrumentBus instrument;
  std::string error;
  auto socketBus = platform::MakeSocketBus(runtime, &error);
  if (!socketBus) {
    Say("VigilStation: " + error);
    return 1;
  }
  if (!OpenInstrumentBus(std::move(socketBus), platform::PathFromText(options.simScenario), instrument,
                         error)) {
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
  RunMainWindow(*loop, *instrument.bus, *host, paths, options.linkTrace, options.resume);
  return 0;
}

}  // namespace vigil::app
