// Reading the training file of a project-station, and the lookups that read it directly.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/ProjectStationSettings.h"
#include "store/StorageLayout.h"
#include "training/TrainingPoint.h"

namespace vigil::training {

/// Where a project-station's training file lives.
struct TrainingFileLocation {
  std::filesystem::path folder;  ///< the Training folder, created on every read and write
  std::filesystem::path file;    ///< "<project>_<station>.ini" in it
};

TrainingFileLocation TrainingFileOf(const store::StorageLayout& layout,
                                    const store::ProjectStationSettings& s);

enum class TrainingReadResult {
  Read,       ///< the file was read (it may hold no points)
  NoFile,     ///< there is no training file yet
  ReadFailed  ///< the file exists but could not be read
};

struct TrainingFileContent {
  TrainingReadResult result = TrainingReadResult::NoFile;
  std::vector<TrainingPoint> points;  ///< labels empty
};

/// The whole file, parsed by ParseTrainingText.
TrainingFileContent ReadTrainingFile(const TrainingFileLocation& where);

/// The stored observation and coordinates of a point, as texts.
struct FoundTrainingPoint {
  std::string ha;
  std::string va;
  std::string sd;
  std::string easting;
  std::string northing;
  std::string rl;
};

/// The first point of the file named exactly `name`; nullopt when the file is missing or
/// unreadable or has no such point.
std::optional<FoundTrainingPoint> FindTrainingPoint(const TrainingFileLocation& where, std::string_view name);

/// The prism type number of the first point named `name`; -1 when the file is missing or has
/// no such point (or its type is not a number).
int LookUpPrismType(const TrainingFileLocation& where, std::string_view name);

}  // namespace vigil::training
