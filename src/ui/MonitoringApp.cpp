#include "ui/MonitoringApp.h"

namespace vigil::ui {

MonitoringApp::MonitoringApp(platform::EventLoop& loop, platform::MessageBus& bus, platform::DialogHost& host,
                             store::StorageLayout layout)
    : host_(host),
      context_(std::make_unique<AppContext>(loop, bus, host, std::move(layout))),
      window_(std::make_unique<MainWindow>(*context_)) {}

MonitoringApp::~MonitoringApp() = default;

int MonitoringApp::Run() {
  return host_.RunModal(*window_);
}

}  // namespace vigil::ui
