// The application object: builds the main window and its context and runs the window
// modally; when it closes, the program ends.
#pragma once

#include <memory>

#include "platform/DialogHost.h"
#include "platform/EventLoop.h"
#include "platform/WindowMessages.h"
#include "store/StorageLayout.h"
#include "ui/AppContext.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowHooks.h"

namespace vigil::ui {

class MonitoringApp {
 public:
  MonitoringApp(platform::EventLoop& loop, platform::MessageBus& bus, platform::DialogHost& host,
                store::StorageLayout layout);
  ~MonitoringApp();
  MonitoringApp(const MonitoringApp&) = delete;
  MonitoringApp& operator=(const MonitoringApp&) = delete;

  /// Installs the screens of later subsystems (kept by the caller, alive while the app is).
  void SetHooks(MainWindowHooks* hooks) { window_->SetHooks(hooks); }

  /// Runs the main window modally through the host; returns its result when it closed.
  int Run();

  MainWindow& Window() { return *window_; }
  AppContext& Context() { return *context_; }

 private:
  platform::DialogHost& host_;
  std::unique_ptr<AppContext> context_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace vigil::ui
