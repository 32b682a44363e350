// Keys of a desktop keyboard as the key-down messages of the controller: F1 to F4 are the
// instrument's hardware keys under the four soft keys, F5 its close key, escape stays escape.
#pragma once

#include <cstdint>

namespace vigil::ui::qt {

struct KeyDown {
  unsigned virtualKey = 0;  ///< 0: a key the program does not know
  std::uint32_t keyData = 0;
  bool hardware = false;  ///< one of the instrument's keys (handled by the soft-key bar)
};

/// The key-down message of a Qt key code (Qt::Key).
KeyDown KeyDownOf(int qtKey);

}  // namespace vigil::ui::qt
