// Repeatable measurement noise from the scenario's seed.
#pragma once

#include <cstdint>

namespace vigil::sim {

class Noise {
 public:
  explicit Noise(std::uint64_t seed) : state_(seed) {}

  /// A normally distributed value with mean 0 and this standard deviation.
  double Gaussian(double sigma);

 private:
  double Uniform();  // (0, 1)
  std::uint64_t state_;
};

}  // namespace vigil::sim
