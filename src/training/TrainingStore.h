// The training list of one project-station: rows of display texts, loaded from and rewritten
// in full to its training file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "store/ProjectStationSettings.h"
#include "training/TrainingColumns.h"
#include "training/TrainingFile.h"
#include "training/TrainingPoint.h"

namespace vigil::training {

class TrainingStore {
 public:
  /// Column titles are fixed here, in the units of `settings`; labels use its prism constants.
  TrainingStore(const store::ProjectStationSettings& settings, TrainingFileLocation where);

  const TrainingColumnSpecs& Columns() const { return columns_; }
  const std::vector<TrainingPoint>& Rows() const { return rows_; }
  const TrainingFileLocation& Location() const { return where_; }

  /// Appends a row; the label comes from the type text read as "%d" (empty outside 0 to 5).
  void AddTrainingRow(std::string_view name, std::string_view ha, std::string_view va, std::string_view sd,
                      std::string_view easting, std::string_view northing, std::string_view rl,
                      std::string_view prismTypeText);

  /// Replaces the texts of row `index` (its label is recomputed). False for no such row.
  bool SetTrainingRow(std::size_t index, const TrainingPoint& point);

  /// Removes row `index`. False for no such row.
  bool RemoveTrainingRow(std::size_t index);

  /// Empties the list and fills it from the whole training file.
  TrainingReadResult LoadTrainingFile();

  /// Empties the list and fills it from a training file text.
  void LoadTrainingText(std::string_view text);

  /// Empties the list and fills it with `points`.
  void LoadTrainingPoints(const std::vector<TrainingPoint>& points);

  std::string BuildTrainingText() const;

  /// Replaces the training file by the list, atomically. False when it could not be written,
  /// or when the last load found a file it could not read: the list then lacks its points
  /// and writing it would destroy them.
  bool SaveTrainingFile() const;

  /// The default name of the next point: "XYZ001" for an empty list, else the one after the
  /// last row's name.
  std::string NextPointName() const;

  /// The label of a prism type text in the current units and constants.
  std::string PrismLabelOf(std::string_view prismTypeText) const;

 private:
  store::ProjectStationSettings settings_;
  TrainingFileLocation where_;
  TrainingColumnSpecs columns_;
  std::vector<TrainingPoint> rows_;
  bool unreadFile_ = false;
};

}  // namespace vigil::training
