#include "sim/Instrument.h"

#include <algorithm>
#include <cmath>

#include "sim/Geometry.h"

namespace vigil::sim {

double Instrument::ReadHa(const Pointing& p) const {
  return WrapGon(p.azimuthGon + circleZeroGon_ + TwistGon() + FaceOffsetGon(p.face));
}

double Instrument::ReadVa(const Pointing& p) const {
  return (p.face == 2 ? 400.0 - p.zenithGon : p.zenithGon) + indexErrorGon_;
}

Pointing Instrument::FromReading(double haGon, double vaGon) const {
  Pointing p;
  p.face = vaGon > 200.0 ? 2 : 1;
  const double va = vaGon - indexErrorGon_;
  p.zenithGon = p.face == 2 ? 400.0 - va : va;
  p.azimuthGon = WrapGon(haGon - circleZeroGon_ - TwistGon() - FaceOffsetGon(p.face));
  return p;
}

double Instrument::TurnMs(const Pointing& to, double speedGonPerS) const {
  if (speedGonPerS <= 0.0) return 0.0;
  const double horizontal = std::fabs(GonDifference(ReadHa(to), ReadHa()));
  const double vertical = std::fabs(ReadVa(to) - ReadVa());
  return std::max(horizontal, vertical) / speedGonPerS * 1000.0;
}

void Instrument::SetCircle(double haGon) {
  circleZeroGon_ = WrapGon(haGon - pointing_.azimuthGon - TwistGon() - FaceOffsetGon(pointing_.face));
}

}  // namespace vigil::sim
