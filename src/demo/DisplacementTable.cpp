#include "demo/DisplacementTable.h"

#include <algorithm>
#include <cmath>

#include "platform/Format.h"
#include "sim/Motion.h"
#include "survey/Units.h"

namespace vigil::demo {

namespace {

constexpr double kMmPerMetre = 1000.0;
constexpr double kRadiansPerGon = 3.14159265 / 200.0;
/// Farther than this from every simulated prism, a trained point was not trained on one.
constexpr double kMatchRadiusMetres = 0.5;
/// Standard deviations allowed.
constexpr double kSigmas = 3.0;

double Distance(const sim::GridPoint& a, const sim::GridPoint& b) {
  return std::sqrt(std::pow(a.eastingMetres - b.eastingMetres, 2) +
                   std::pow(a.northingMetres - b.northingMetres, 2) +
                   std::pow(a.levelMetres - b.levelMetres, 2));
}

Shift Between(const sim::GridPoint& from, const sim::GridPoint& to) {
  return {(to.eastingMetres - from.eastingMetres) * kMmPerMetre,
          (to.northingMetres - from.northingMetres) * kMmPerMetre,
          (to.levelMetres - from.levelMetres) * kMmPerMetre};
}

// Mean distance of the reference prisms from the true station; the farthest prism without any.
double ReferenceDistance(const sim::Scenario& site) {
  double sum = 0.0;
  double farthest = 0.0;
  int count = 0;
  for (const sim::Prism& p : site.prisms) {
    const double d = Distance(site.station, p.truth);
    farthest = std::max(farthest, d);
    if (p.type != sim::PrismType::kReference) continue;
    sum += d;
    ++count;
  }
  return count > 0 ? sum / count : farthest;
}

bool TrainedPosition(const training::TrainingPoint& p, sim::GridPoint& out) {
  return platform::ScanDouble(p.easting, out.eastingMetres) &&
         platform::ScanDouble(p.northing, out.northingMetres) && platform::ScanDouble(p.rl, out.levelMetres);
}

const sim::Prism* NearestPrism(const sim::Scenario& site, const sim::GridPoint& at, std::int64_t whenMs) {
  const sim::Prism* best = nullptr;
  double bestMetres = kMatchRadiusMetres;
  for (const sim::Prism& p : site.prisms) {
    const double d = Distance(sim::PositionAt(p, site.epochMs, whenMs), at);
    if (d <= bestMetres) {
      bestMetres = d;
      best = &p;
    }
  }
  return best;
}

std::string Mm(double value) {
  return platform::Format("%7.2lf", {value});
}

}  // namespace

// One reading's coordinate error along any axis, at distance D:
//   s(D) = hypot(D * angle noise (rad), distance noise + ppm noise * D).
// A reported displacement is a cycle reading minus the training reading (2 s(D)^2), both
// reduced from stations that two resections on the reference prisms (distance R) put in
// place: the second station is off the first by about s(R), its orientation by about
// sqrt(2) s(R) / R, which moves a point D away by sqrt(2) s(R) D / R. So
//   tolerance = 3 * sqrt(2 s(D)^2 + s(R)^2 + (sqrt(2) s(R) D / R)^2).
double ToleranceMm(const sim::Scenario& site, double distanceMetres, double referenceMetres) {
  const auto reading = [&site](double d) {
    const double angleMm = d * site.angleNoiseMgon * 0.001 * kRadiansPerGon * kMmPerMetre;
    const double distanceMm = site.distanceNoiseMm + site.distanceNoisePpm * d * 0.001;
    return std::hypot(angleMm, distanceMm);
  };
  const double s = reading(distanceMetres);
  const double r = reading(referenceMetres);
  const double turned = referenceMetres > 0.0 ? std::sqrt(2.0) * r * distanceMetres / referenceMetres : 0.0;
  return kSigmas * std::sqrt(2.0 * s * s + r * r + turned * turned);
}

DisplacementTable CompareDisplacements(const sim::Scenario& site,
                                       const std::vector<training::TrainingPoint>& trained,
                                       std::int64_t trainedAtMs, const CycleFileSummary& cycles) {
  DisplacementTable table;
  const double referenceMetres = ReferenceDistance(site);
  for (const training::TrainingPoint& point : trained) {
    DisplacementRow row;
    row.point = point.name;
    const auto failed = cycles.failedByPoint.find(point.name);
    row.failedLines = failed != cycles.failedByPoint.end() ? failed->second : 0;
    sim::GridPoint trainedAt;
    const sim::Prism* prism =
        TrainedPosition(point, trainedAt) ? NearestPrism(site, trainedAt, trainedAtMs) : nullptr;
    const auto good = cycles.lastGood.find(point.name);
    row.measured = good != cycles.lastGood.end();
    if (prism != nullptr) {
      row.simPrism = prism->name;
      row.toleranceMm = ToleranceMm(site, Distance(site.station, prism->truth), referenceMetres);
      table.toleranceMm = std::max(table.toleranceMm, row.toleranceMm);
    }
    if (prism == nullptr || !row.measured) {
      ++table.outside;
      table.rows.push_back(row);
      continue;
    }
    const GoodReading& g = good->second;
    row.reported = Between(trainedAt, {g.eastingMetres, g.northingMetres, g.rlMetres});
    row.simulated = Between(sim::PositionAt(*prism, site.epochMs, trainedAtMs),
                            sim::PositionAt(*prism, site.epochMs, g.localMs));
    row.error = {row.reported.eMm - row.simulated.eMm, row.reported.nMm - row.simulated.nMm,
                 row.reported.rlMm - row.simulated.rlMm};
    row.largestErrorMm =
        std::max({std::fabs(row.error.eMm), std::fabs(row.error.nMm), std::fabs(row.error.rlMm)});
    table.largestError.eMm = std::max(table.largestError.eMm, std::fabs(row.error.eMm));
    table.largestError.nMm = std::max(table.largestError.nMm, std::fabs(row.error.nMm));
    table.largestError.rlMm = std::max(table.largestError.rlMm, std::fabs(row.error.rlMm));
    if (!(row.largestErrorMm <= row.toleranceMm)) ++table.outside;
    table.rows.push_back(row);
  }
  return table;
}

std::string FormatTable(const DisplacementTable& table) {
  std::string text =
      "point   sim     |   reported (mm)       |   simulated (mm)      |   error (mm)          | largest   "
      "tol"
      "  failed\n"
      "                |    dE     dN    dRL   |    dE     dN    dRL   |    dE     dN    dRL   |  (mm)    "
      "(mm)\n";
  const auto three = [](const Shift& s) { return Mm(s.eMm) + Mm(s.nMm) + Mm(s.rlMm) + "  |"; };
  for (const DisplacementRow& r : table.rows) {
    text +=
        platform::Format("%-7s %-7s |", {r.point, r.simPrism.empty() ? std::string_view("?") : r.simPrism});
    if (!r.measured || r.simPrism.empty()) {
      text += r.simPrism.empty() ? " no simulated prism at its trained position" : " no good reading";
      text += platform::Format("  failed %d  OUTSIDE\n", {r.failedLines});
      continue;
    }
    text += three(r.reported) + three(r.simulated) + three(r.error);
    text += Mm(r.largestErrorMm) + Mm(r.toleranceMm) + platform::Format("  %4d", {r.failedLines});
    text += r.largestErrorMm <= r.toleranceMm ? "\n" : "  OUTSIDE\n";
  }
  text += platform::Format(
      "largest error (mm): dE %.2lf  dN %.2lf  dRL %.2lf; tolerance up to %.2lf mm; %d outside\n",
      {table.largestError.eMm, table.largestError.nMm, table.largestError.rlMm, table.toleranceMm,
       table.outside});
  return text;
}

}  // namespace vigil::demo
