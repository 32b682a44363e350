// The window program once Qt is up: the real-time loop, the Qt host, the instrument's bus
// and the main window, run until the main window closes.
#pragma once

#include "app/AppOptions.h"
#include "platform/Paths.h"

namespace vigil::app {

/// Runs the program; returns its exit code. A QApplication must exist.
int RunStation(const AppOptions& options, const platform::Paths& paths);

}  // namespace vigil::app
