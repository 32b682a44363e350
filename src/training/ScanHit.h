// One prism the instrument reported during a 2D scan.
#pragma once

#include <string>

namespace vigil::training {

struct ScanHit {
  std::string ha;     ///< "%.5lf" gon, relative to the station orientation
  std::string va;     ///< "%.5lf" gon
  std::string third;  ///< always empty
  int value1 = 0;     ///< the instrument's first integer
  int value2 = 0;     ///< the second integer: positive for a prism
};

}  // namespace vigil::training
