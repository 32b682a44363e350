#include "evaluation/PointObservations.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace vigil::evaluation {

namespace {

// Signed a - b in (-200, 200] gon, so readings either side of zero average to zero.
double GonDifference(double a, double b) {
  double d = std::fmod(a - b, 400.0);
  if (d <= -200.0) d += 400.0;
  if (d > 200.0) d -= 400.0;
  return d;
}

double Wrap(double gon) {
  double w = std::fmod(gon, 400.0);
  return w < 0.0 ? w + 400.0 : w;
}

}  // namespace

void FoldToFace1(double& haGon, double& vaGon) {
  haGon = Wrap(haGon + 200.0);
  vaGon = 400.0 - vaGon;
}

std::vector<PointObservation> MeanObservations(const std::vector<CycleReading>& readings) {
  std::vector<PointObservation> out;
  std::map<std::string, std::vector<const CycleReading*>> measured;
  std::map<std::string, std::size_t> index;
  for (const CycleReading& r : readings) {
    auto [it, added] = index.emplace(r.point, out.size());
    if (added) out.push_back(PointObservation{.point = r.point, .localMs = r.localMs});
    if (r.measured) {
      measured[r.point].push_back(&r);
    } else {
      ++out[it->second].failed;
    }
  }
  for (PointObservation& o : out) {
    const auto found = measured.find(o.point);
    if (found == measured.end()) continue;
    const std::vector<const CycleReading*>& rs = found->second;
    struct Folded {
      double ha, va, sd;
    };
    std::vector<Folded> folded;
    double timeSum = 0.0;
    for (const CycleReading* r : rs) {
      double ha = r->haGon, va = r->vaGon;
      if (r->face == 2 || va > 200.0) {
        FoldToFace1(ha, va);
        ++o.face2;
      } else {
        ++o.face1;
      }
      folded.push_back({ha, va, r->sdMetres});
      o.eastingMetres += r->eastingMetres;
      o.northingMetres += r->northingMetres;
      o.rlMetres += r->rlMetres;
      timeSum += static_cast<double>(r->localMs - rs.front()->localMs);
    }
    const double n = static_cast<double>(folded.size());
    o.readings = static_cast<int>(folded.size());
    const double haRef = folded.front().ha;
    double dHa = 0.0, va = 0.0, sd = 0.0;
    for (const Folded& f : folded) {
      dHa += GonDifference(f.ha, haRef);
      va += f.va;
      sd += f.sd;
    }
    o.haGon = Wrap(haRef + dHa / n);
    o.vaGon = va / n;
    o.sdMetres = sd / n;
    o.eastingMetres /= n;
    o.northingMetres /= n;
    o.rlMetres /= n;
    o.localMs = rs.front()->localMs + static_cast<std::int64_t>(std::llround(timeSum / n));
    for (const Folded& f : folded) {
      o.haScatterMgon = std::max(o.haScatterMgon, std::fabs(GonDifference(f.ha, o.haGon)) * 1000.0);
      o.vaScatterMgon = std::max(o.vaScatterMgon, std::fabs(f.va - o.vaGon) * 1000.0);
      o.sdScatterMm = std::max(o.sdScatterMm, std::fabs(f.sd - o.sdMetres) * 1000.0);
    }
  }
  return out;
}

}  // namespace vigil::evaluation
