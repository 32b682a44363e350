#include "ui/AngleEntry.h"

#include "platform/Format.h"

namespace vigil::ui {

AngleEntry CheckHorizontalAngleEntry(std::string_view text) {
  int points = 0;
  bool digit = false;
  for (char c : text) {
    if (c == '.') {
      ++points;
    } else if (c >= '0' && c <= '9') {
      digit = true;
    } else {
      return {AngleEntryError::NotDecimal, {}};
    }
  }
  if (points > 1) return {AngleEntryError::NotDecimal, {}};
  double valueGon = 0.0;
  if (!digit || !platform::ScanDouble(text, valueGon)) return {AngleEntryError::OutOfRange, {}};
  if (valueGon < 0.0 || valueGon >= 400.0) return {AngleEntryError::OutOfRange, {}};
  return {AngleEntryError::None, platform::FormatFixed(valueGon, 4)};
}

}  // namespace vigil::ui
