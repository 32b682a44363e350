#include "web/DashboardPages.h"

#include "platform/Format.h"
#include "results/Export.h"
#include "web/DashboardJson.h"
#include "web/HtmlText.h"
#include "web/PlanView.h"
#include "web/RequestTarget.h"

namespace vigil::web {

namespace {

std::string Page(const std::string& title, const std::string& body, bool plots) {
  std::string head =
      "<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\"><link rel=\"icon\" "
      "href=\"data:,\"><title>" +
      Html(title) + "</title><link rel=\"stylesheet\" href=\"/assets/dashboard.css\">";
  if (plots) {
    head +=
        "<link rel=\"stylesheet\" href=\"/assets/uPlot.min.css\"><script src=\"/assets/uPlot.iife.min.js\">"
        "</script><script src=\"/assets/dashboard.js\" defer></script>";
  }
  return head + "</head><body>" + body + "</body></html>";
}

std::string When(std::int64_t ms) {
  return ms > 0 ? Html(results::LocalTimeText(ms)) : "unknown";
}

std::string Mm(const results::StoredPoint& p, double v) {
  if (!p.hasDisplacement) return "";
  const std::string text = platform::FormatFixed(v, 1);
  return text == "-0.0" ? "0.0" : text;  // a sign on nothing reads as a movement
}

std::string LevelClass(OpenLevel level) {
  return level >= 0 ? std::string("level-") + OpenLevelName(level) : "level-none";
}

std::string StateTable(const StationState& s) {
  std::string out = "<table class=\"state\">";
  auto row = [&](const std::string& name, const std::string& value) {
    out += "<tr><th>" + name + "</th><td>" + value + "</td></tr>";
  };
  row("Cycles stored", platform::FormatInt(s.cycleCount));
  if (s.lastCycle) {
    const results::StoredCycle& c = *s.lastCycle;
    row("Last cycle", When(c.firstMs) + " (" + Html(c.key.file) + ")");
    row("Station corrected", c.corrected ? "yes" : "no: " + Html(c.uncorrectedWhy));
    row("References used", c.referencesUsed.empty() ? "none" : Html(c.referencesUsed));
    row("References excluded", c.referencesExcluded.empty() ? "none" : Html(c.referencesExcluded));
  } else {
    row("Last cycle", "none");
  }
  if (s.status) {
    row("Next cycle", When(s.status->nextCycleMs));
    row("Link", s.status->link.empty() ? "unknown" : Html(s.status->link));
    row("Status written", When(s.status->updatedMs));
  } else {
    row("Next cycle", "unknown");
    row("Link", "unknown");
  }
  return out + "</table>";
}

}  // namespace

std::string StationPath(const StationKey& key) {
  return "/s/" + EncodeSegment(key.project) + "/" + EncodeSegment(key.station) + "/";
}

std::string IndexPage(const std::vector<StationState>& stations) {
  std::string body = "<h1>VigilStation results</h1>";
  if (stations.empty()) body += "<p>No cycle stored yet.</p>";
  body += "<ul class=\"stations\">";
  for (const StationState& s : stations) {
    body += "<li><a href=\"" + Html(StationPath(s.key)) + "\">" + Html(s.key.project) + " " +
            Html(s.key.station) + "</a>: " + platform::FormatInt(s.cycleCount) + " cycles, last " +
            (s.lastCycle ? When(s.lastCycle->firstMs) : std::string("none")) +
            (s.status ? ", next " + When(s.status->nextCycleMs) + ", link " +
                            (s.status->link.empty() ? std::string("unknown") : Html(s.status->link))
                      : std::string()) +
            ", open level <span class=\"" + LevelClass(s.highestLevel) + "\">" +
            (s.highestLevel >= 0 ? OpenLevelName(s.highestLevel) : "none") + "</span></li>";
  }
  return Page("VigilStation results", body + "</ul>", false);
}

std::string StationPage(const StationState& state, const std::vector<PointRow>& points,
                        const std::vector<EventRow>& events) {
  const std::string base = StationPath(state.key);
  const std::string name = state.key.project + " " + state.key.station;
  std::string body = "<nav><a href=\"/\">Stations</a></nav><h1>" + Html(name) + "</h1>" + StateTable(state);
  body += "<p class=\"downloads\">Download: <a href=\"" + Html(base) +
          "results.csv\" download>CSV</a> · <a href=\"" + Html(base) +
          "results.geojson\" download>GeoJSON</a></p>";

  body +=
      "<h2>Points</h2><table class=\"points\"><thead><tr><th>Point</th><th>Open level</th><th>Last "
      "result</th><th>dE (mm)</th><th>dN (mm)</th><th>dH (mm)</th><th>Significant</th><th>Results</th>"
      "</tr></thead><tbody>";
  for (const PointRow& row : points) {
    const results::StoredPoint& p = row.latest;
    body += "<tr class=\"" + LevelClass(row.level) + "\" data-point=\"" + Html(p.point) +
            "\"><td><a href=\"" + Html(base + "point/" + EncodeSegment(p.point)) + "\">" + Html(p.point) +
            "</a>" + (p.reference ? " <small>(reference)</small>" : "") + "</td><td>" +
            (row.level >= 0 ? OpenLevelName(row.level) : "") + "</td><td>" + When(p.timeMs) +
            (p.positioned ? "" : " (not measured)") + "</td><td>" + Mm(p, p.eastMm) + "</td><td>" +
            Mm(p, p.northMm) + "</td><td>" + Mm(p, p.levelMm) + "</td><td>" +
            (p.hasDisplacement ? (p.significant ? "yes" : "no") : "") + "</td><td>" +
            platform::FormatInt(row.results) + "</td></tr>";
  }
  body += "</tbody></table>";

  body += "<h2>Plan</h2>" + PlanSvg(points, base + "point/");

  body += "<h2>Alarm events</h2>";
  if (events.empty()) {
    body += "<p>No events.</p>";
  } else {
    body +=
        "<table class=\"events\"><thead><tr><th>Time</th><th>Event</th><th>Point</th><th>Level</th>"
        "<th>Quantity</th><th>Value</th><th>Limit</th><th>Why</th></tr></thead><tbody>";
    for (const EventRow& e : events) {
      body += "<tr class=\"level-" + Html(e.level.empty() ? "none" : e.level) + "\"><td>" + When(e.timeMs) +
              "</td><td>" + Html(e.kind) + "</td><td>" + Html(e.point) + "</td><td>" + Html(e.level) +
              "</td><td>" + Html(e.quantity) + "</td><td>" +
              (e.value ? platform::FormatFixed(*e.value, 2) : "") + "</td><td>" +
              (e.limit ? platform::FormatFixed(*e.limit, 2) : "") + "</td><td>" + Html(e.why) + "</td></tr>";
    }
    body += "</tbody></table>";
  }
  return Page(name, body, false);
}

std::string PointPage(const StationKey& key, const PointRow& row) {
  const std::string base = StationPath(key);
  const std::string& point = row.latest.point;
  const std::string api = "/api" + base + "points/" + EncodeSegment(point) + "/series";
  std::string body = "<nav><a href=\"/\">Stations</a> › <a href=\"" + Html(base) + "\">" +
                     Html(key.project + " " + key.station) + "</a></nav><h1 class=\"" +
                     LevelClass(row.level) + "\">Point " + Html(point) + "</h1>";
  body +=
      "<p>Displacement from the baseline (mm) with its uncertainty band (± " +
      platform::FormatFixed(kBandSigmas, 0) +
      " σ as stored) and the point's limits (alert, alarm, action). Times are the station's local time.</p>";
  body += "<div id=\"plots\" data-series=\"" + Html(api) + "\"></div><p id=\"plot-status\"></p>";
  return Page("Point " + point, body, true);
}

}  // namespace vigil::web
