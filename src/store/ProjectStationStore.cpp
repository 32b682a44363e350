#include "store/ProjectStationStore.h"

#include <string>

#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "store/KeyValueFile.h"
#include "store/SettingsFileReader.h"

namespace vigil::store {

namespace {

// The names become file names: anything that could leave the station folder is refused.
bool NamesValid(std::string_view project, std::string_view station) {
  return platform::IsValidFileNamePart(project) && platform::IsValidFileNamePart(station);
}

std::string FileName(std::string_view project, std::string_view station) {
  return std::string(project) + "_" + std::string(station) + ".txt";
}

}  // namespace

ProjectStationStore::ProjectStationStore(StorageLayout layout) : layout_(std::move(layout)) {}

fs::path ProjectStationStore::StationFilePath() const {
  if (!NamesValid(settings_.project, settings_.station)) return {};
  return layout_.StationFilePath(settings_.project, settings_.station);
}

void ProjectStationStore::ResetProjectStation() {
  settings_ = ProjectStationSettings{};
  trainingFilePath_.clear();
}

LoadResult ProjectStationStore::LoadProjectStation(bool moveTraining) {
  LoadResult result = LoadResult::NameInvalid;
  if (NamesValid(settings_.project, settings_.station)) {
    const KeyValueFile file(layout_.StationFilePath(settings_.project, settings_.station));
    const std::string project = file.Get("project");
    if (project.empty()) {
      result = LoadResult::NothingToLoad;
    } else if (NamesValid(project, file.Get("station"))) {
      ReadSettingsFile(file, settings_);
      result = LoadResult::Loaded;
    }
  }

  const fs::path oldTraining = trainingFilePath_;
  trainingFilePath_ = NamesValid(settings_.project, settings_.station)
                          ? layout_.TrainingFilePath(settings_.project, settings_.station)
                          : fs::path();
  if (moveTraining && !oldTraining.empty() && !trainingFilePath_.empty() &&
      oldTraining != trainingFilePath_) {
    if (platform::CopyFileTo(oldTraining, trainingFilePath_, false)) platform::DeleteFileAt(oldTraining);
  }
  return result;
}

bool ProjectStationStore::SaveStationCoordinates() {
  const fs::path path = StationFilePath();
  if (path.empty()) return false;
  KeyValueFile file(path);
  file.Set("easting", platform::Format("%lf", {settings_.easting}));
  file.Set("northing", platform::Format("%lf", {settings_.northing}));
  file.Set("reduced_level", platform::Format("%lf", {settings_.reduced_level - settings_.instrument_height}));
  file.Set("orientation", platform::Format("%lf", {settings_.orientation}));
  return file.Save();
}

bool ProjectStationStore::StationFileExists(std::string_view project, std::string_view station) const {
  // The controller's file system ignores letter case; so does this test.
  return platform::FileExists(layout_.StationFilePath(project, station)) ||
         !platform::FindFiles(layout_.StationFolder(), FileName(project, station), true).empty();
}

SaveResult ProjectStationStore::SaveProjectStation(std::string_view project, std::string_view station,
                                                   bool isNew, const SettingsEntries& entries) {
  if (!NamesValid(project, station)) return SaveResult::NameInvalid;
  const bool oldValid = NamesValid(settings_.project, settings_.station);
  const bool renamed = project != settings_.project || station != settings_.station;

  // Renaming onto another project-station would overwrite its settings and, through the
  // training move, its training points.
  if ((isNew || renamed) && StationFileExists(project, station)) {
    const bool sameFile = !isNew && oldValid &&
                          platform::ToLowerAscii(FileName(project, station)) ==
                              platform::ToLowerAscii(FileName(settings_.project, settings_.station));
    if (!sameFile) return SaveResult::AlreadyExists;
  }

  KeyValueFile file(layout_.StationFilePath(project, station));
  if (!file.Set("project", project) || !file.Set("station", station)) return SaveResult::ValueInvalid;
  for (const auto& [key, value] : entries) {
    if (key == "project" || key == "station") continue;
    if (!file.Set(key, value)) return SaveResult::ValueInvalid;
  }
  if (!file.Save()) return SaveResult::WriteFailed;

  // Only now: deleting first would lose the settings when the write fails. A new
  // project-station has no file of its own yet; the names it starts with are only defaults.
  if (!isNew && renamed && oldValid) {
    platform::DeleteFileAt(layout_.StationFilePath(settings_.project, settings_.station));
  }
  settings_.project = std::string(project);
  settings_.station = std::string(station);
  return SaveResult::Saved;
}

}  // namespace vigil::store
