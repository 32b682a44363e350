#include "evaluation/StationSolution.h"

#include <algorithm>
#include <cmath>

#include "evaluation/Statistics.h"
#include "platform/Format.h"

namespace vigil::evaluation {

namespace {

const char* const kObservationNames[] = {"Ha", "Va", "SD"};

// The observation with the largest standardised residual: reference index, kind, |w|.
struct Worst {
  std::size_t reference = 0;
  int kind = 0;
  double w = 0.0;
};

Worst LargestStandardised(const StationAdjustment& adj) {
  Worst worst;
  for (std::size_t i = 0; i < adj.residuals.size(); ++i) {
    for (int k = 0; k < 3; ++k) {
      const double w = std::fabs(adj.residuals[i].of[static_cast<std::size_t>(k)].standardised);
      if (w > worst.w) worst = {i, k, w};
    }
  }
  return worst;
}

std::string Moved(const StationAdjustment& adj, const Worst& worst) {
  const Residual& r = adj.residuals[worst.reference].of[static_cast<std::size_t>(worst.kind)];
  return platform::Format(
      "moved or disturbed: %s residual %.2lf %s, standardised %.1lf",
      {kObservationNames[worst.kind], r.value, worst.kind == kObsSd ? "mm" : "mgon", r.standardised});
}

}  // namespace

double ReferenceSpreadGon(const std::vector<ReferenceObservation>& references) {
  double spread = 0.0;
  for (std::size_t i = 0; i < references.size(); ++i) {
    for (std::size_t j = i + 1; j < references.size(); ++j) {
      double d = std::fmod(std::fabs(references[i].haGon - references[j].haGon), 200.0);
      spread = std::max(spread, std::min(d, 200.0 - d));
    }
  }
  return spread;
}

StationSolution SolveStation(const std::vector<ReferenceObservation>& references,
                             std::vector<ReferenceUse> unavailable, const StationEstimate& provisional,
                             const SolutionSettings& settings) {
  StationSolution out;
  std::vector<ReferenceObservation> used = references;
  const double bound = NormalTwoSidedBound(settings.referenceConfidence);
  for (;;) {
    if (used.size() < 2) {
      out.uncorrectedWhy = used.empty() ? "no reference measured" : "fewer than two usable references";
      break;
    }
    const double spread = ReferenceSpreadGon(used);
    if (spread < settings.minimumSpreadGon) {
      out.uncorrectedWhy = platform::Format(
          "references nearly in line with the station (%.1lf gon apart, at least %.1lf needed)",
          {spread, settings.minimumSpreadGon});
      break;
    }
    out.adjustment = AdjustStation(used, provisional, settings.precision, settings.confidence);
    if (!out.adjustment.solved) {
      out.uncorrectedWhy = out.adjustment.failure;
      break;
    }
    const Worst worst = LargestStandardised(out.adjustment);
    if (worst.w <= bound) {
      out.corrected = true;
      break;
    }
    if (used.size() == 2) {
      // Two references that disagree cannot say which of them moved.
      out.uncorrectedWhy = "the two references disagree (" + Moved(out.adjustment, worst) + ")";
      break;
    }
    unavailable.push_back({used[worst.reference].point, false, Moved(out.adjustment, worst)});
    used.erase(used.begin() + static_cast<std::ptrdiff_t>(worst.reference));
  }
  for (const ReferenceObservation& r : references) {
    auto excluded = std::find_if(unavailable.begin(), unavailable.end(),
                                 [&](const ReferenceUse& u) { return u.point == r.point; });
    if (excluded != unavailable.end()) {
      out.references.push_back(*excluded);
      unavailable.erase(excluded);
    } else {
      out.references.push_back({r.point, out.corrected, out.corrected ? "" : "the cycle is not corrected"});
    }
  }
  for (ReferenceUse& u : unavailable) out.references.push_back(std::move(u));
  return out;
}

}  // namespace vigil::evaluation
