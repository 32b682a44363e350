#include "evaluation/Velocity.h"

#include <algorithm>

namespace vigil::evaluation {

std::optional<Velocity> VelocityOver(const std::vector<DisplacementSample>& samples, double windowDays) {
  constexpr double kMsPerDay = 86'400'000.0;
  if (samples.empty()) return std::nullopt;
  const std::int64_t latest =
      std::max_element(samples.begin(), samples.end(), [](const auto& a, const auto& b) {
        return a.localMs < b.localMs;
      })->localMs;
  const auto from = latest - static_cast<std::int64_t>(windowDays * kMsPerDay);
  std::vector<const DisplacementSample*> in;
  std::int64_t earliest = latest;
  for (const DisplacementSample& s : samples) {
    if (s.localMs < from) continue;
    in.push_back(&s);
    earliest = std::min(earliest, s.localMs);
  }
  if (in.size() < 2 || latest - earliest < 3'600'000) return std::nullopt;
  // Days relative to the latest sample keep the sums small.
  double st = 0.0, stt = 0.0, se = 0.0, sn = 0.0, sl = 0.0, ste = 0.0, stn = 0.0, stl = 0.0;
  for (const DisplacementSample* s : in) {
    const double t = static_cast<double>(s->localMs - latest) / kMsPerDay;
    st += t;
    stt += t * t;
    se += s->eastMm;
    sn += s->northMm;
    sl += s->levelMm;
    ste += t * s->eastMm;
    stn += t * s->northMm;
    stl += t * s->levelMm;
  }
  const double n = static_cast<double>(in.size());
  const double denominator = n * stt - st * st;
  Velocity v;
  v.eastMmPerDay = (n * ste - st * se) / denominator;
  v.northMmPerDay = (n * stn - st * sn) / denominator;
  v.levelMmPerDay = (n * stl - st * sl) / denominator;
  v.samples = static_cast<int>(in.size());
  return v;
}

}  // namespace vigil::evaluation
