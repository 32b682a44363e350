// The collimation (C) and index (I) errors from one pointing in each face, and the other
// face's direction of a pointing. All angles in gon.
#pragma once

namespace vigil::ui {

struct Direction {
  double haGon = 0.0;
  double vaGon = 0.0;
};

struct CiErrors {
  double cGon = 0.0;  ///< collimation error
  double iGon = 0.0;  ///< vertical index error
};

/// The same line of sight in the other face: Ha +/- 200, Va = 400 - Va.
Direction OtherFace(Direction face1);

/// C = (Ha1 + k - Ha2) / 2 with k = 200 below Ha1 = 200, else -200, and I = (Va1 + Va2 - 400) / 2.
/// The difference in C is taken within (-200, 200] so a face 2 reading across the circle's
/// zero does not turn a small error into nearly 200 gon.
CiErrors ComputeCiErrors(Direction face1, Direction face2);

}  // namespace vigil::ui
