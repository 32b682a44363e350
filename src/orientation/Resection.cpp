#include "orientation/Resection.h"

#include <cmath>
#include <string>

namespace vigil::orientation {

using survey::kGonToRadians;
using survey::kRadiansToGon;
using survey::NormaliseAngle;

void ResetResection(ResectionState& state) {
  state.res_orientation = 0.0;
  state.res_rotation = 0.0;
  state.res_e = 0.0;
  state.res_n = 0.0;
  state.res_rl = 0.0;
  state.resection_count = 0;
  state.resection_points.clear();
}

std::optional<double> LineBearing(double dEMetres, double dNMetres) {
  if (std::fabs(dEMetres) < kTooCloseMetres && std::fabs(dNMetres) < kTooCloseMetres) return std::nullopt;
  if (dEMetres == 0.0) return dNMetres < 0.0 ? 0.0 : 200.0;
  const double t = std::atan(dNMetres / dEMetres) * kRadiansToGon;
  return dEMetres < 0.0 ? 100.0 - t : 300.0 - t;
}

bool ComputeResection(ResectionState& state, const survey::Observation& reading,
                      const ResectionTarget& target) {
  const double back = NormaliseAngle(reading.haGon + 200.0);
  const double zb = 200.0 - reading.vaGon;
  const double h = reading.haGon * kGonToRadians;
  const double v = reading.vaGon * kGonToRadians;
  const double x = reading.sdMetres * std::sin(v) * std::sin(h) + kLocalOriginXY;
  const double y = reading.sdMetres * std::sin(v) * std::cos(h) + kLocalOriginXY;
  const double z = reading.sdMetres * std::cos(v) + kLocalOriginZ;

  if (state.resection_count >= 2) {
    const std::optional<double> local = LineBearing(state.prev_x - x, state.prev_y - y);
    const std::optional<double> grid =
        LineBearing(state.prev_e - target.eastingMetres, state.prev_n - target.northingMetres);
    if (!local || !grid) {
      --state.resection_count;
      return false;
    }
    state.res_orientation = NormaliseAngle(*local - *grid);
    state.res_rotation = NormaliseAngle(*grid - *local);
    const double b1 = NormaliseAngle(state.prev_back + state.res_rotation) * kGonToRadians;
    const double b2 = NormaliseAngle(back + state.res_rotation) * kGonToRadians;
    const double zb1 = state.prev_zb * kGonToRadians;
    const double zb2 = zb * kGonToRadians;
    const double e1 = state.prev_e + state.prev_sd * std::sin(b1) * std::sin(zb1);
    const double n1 = state.prev_n + state.prev_sd * std::cos(b1) * std::sin(zb1);
    const double rl1 = state.prev_rl + state.prev_sd * std::cos(zb1);
    const double e2 = target.eastingMetres + reading.sdMetres * std::sin(b2) * std::sin(zb2);
    const double n2 = target.northingMetres + reading.sdMetres * std::cos(b2) * std::sin(zb2);
    const double rl2 = target.rlMetres + reading.sdMetres * std::cos(zb2);
    state.res_e = (e2 + e1) * 0.5;
    state.res_n = (n2 + n1) * 0.5;
    state.res_rl = (rl2 + rl1) * 0.5;
  }

  state.prev_e = target.eastingMetres;
  state.prev_n = target.northingMetres;
  state.prev_rl = target.rlMetres;
  state.prev_x = x;
  state.prev_y = y;
  state.prev_z = z;
  state.prev_back = back;
  state.prev_zb = zb;
  state.prev_sd = reading.sdMetres;
  return true;
}

ResectionOutcome AddResectionObservation(ResectionState& state, std::string_view name,
                                         const survey::Observation& reading, const ResectionTarget& target,
                                         bool manual) {
  ++state.resection_count;
  if (!ComputeResection(state, reading, target)) return ResectionOutcome::kTooClose;
  state.resection_points.push_back({std::string(name), reading.haGon, reading.vaGon, reading.sdMetres,
                                    target.eastingMetres, target.northingMetres, target.rlMetres, manual});
  return state.resection_count >= 2 ? ResectionOutcome::kComputed : ResectionOutcome::kCaptured;
}

int RecomputeResection(ResectionState& state, const std::function<bool(const ResectionPoint&)>& usable) {
  state.res_orientation = 0.0;
  state.res_rotation = 0.0;
  state.res_e = 0.0;
  state.res_n = 0.0;
  state.res_rl = 0.0;
  state.resection_count = 0;
  int dropped = 0;
  for (const ResectionPoint& p : state.resection_points) {
    if (usable && !usable(p)) continue;
    ++state.resection_count;
    if (!ComputeResection(state, {p.ha, p.va, p.sd}, {p.e, p.n, p.rl})) ++dropped;
  }
  return dropped;
}

double ReorientationCorrection(double readingHaGon, double referenceHaGon) {
  return NormaliseAngle(readingHaGon - referenceHaGon);
}

}  // namespace vigil::orientation
