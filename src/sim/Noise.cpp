#include "sim/Noise.h"

#include <cmath>
#include <numbers>

namespace vigil::sim {

double Noise::Uniform() {
  // splitmix64: the same sequence on every platform and library
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  z ^= z >> 31;
  return (static_cast<double>(z >> 11) + 0.5) / 9007199254740992.0;
}

double Noise::Gaussian(double sigma) {
  if (sigma <= 0.0) return 0.0;
  const double u1 = Uniform();
  const double u2 = Uniform();
  return sigma * std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
}

}  // namespace vigil::sim
