// Checking a horizontal angle typed by the operator (decimal gon).
#pragma once

#include <string>
#include <string_view>

namespace vigil::ui {

enum class AngleEntryError {
  None,
  NotDecimal,  ///< a character other than a digit or '.', or a second '.'
  OutOfRange,  ///< no number at all, or not 0 <= value < 400
};

struct AngleEntry {
  AngleEntryError error = AngleEntryError::None;
  std::string normalisedGon;  ///< "%.4lf" of the value when accepted
};

/// Only digits and at most one '.', then a value in [0, 400) gon. An entry without any
/// digit ("", ".") carries no number and is out of range.
AngleEntry CheckHorizontalAngleEntry(std::string_view text);

}  // namespace vigil::ui
