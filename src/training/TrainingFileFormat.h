// The text of a training file: a header line, then one TAB-separated line per point,
// every line ending in CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "training/TrainingColumns.h"
#include "training/TrainingPoint.h"

namespace vigil::training {

struct TrainingText {
  std::vector<TrainingPoint> points;  ///< in file order
  int skippedLines = 0;               ///< lines that are neither blank, a header nor a point
};

/// The points of a training file text, in file order. Lines end in CR LF or a bare LF. Blank
/// lines and header lines (any line with "Easting" outside the ignored label) are passed over;
/// lines of fewer than 7 fields and lines holding a zero character are skipped and counted.
/// Missing types are "-1". Labels are left empty: they are always recomputed from the type.
TrainingText ReadTrainingText(std::string_view text);

/// The points of ReadTrainingText.
std::vector<TrainingPoint> ParseTrainingText(std::string_view text);

/// The whole file text: "Stat" and the nine headers, then "1" and the nine texts of each row.
std::string BuildTrainingText(const TrainingColumnSpecs& columns, const std::vector<TrainingPoint>& rows);

}  // namespace vigil::training
