// The current project-station: its settings in memory, its settings file and the path of its
// training file. Every screen reads and changes the settings through the one store.
#pragma once

#include <filesystem>
#include <string_view>

#include "store/ProjectStationSettings.h"
#include "store/SettingsEntries.h"
#include "store/StorageLayout.h"
#include "store/StoreResults.h"

namespace vigil::store {

class ProjectStationStore {
 public:
  /// Starts with the default settings and no training file path.
  explicit ProjectStationStore(StorageLayout layout);

  const StorageLayout& Layout() const { return layout_; }
  const ProjectStationSettings& Settings() const { return settings_; }
  ProjectStationSettings& Settings() { return settings_; }

  /// The training file of the current project-station; empty until the first load.
  const fs::path& TrainingFilePath() const { return trainingFilePath_; }

  /// The settings file of the current names; empty when they are not valid file name parts.
  fs::path StationFilePath() const;

  /// Every setting back to its default and the training file path emptied.
  void ResetProjectStation();

  /// The settings and the training file path, as Restore takes them back.
  struct Kept {
    ProjectStationSettings settings;
    fs::path trainingFilePath;
  };
  Kept Keep() const { return {settings_, trainingFilePath_}; }
  void Restore(const Kept& kept) {
    settings_ = kept.settings;
    trainingFilePath_ = kept.trainingFilePath;
  }

  /// Reads the current project-station's file into the settings, then points the training
  /// file path at the (possibly new) names. With `moveTraining`, a training file of the
  /// previous path is moved to the new one (replacing a file there); when the copy fails the
  /// old file stays and the path still names the new one.
  LoadResult LoadProjectStation(bool moveTraining);

  /// Writes `easting`, `northing`, `reduced_level` (the mark: axis level minus
  /// `instrument_height`) and `orientation` with "%lf" into the current file, keeping its
  /// other lines. False when the names are invalid or the file could not be written.
  bool SaveStationCoordinates();

  /// Saves the settings sheet: `project` and `station`, then `entries` in order (a
  /// `project` or `station` key among them is ignored: the names given are what is stored).
  /// An existing file of these names keeps its other lines. Refused when a name is not a
  /// valid file name part, or when a file of these names exists and `isNew` is set or the
  /// edited project-station is being renamed onto it. The file of the old names is deleted
  /// only after the new one is written, and only when editing. On success the names become
  /// the current ones; the caller then loads with `moveTraining` set.
  SaveResult SaveProjectStation(std::string_view project, std::string_view station, bool isNew,
                                const SettingsEntries& entries);

 private:
  bool StationFileExists(std::string_view project, std::string_view station) const;

  StorageLayout layout_;
  ProjectStationSettings settings_;
  fs::path trainingFilePath_;
};

}  // namespace vigil::store
