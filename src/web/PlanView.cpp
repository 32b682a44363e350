#include "web/PlanView.h"

#include <algorithm>
#include <cmath>

#include "platform/Format.h"
#include "web/DashboardJson.h"
#include "web/HtmlText.h"
#include "web/RequestTarget.h"

namespace vigil::web {

namespace {

constexpr double kWidth = 640.0, kHeight = 480.0, kMargin = 40.0;

std::string F(double v) {
  return platform::FormatFixed(v, 1);
}

}  // namespace

std::string PlanSvg(const std::vector<PointRow>& points, const std::string& pointLinkPrefix) {
  double minE = 1e300, maxE = -1e300, minN = 1e300, maxN = -1e300, largestMm = 0.0;
  int placed = 0;
  for (const PointRow& row : points) {
    const results::StoredPoint& p = row.latest;
    if (!p.positioned) continue;
    ++placed;
    minE = std::min(minE, p.eastingMetres), maxE = std::max(maxE, p.eastingMetres);
    minN = std::min(minN, p.northingMetres), maxN = std::max(maxN, p.northingMetres);
    if (p.hasDisplacement) largestMm = std::max(largestMm, std::hypot(p.eastMm, p.northMm));
  }
  std::string out = platform::Format(
      "<svg class=\"plan\" viewBox=\"0 0 %d %d\" role=\"img\" aria-label=\"plan view of the points\">",
      {static_cast<int>(kWidth), static_cast<int>(kHeight)});
  if (placed == 0) return out + "<text x=\"20\" y=\"40\">No point positioned yet.</text></svg>";
  // One scale for both axes, so that directions on the plan are true.
  const double scale = std::min((kWidth - 2 * kMargin) / std::max(maxE - minE, 1.0),
                                (kHeight - 2 * kMargin) / std::max(maxN - minN, 1.0));
  const double cx = (minE + maxE) / 2, cy = (minN + maxN) / 2;
  auto X = [&](double e) { return kWidth / 2 + (e - cx) * scale; };
  auto Y = [&](double n) { return kHeight / 2 - (n - cy) * scale; };
  // The largest vector is drawn 60 px long.
  const double pxPerMm = largestMm > 0 ? 60.0 / largestMm : 0.0;
  for (const PointRow& row : points) {
    const results::StoredPoint& p = row.latest;
    if (!p.positioned) continue;
    const double x = X(p.eastingMetres), y = Y(p.northingMetres);
    out += "<a href=\"" + Html(pointLinkPrefix + EncodeSegment(p.point)) + "\"><g class=\"pt level-" +
           (row.level >= 0 ? std::string(OpenLevelName(row.level)) : std::string("none")) +
           (p.reference ? " ref" : "") + "\"><title>" + Html(p.point) + "</title>";
    if (p.hasDisplacement && std::hypot(p.eastMm, p.northMm) * pxPerMm >= 2.0) {
      out += "<line class=\"vec\" x1=\"" + F(x) + "\" y1=\"" + F(y) + "\" x2=\"" + F(x + p.eastMm * pxPerMm) +
             "\" y2=\"" + F(y - p.northMm * pxPerMm) + "\" marker-end=\"url(#arrow)\"/>";
    }
    out += "<circle cx=\"" + F(x) + "\" cy=\"" + F(y) + "\" r=\"5\"/><text x=\"" + F(x + 7) + "\" y=\"" +
           F(y - 7) + "\">" + Html(p.point) + "</text></g></a>";
  }
  out +=
      "<defs><marker id=\"arrow\" viewBox=\"0 0 10 10\" refX=\"9\" refY=\"5\" markerWidth=\"6\" "
      "markerHeight=\"6\" orient=\"auto\"><path d=\"M0,0 L10,5 L0,10 z\"/></marker></defs>";
  out += platform::Format("<text class=\"legend\" x=\"10\" y=\"%d\">", {static_cast<int>(kHeight) - 10}) +
         (largestMm > 0 ? "vectors: " + platform::FormatFixed(largestMm, 1) + " mm drawn 60 px long; " : "") +
         "grid: " + platform::FormatFixed(60.0 / scale, 1) + " m per 60 px</text></svg>";
  return out;
}

}  // namespace vigil::web
