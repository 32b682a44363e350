// The plan view of a station's points: each at its latest position (easting right, northing up)
// with its plan displacement drawn as a vector, enlarged to be seen, coloured by its open level.
#pragma once

#include <string>
#include <vector>

#include "web/DashboardData.h"

namespace vigil::web {

/// An inline SVG; each point links to `pointLinkPrefix` + its encoded name.
std::string PlanSvg(const std::vector<PointRow>& points, const std::string& pointLinkPrefix);

}  // namespace vigil::web
