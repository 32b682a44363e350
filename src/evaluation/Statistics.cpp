#include "evaluation/Statistics.h"

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>
#include <limits>

namespace vigil::evaluation {

namespace {

constexpr double kNever = std::numeric_limits<double>::infinity();

bool UsableConfidence(double confidence) {
  return confidence > 0.0 && confidence < 1.0;
}

}  // namespace

double ChiSquareQuantile(double confidence, int degreesOfFreedom) {
  if (!UsableConfidence(confidence) || degreesOfFreedom < 1) return kNever;
  try {
    return boost::math::quantile(boost::math::chi_squared(degreesOfFreedom), confidence);
  } catch (...) {
    return kNever;  // the library reports domain errors by exception; they must not leave here
  }
}

double NormalTwoSidedBound(double confidence) {
  if (!UsableConfidence(confidence)) return kNever;
  try {
    return boost::math::quantile(boost::math::normal(), 0.5 + confidence / 2.0);
  } catch (...) {
    return kNever;
  }
}

}  // namespace vigil::evaluation
