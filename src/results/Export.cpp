#include "results/Export.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <map>

#include "platform/Clock.h"
#include "platform/Format.h"

namespace vigil::results {

namespace {

std::string Csv(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string Mm(double v) {
  return platform::FormatFixed(v, 2);
}

std::string Metres(double v) {
  return platform::FormatFixed(v, 4);
}

// A number for JSON: rounded to what it means, never NaN (JSON has none).
double Rounded(double v, int decimals) {
  if (!std::isfinite(v)) return 0.0;
  const double scale = std::pow(10.0, decimals);
  return std::round(v * scale) / scale;
}

}  // namespace

std::string LocalTimeText(std::int64_t localMs) {
  const platform::LocalDateTime t = platform::CivilFromMilliseconds(localMs);
  return platform::Format("%04d-%02d-%02dT%02d:%02d:%02d",
                          {t.year, t.month, t.day, t.hour, t.minute, t.second});
}

std::string ExportCsv(const std::vector<StoredPoint>& points) {
  std::string out =
      "time,cycle_file,point,prism_type,reference,corrected,easting_m,northing_m,level_m,dE_mm,dN_mm,dH_mm,"
      "sigma_dE_mm,sigma_dN_mm,sigma_dH_mm,significant,vE_mm_per_day,vN_mm_per_day,vH_mm_per_day,raw_dE_mm,"
      "raw_dN_mm,raw_dH_mm\r\n";
  for (const StoredPoint& p : points) {
    std::vector<std::string> f = {LocalTimeText(p.timeMs),
                                  Csv(p.file),
                                  Csv(p.point),
                                  platform::FormatInt(p.prismType),
                                  p.reference ? "1" : "0",
                                  p.corrected ? "1" : "0"};
    if (p.positioned) {
      f.insert(f.end(), {Metres(p.eastingMetres), Metres(p.northingMetres), Metres(p.levelMetres)});
    } else {
      f.insert(f.end(), {"", "", ""});
    }
    if (p.hasDisplacement) {
      f.insert(f.end(), {Mm(p.eastMm), Mm(p.northMm), Mm(p.levelMm), Mm(p.sigmaEastMm), Mm(p.sigmaNorthMm),
                         Mm(p.sigmaLevelMm), p.significant ? "1" : "0"});
    } else {
      f.insert(f.end(), {"", "", "", "", "", "", ""});
    }
    if (p.hasVelocity) {
      f.insert(f.end(), {platform::FormatFixed(p.eastMmPerDay, 3), platform::FormatFixed(p.northMmPerDay, 3),
                         platform::FormatFixed(p.levelMmPerDay, 3)});
    } else {
      f.insert(f.end(), {"", "", ""});
    }
    if (p.positioned && p.prismType >= 0) {
      f.insert(f.end(), {Mm(p.rawEastMm), Mm(p.rawNorthMm), Mm(p.rawLevelMm)});
    } else {
      f.insert(f.end(), {"", "", ""});
    }
    std::string line;
    for (std::size_t i = 0; i < f.size(); ++i) line += (i ? "," : "") + f[i];
    out += line + "\r\n";
  }
  return out;
}

std::string ExportGeoJson(const std::vector<StoredPoint>& points, const std::string& project,
                          const std::string& station) {
  std::map<std::string, const StoredPoint*> latest;
  for (const StoredPoint& p : points) {
    if (p.positioned) latest[p.point] = &p;  // points come in time order
  }
  nlohmann::json features = nlohmann::json::array();
  for (const auto& [name, p] : latest) {
    nlohmann::json props = {{"point", name},
                            {"time", LocalTimeText(p->timeMs)},
                            {"cycle_file", p->file},
                            {"reference", p->reference},
                            {"corrected", p->corrected}};
    if (p->hasDisplacement) {
      props["dE_mm"] = Rounded(p->eastMm, 2);
      props["dN_mm"] = Rounded(p->northMm, 2);
      props["dH_mm"] = Rounded(p->levelMm, 2);
      props["sigma_dE_mm"] = Rounded(p->sigmaEastMm, 2);
      props["sigma_dN_mm"] = Rounded(p->sigmaNorthMm, 2);
      props["sigma_dH_mm"] = Rounded(p->sigmaLevelMm, 2);
      props["significant"] = p->significant;
    }
    if (p->hasVelocity) {
      props["vE_mm_per_day"] = Rounded(p->eastMmPerDay, 3);
      props["vN_mm_per_day"] = Rounded(p->northMmPerDay, 3);
      props["vH_mm_per_day"] = Rounded(p->levelMmPerDay, 3);
    }
    features.push_back(
        {{"type", "Feature"},
         {"geometry",
          {{"type", "Point"},
           {"coordinates",
            {Rounded(p->eastingMetres, 4), Rounded(p->northingMetres, 4), Rounded(p->levelMetres, 4)}}}},
         {"properties", props}});
  }
  const nlohmann::json out = {{"type", "FeatureCollection"},
                              {"name", project + "_" + station},
                              {"coordinate_system", "the station's local grid: easting, northing, level (m)"},
                              {"features", features}};
  // Point names are the operator's: replace what is not UTF-8 rather than fail the export.
  return out.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

std::string Report(const std::vector<StoredCycle>& cycles, const std::vector<StoredPoint>& points,
                   const std::string& project, const std::string& station) {
  std::string out = "Project " + project + ", station " + station + "\n";
  if (cycles.empty()) return out + "No cycles in this period.\n";
  int corrected = 0, measured = 0, failed = 0;
  for (const StoredCycle& c : cycles) {
    corrected += c.corrected;
    measured += c.measuredLines;
    failed += c.failedLines;
  }
  out += platform::Format("Cycles: %d from %s to %s, %d corrected from the references\n",
                          {static_cast<int>(cycles.size()), LocalTimeText(cycles.front().firstMs),
                           LocalTimeText(cycles.back().lastMs), corrected});
  out += platform::Format("Readings: %d measured, %d failed\n", {measured, failed});
  std::string notes;
  for (const StoredCycle& c : cycles) {
    if (!c.corrected) notes += "  " + c.key.file + ": not corrected: " + c.uncorrectedWhy + "\n";
    if (!c.referencesExcluded.empty()) notes += "  " + c.key.file + ": " + c.referencesExcluded + "\n";
  }
  if (!notes.empty()) out += "References:\n" + notes;

  struct Summary {
    const StoredPoint* last = nullptr;
    double largest3dMm = 0.0;
    int results = 0, significant = 0, failed = 0;
  };
  std::map<std::string, Summary> byPoint;
  for (const StoredPoint& p : points) {
    Summary& s = byPoint[p.point];
    ++s.results;
    if (!p.positioned) {
      ++s.failed;
      continue;
    }
    if (!p.hasDisplacement) continue;
    s.last = &p;
    s.significant += p.significant;
    s.largest3dMm = std::max(s.largest3dMm,
                             std::sqrt(p.eastMm * p.eastMm + p.northMm * p.northMm + p.levelMm * p.levelMm));
  }
  out +=
      "\npoint        dE mm   dN mm   dH mm  largest 3D mm  significant  v mm/day (E, N, H)   not measured\n";
  for (const auto& [name, s] : byPoint) {
    std::string line = platform::Format("%-10s", {name});
    if (s.last) {
      line += platform::Format(
          " %7.2lf %7.2lf %7.2lf %14.2lf %6d of %-4d",
          {s.last->eastMm, s.last->northMm, s.last->levelMm, s.largest3dMm, s.significant, s.results});
      line += s.last->hasVelocity
                  ? platform::Format(" %6.2lf %6.2lf %6.2lf",
                                     {s.last->eastMmPerDay, s.last->northMmPerDay, s.last->levelMmPerDay})
                  : std::string(21, ' ');
    } else {
      line += std::string(61, ' ');
    }
    line += platform::Format("   %d", {s.failed});
    out += line + "\n";
  }
  return out;
}

}  // namespace vigil::results
