// Critical values of the tests an adjustment uses. Never throws: a confidence outside (0, 1)
// or no degrees of freedom gives infinity, a test that never rejects.
#pragma once

namespace vigil::evaluation {

/// The value a chi-square variable with `degreesOfFreedom` exceeds with probability
/// 1 - `confidence` (0.95, 3 -> 7.815).
double ChiSquareQuantile(double confidence, int degreesOfFreedom);

/// The bound |w| of a standard normal variable keeps with probability `confidence`
/// (0.95 -> 1.960, 0.999 -> 3.291).
double NormalTwoSidedBound(double confidence);

}  // namespace vigil::evaluation
