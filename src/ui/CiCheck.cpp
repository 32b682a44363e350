#include "ui/CiCheck.h"

namespace vigil::ui {

Direction OtherFace(Direction face1) {
  const double ha = face1.haGon < 200.0 ? face1.haGon + 200.0 : face1.haGon - 200.0;
  return {ha, 400.0 - face1.vaGon};
}

CiErrors ComputeCiErrors(Direction face1, Direction face2) {
  const double k = face1.haGon < 200.0 ? 200.0 : -200.0;
  double twiceC = face1.haGon + k - face2.haGon;
  while (twiceC > 200.0) twiceC -= 400.0;
  while (twiceC <= -200.0) twiceC += 400.0;
  return {twiceC * 0.5, (face1.vaGon + face2.vaGon - 400.0) * 0.5};
}

}  // namespace vigil::ui
