// What leaves the results database for the office: CSV (one row per point and cycle),
// GeoJSON (every point with its latest displacement) and a readable report of a period.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "results/ResultsDatabase.h"

namespace vigil::results {

/// "2026-12-08T09:00:00" of a local time in ms since 1970.
std::string LocalTimeText(std::int64_t localMs);

/// Header and one row per point result; texts quoted where CSV needs it, numbers with '.'.
std::string ExportCsv(const std::vector<StoredPoint>& points);

/// A FeatureCollection of each point's latest result, coordinates in the station's local grid
/// (easting, northing, level in metres).
std::string ExportGeoJson(const std::vector<StoredPoint>& points, const std::string& project,
                          const std::string& station);

/// A summary of the cycles and points of a period.
std::string Report(const std::vector<StoredCycle>& cycles, const std::vector<StoredPoint>& points,
                   const std::string& project, const std::string& station);

}  // namespace vigil::results
