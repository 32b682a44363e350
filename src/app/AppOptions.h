// The command line of VigilStation. --home and --device-root are read by
// platform::Paths::FromCommandLine; they are accepted here so they are not unknown.
// Arguments not starting with "--" are left to Qt (-platform offscreen, -style ...).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vigil::app {

inline constexpr double kMinScale = 1.0;
inline constexpr double kMaxScale = 8.0;
inline constexpr int kMaxDemoDays = 366;

struct AppOptions {
  std::string home;
  std::string deviceRoot;
  std::string runtimeDir;   ///< folder of the socket transport; empty: the default one
  std::string simScenario;  ///< scenario file of the embedded simulator; empty: none
  double scale = 1.0;       ///< window scale for desktop screens (1 = the controller's pixels)
  std::string demoFolder;   ///< --demo: run the headless demo into this folder; empty: the window
  int demoDays = 3;         ///< simulated days of the demo
  bool noScreens = false;   ///< the demo draws no pictures of the screens
  bool linkTrace = true;    ///< the window program traces the link into the program folder's Trace
  bool resume = false;      ///< --resume: take monitoring up again where a stopped run left it
  bool noWindow = false;    ///< --no-window: no screen; the schedule alone drives the monitoring screens
  bool help = false;
  std::string error;  ///< why the command line was refused; empty when it is fine
};

AppOptions ParseAppOptions(const std::vector<std::string_view>& arguments);

/// The --help text.
std::string UsageText();

}  // namespace vigil::app
