#include "training/TrainingFile.h"

#include "platform/Files.h"
#include "platform/Format.h"
#include "survey/Reading.h"
#include "training/TrainingFileFormat.h"

namespace vigil::training {
namespace {

const TrainingPoint* FirstNamed(const std::vector<TrainingPoint>& points, std::string_view name) {
  for (const TrainingPoint& p : points) {
    if (p.name == name) return &p;
  }
  return nullptr;
}

}  // namespace

TrainingFileLocation TrainingFileOf(const store::StorageLayout& layout,
                                    const store::ProjectStationSettings& s) {
  return {layout.TrainingFolder(), layout.TrainingFilePath(s.project, s.station)};
}

TrainingFileContent ReadTrainingFile(const TrainingFileLocation& where) {
  platform::CreateFolder(where.folder);
  TrainingFileContent content;
  if (!platform::FileExists(where.file)) return content;
  const std::optional<std::string> text = platform::ReadUtf16File(where.file);
  if (!text) {
    content.result = TrainingReadResult::ReadFailed;
    return content;
  }
  content.result = TrainingReadResult::Read;
  content.points = ParseTrainingText(*text);
  return content;
}

std::optional<FoundTrainingPoint> FindTrainingPoint(const TrainingFileLocation& where,
                                                    std::string_view name) {
  const TrainingFileContent content = ReadTrainingFile(where);
  const TrainingPoint* p = FirstNamed(content.points, name);
  if (p == nullptr) return std::nullopt;
  return FoundTrainingPoint{p->ha, p->va, p->sd, p->easting, p->northing, p->rl};
}

int LookUpPrismType(const TrainingFileLocation& where, std::string_view name) {
  const TrainingFileContent content = ReadTrainingFile(where);
  const TrainingPoint* p = FirstNamed(content.points, name);
  if (p == nullptr) return survey::kPrismNone;
  return platform::ParseIntOr(p->prism_type, survey::kPrismNone);
}

}  // namespace vigil::training
