#include "app/StationHooks.h"

#include <optional>
#include <string>

#include "monitoring/FolderBrowserDialog.h"
#include "platform/DialogResult.h"
#include "platform/EventLoop.h"

namespace vigil::app {

StationHooks::StationHooks() {
  // The training file goes to the folder the operator picks, as the cycle files do.
  training_.SetFolderBrowser([](ui::AppContext& context) -> std::optional<std::string> {
    monitoring::FolderBrowserDialog browser(context);
    if (context.Host().RunModal(browser) != platform::kIdOk) return std::nullopt;
    return browser.SelectedPath();
  });
}

void StationHooks::OpenTraining(ui::MainWindow& window) {
  training_.Open(window.Context());
}

void StationHooks::OpenOrientation(ui::MainWindow& window) {
  orientation_.Open(window.Context());
}

void StationHooks::OnScheduleTick(ui::MainWindow& window) {
  monitoring_.OnScheduleTick(window);
  ui::AppContext& context = window.Context();
  replication_.OnTick(context.Layout(), context.Loop().Time().ElapsedMs());
}

bool StationHooks::OnCycleStored(ui::MainWindow& window, const std::filesystem::path& cycleFile) {
  ui::AppContext& context = window.Context();
  const bool stored = results_.Store(cycleFile, context.Settings(), context.Layout());
  if (stored) replication_.OnCycleStored(context.Layout(), context.Loop().Time().ElapsedMs());
  return stored;
}

}  // namespace vigil::app
