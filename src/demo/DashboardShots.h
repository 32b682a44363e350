// Pictures of vigil-web for the demo: the program started on the demo's results database on a
// free loopback port, the overview and one point's plots taken in headless Chromium by a
// Playwright script, and the program stopped. Without Chromium (or Node) the demo says so and
// goes on.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vigil::demo {

struct DashboardPaths {
  std::filesystem::path vigilWeb;     ///< the vigil-web program
  std::filesystem::path script;       ///< dashboard_shots.cjs
  std::filesystem::path nodeModules;  ///< where playwright-core is installed
  std::filesystem::path chromium = "/usr/bin/chromium";
};

/// As built: the programs and script of this build tree.
DashboardPaths BuiltDashboardPaths();

struct DashboardShots {
  std::vector<std::filesystem::path> pictures;  ///< dashboard-overview.png, dashboard-point.png
  std::string note;                             ///< why there are none, for the demo's text
};

/// Pictures of the station's dashboard and of `point`'s plots in `folder` (without a point
/// named, of the one with the largest step between two successive cycles), with the limits of
/// `alarms` drawn when that file is there.
DashboardShots TakeDashboardShots(const DashboardPaths& paths, const std::filesystem::path& database,
                                  const std::filesystem::path& alarms, const std::string& project,
                                  const std::string& station, const std::string& point,
                                  const std::filesystem::path& folder);

}  // namespace vigil::demo
