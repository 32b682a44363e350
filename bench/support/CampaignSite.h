// The site of the long simulated campaign: many monitoring prisms all around one station,
// the project-station set up for it, and the training file a training session would leave.
#pragma once

#include <string>

#include "sim/Scenario.h"
#include "store/ProjectStationSettings.h"

namespace vigil::bench {

/// How much a campaign measures.
struct CampaignShape {
  int days = 30;
  int cyclesPerDay = 6;  ///< must divide 24: cycles from 01:00 every 24 / cyclesPerDay hours
  int prisms = 50;
  int faces = 2;  ///< 1: face 1 only; 2: all points in face 1, then all in face 2
  int repeats = 3;
};

long long ReadingsPerCycle(const CampaignShape& shape);
long long ExpectedReadings(const CampaignShape& shape);

/// `prismCount` monitoring prisms spread evenly in direction around the station, at 60 m to
/// 300 m and a few metres above or below it; every fifth one drifts slowly. The circle's zero
/// is turned away from grid north so the orientation matters.
sim::Scenario CampaignSite(int prismCount);

/// Smallest difference in direction (gon) between two prisms seen from the station, across
/// the 0/400 seam; 400 for fewer than two prisms. A search wider than twice this may centre on
/// a neighbour.
double SmallestSeparationGon(const sim::Scenario& site);

/// The station, circle zero and atmosphere as the site's; the reading plan of `shape`;
/// interval mode with its cycle list.
void SetUpCampaign(store::ProjectStationSettings& s, const sim::Scenario& site, const CampaignShape& shape);

/// The training file text of the site's prisms at their positions at the epoch, in the
/// display units of `s`, as a training session stores it.
std::string TrainingTextOf(const store::ProjectStationSettings& s, const sim::Scenario& site);

}  // namespace vigil::bench
