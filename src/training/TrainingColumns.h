// Titles and widths of the training list's columns; the titles also head the training file.
#pragma once

#include <array>
#include <string>

#include "store/ProjectStationSettings.h"
#include "training/TrainingPoint.h"

namespace vigil::training {

struct TrainingColumnSpec {
  std::string header;
  int widthPixels = 0;  ///< 0: hidden
};

using TrainingColumnSpecs = std::array<TrainingColumnSpec, kTrainingColumnCount>;

/// The nine columns in the units of `s` at the moment the list is created.
TrainingColumnSpecs TrainingColumns(const store::ProjectStationSettings& s);

}  // namespace vigil::training
