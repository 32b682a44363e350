#include "demo/CorrectedTable.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>

#include "platform/Clock.h"
#include "platform/Format.h"
#include "results/Export.h"
#include "sim/Motion.h"

namespace vigil::demo {

namespace {

constexpr double kMatchRadiusMetres = 0.5;

const sim::Prism* PrismAt(const sim::Scenario& site, const training::TrainingPoint& p, std::int64_t whenMs) {
  double e = 0, n = 0, h = 0;
  if (!platform::ScanDouble(p.easting, e) || !platform::ScanDouble(p.northing, n) ||
      !platform::ScanDouble(p.rl, h))
    return nullptr;
  const sim::Prism* best = nullptr;
  double bestMetres = kMatchRadiusMetres;
  for (const sim::Prism& prism : site.prisms) {
    const sim::GridPoint at = sim::PositionAt(prism, site.epochMs, whenMs);
    const double d = std::hypot(std::hypot(at.eastingMetres - e, at.northingMetres - n), at.levelMetres - h);
    if (d <= bestMetres) {
      bestMetres = d;
      best = &prism;
    }
  }
  return best;
}

Shift Moved(const sim::Prism& prism, std::int64_t epochMs, std::int64_t fromMs, std::int64_t toMs) {
  const sim::GridPoint a = sim::PositionAt(prism, epochMs, fromMs), b = sim::PositionAt(prism, epochMs, toMs);
  return {(b.eastingMetres - a.eastingMetres) * 1000.0, (b.northingMetres - a.northingMetres) * 1000.0,
          (b.levelMetres - a.levelMetres) * 1000.0};
}

// The mean error of a point over its cycles and the 95th percentile of the distances from it.
void ErrorOverCycles(const sim::Scenario& site, const sim::Prism& prism, std::int64_t trainedAtMs,
                     const std::vector<results::StoredPoint>& all, const std::string& point,
                     CorrectedRow& row) {
  std::vector<Shift> errors;
  Shift mean;
  for (const results::StoredPoint& p : all) {
    if (p.point != point || !p.hasDisplacement || !p.corrected) continue;
    const Shift truth = Moved(prism, site.epochMs, trainedAtMs, p.timeMs);
    errors.push_back({p.eastMm - truth.eMm, p.northMm - truth.nMm, p.levelMm - truth.rlMm});
    mean.eMm += errors.back().eMm;
    mean.nMm += errors.back().nMm;
    mean.rlMm += errors.back().rlMm;
  }
  row.cycles = static_cast<int>(errors.size());
  if (errors.empty()) return;
  const double n = static_cast<double>(errors.size());
  mean = {mean.eMm / n, mean.nMm / n, mean.rlMm / n};
  row.constantErrorMm = std::sqrt(mean.eMm * mean.eMm + mean.nMm * mean.nMm + mean.rlMm * mean.rlMm);
  std::vector<double> apart;
  for (const Shift& e : errors)
    apart.push_back(std::sqrt(std::pow(e.eMm - mean.eMm, 2) + std::pow(e.nMm - mean.nMm, 2) +
                              std::pow(e.rlMm - mean.rlMm, 2)));
  std::sort(apart.begin(), apart.end());
  row.scatter95Mm = apart[std::min(apart.size() - 1, static_cast<std::size_t>(std::ceil(0.95 * n)) - 1)];
}

void Largest(Shift& into, const Shift& s) {
  into.eMm = std::max(into.eMm, std::fabs(s.eMm));
  into.nMm = std::max(into.nMm, std::fabs(s.nMm));
  into.rlMm = std::max(into.rlMm, std::fabs(s.rlMm));
}

// The moment a reference prism first steps, if it does.
std::int64_t StepAt(const sim::Scenario& site, const std::string& name) {
  std::int64_t at = LLONG_MAX;
  for (const sim::Prism& p : site.prisms) {
    if (p.name != name) continue;
    for (const sim::Movement& m : p.movements) {
      if (m.kind == sim::Movement::Kind::kStep) at = std::min(at, m.stepAtMs);
    }
  }
  return at;
}

// `references`: the program's name of each reference prism, with the simulated prism.
void JudgeReferences(const sim::Scenario& site, const std::map<std::string, const sim::Prism*>& references,
                     std::int64_t trainedAtMs, const std::vector<results::StoredCycle>& cycles,
                     CorrectedTable& table) {
  std::map<std::string, int> excluded, kept;
  std::map<std::string, std::vector<std::string>> days;
  for (const results::StoredCycle& c : cycles) {
    const std::string day = results::LocalTimeText(c.firstMs).substr(0, 10);
    std::string line = c.key.file.substr(c.key.file.rfind('_') + 1);
    line = platform::Format("  %s  %-10s ", {results::LocalTimeText(c.firstMs).substr(11, 5), line});
    line += c.corrected ? "used " + c.referencesUsed : "NOT CORRECTED: " + c.uncorrectedWhy;
    if (!c.referencesExcluded.empty()) line += "; excluded " + c.referencesExcluded;
    days[day].push_back(line);
    for (const auto& [name, prism] : references) {
      const bool out = !c.corrected || c.referencesExcluded.find(name + ":") != std::string::npos;
      // A step before training is in the trained coordinates: the reference has not moved since.
      const std::int64_t stepAt = StepAt(site, prism->name);
      const bool stepped = stepAt > trainedAtMs && c.firstMs >= stepAt;
      if (stepped && !out) table.referenceProblems.push_back(name + " stepped but was used in " + c.key.file);
      if (!stepped) ++(out ? excluded[name] : kept[name]);
    }
  }
  for (const auto& [name, count] : excluded) {
    if (count * 100 > count + kept[name])
      table.referenceProblems.push_back(platform::Format(
          "%s excluded in %d of %d cycles while it stood still", {name, count, count + kept[name]}));
  }
  for (const auto& [day, lines] : days) {
    table.referenceText += day + "\n";
    for (const std::string& l : lines) table.referenceText += l + "\n";
  }
}

std::string Mm(double v) {
  return platform::Format("%7.2lf", {v});
}

}  // namespace

CorrectedTable CompareCorrected(const sim::Scenario& site,
                                const std::vector<training::TrainingPoint>& trained, std::int64_t trainedAtMs,
                                results::ResultsDatabase& db, const std::string& project,
                                const std::string& station) {
  CorrectedTable table;
  const std::vector<results::StoredPoint> all = db.Points(project, station, "", 0, LLONG_MAX);
  std::map<std::string, const sim::Prism*> references;
  for (const training::TrainingPoint& t : trained) {
    CorrectedRow row;
    row.point = t.name;
    const sim::Prism* prism = PrismAt(site, t, trainedAtMs);
    const results::StoredPoint* last = nullptr;
    for (const results::StoredPoint& p : all) {
      if (p.point == t.name && p.hasDisplacement) last = &p;
    }
    row.measured = last != nullptr;
    if (prism) row.simPrism = prism->name;
    if (prism && prism->type == sim::PrismType::kReference) references[t.name] = prism;
    if (!prism || !last) {
      ++table.outside;
      table.rows.push_back(row);
      continue;
    }
    row.file = last->file;
    row.corrected = last->corrected;
    row.significant = last->significant;
    row.corrected3 = {last->eastMm, last->northMm, last->levelMm};
    row.raw = {last->rawEastMm, last->rawNorthMm, last->rawLevelMm};
    row.sigma = {last->sigmaEastMm, last->sigmaNorthMm, last->sigmaLevelMm};
    row.simulated = Moved(*prism, site.epochMs, trainedAtMs, last->timeMs);
    ErrorOverCycles(site, *prism, trainedAtMs, all, t.name, row);
    // A reference that moved is measured, not corrected for: its own error stays out of the figures.
    if (!(prism->type == sim::PrismType::kReference && StepAt(site, prism->name) < LLONG_MAX)) {
      table.largestConstantMm = std::max(table.largestConstantMm, row.constantErrorMm);
      table.largestScatter95Mm = std::max(table.largestScatter95Mm, row.scatter95Mm);
    }
    row.error = {row.corrected3.eMm - row.simulated.eMm, row.corrected3.nMm - row.simulated.nMm,
                 row.corrected3.rlMm - row.simulated.rlMm};
    row.largestSigmas =
        std::max({std::fabs(row.error.eMm) / row.sigma.eMm, std::fabs(row.error.nMm) / row.sigma.nMm,
                  std::fabs(row.error.rlMm) / row.sigma.rlMm});
    Largest(table.largestError, row.error);
    Largest(table.largestRawError, {row.raw.eMm - row.simulated.eMm, row.raw.nMm - row.simulated.nMm,
                                    row.raw.rlMm - row.simulated.rlMm});
    if (!(row.largestSigmas <= kAllowedSigmas) || !row.corrected) ++table.outside;
    table.rows.push_back(row);
  }
  JudgeReferences(site, references, trainedAtMs, db.Cycles(project, station), table);
  return table;
}

std::string FormatCorrected(const CorrectedTable& table) {
  std::string text =
      "point   sim     |  raw (Differences page) |  corrected (mm)         |   simulated (mm)      |   error "
      "(mm)  "
      "        | sigma (mm)           | err/sig sig\n"
      "                |    dE     dN    dRL     |    dE     dN    dRL     |    dE     dN    dRL   |    dE   "
      "  dN    "
      "dRL   |    dE     dN    dRL   |\n";
  const auto three = [](const Shift& s) { return Mm(s.eMm) + Mm(s.nMm) + Mm(s.rlMm) + "  |"; };
  for (const CorrectedRow& r : table.rows) {
    text +=
        platform::Format("%-7s %-7s |", {r.point, r.simPrism.empty() ? std::string_view("?") : r.simPrism});
    if (!r.measured || r.simPrism.empty()) {
      text += r.simPrism.empty() ? " no simulated prism at its trained position  OUTSIDE\n"
                                 : " no corrected displacement  OUTSIDE\n";
      continue;
    }
    text += three(r.raw) + "  " + three(r.corrected3) + three(r.simulated) + three(r.error) + three(r.sigma);
    text += platform::Format(" %5.1lf  %s  | %5.2lf %5.2lf",
                             {r.largestSigmas, r.significant ? "*" : " ", r.constantErrorMm, r.scatter95Mm});
    text += r.largestSigmas <= kAllowedSigmas && r.corrected ? "\n" : "  OUTSIDE\n";
  }
  text += platform::Format(
      "largest error (mm): corrected dE %.2lf  dN %.2lf  dRL %.2lf; raw dE %.2lf  dN %.2lf  dRL %.2lf; "
      "%d outside %.1lf sigma (* significant at the evaluation's confidence)\n",
      {table.largestError.eMm, table.largestError.nMm, table.largestError.rlMm, table.largestRawError.eMm,
       table.largestRawError.nMm, table.largestRawError.rlMm, table.outside, kAllowedSigmas});
  text += platform::Format(
      "over every cycle, per prism (3D, mm): constant error up to %.2lf, 95 %% of cycles within %.2lf of "
      "it\n",
      {table.largestConstantMm, table.largestScatter95Mm});
  text += "\nreferences per cycle:\n" + table.referenceText;
  for (const std::string& p : table.referenceProblems) text += "reference problem: " + p + "\n";
  return text;
}

}  // namespace vigil::demo
