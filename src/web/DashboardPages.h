// The dashboard's HTML pages. Every name from the database is escaped; every link is built
// from encoded segments. The plots are drawn in the browser by the page's script from the JSON
// API, with the plotting library the program serves itself.
#pragma once

#include <string>
#include <vector>

#include "web/DashboardData.h"

namespace vigil::web {

/// "/s/PROJECT/STATION/" with both names encoded.
std::string StationPath(const StationKey& key);

std::string IndexPage(const std::vector<StationState>& stations);
std::string StationPage(const StationState& state, const std::vector<PointRow>& points,
                        const std::vector<EventRow>& events);
std::string PointPage(const StationKey& key, const PointRow& row);

}  // namespace vigil::web
