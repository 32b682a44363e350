#include "training/TrainingStore.h"

#include <utility>

#include "platform/Files.h"
#include "platform/Format.h"
#include "survey/Coordinates.h"
#include "training/PointNames.h"
#include "training/TrainingFileFormat.h"

namespace vigil::training {

TrainingStore::TrainingStore(const store::ProjectStationSettings& settings, TrainingFileLocation where)
    : settings_(settings), where_(std::move(where)), columns_(TrainingColumns(settings)) {}

std::string TrainingStore::PrismLabelOf(std::string_view prismTypeText) const {
  const int type = platform::ParseIntOr(prismTypeText, survey::kPrismNone);
  if (type < survey::kPrismReference || type > survey::kPrismCustom) return {};
  return survey::PrismTypeLabel(settings_, type, /*constantsInDisplayUnit=*/true).text;
}

void TrainingStore::AddTrainingRow(std::string_view name, std::string_view ha, std::string_view va,
                                   std::string_view sd, std::string_view easting, std::string_view northing,
                                   std::string_view rl, std::string_view prismTypeText) {
  rows_.push_back(TrainingPoint{std::string(name), std::string(ha), std::string(va), std::string(sd),
                                std::string(easting), std::string(northing), std::string(rl),
                                std::string(prismTypeText), PrismLabelOf(prismTypeText)});
}

bool TrainingStore::SetTrainingRow(std::size_t index, const TrainingPoint& point) {
  if (index >= rows_.size()) return false;
  rows_[index] = point;
  rows_[index].prism_label = PrismLabelOf(point.prism_type);
  return true;
}

bool TrainingStore::RemoveTrainingRow(std::size_t index) {
  if (index >= rows_.size()) return false;
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

void TrainingStore::LoadTrainingText(std::string_view text) {
  LoadTrainingPoints(ParseTrainingText(text));
}

void TrainingStore::LoadTrainingPoints(const std::vector<TrainingPoint>& points) {
  rows_.clear();
  for (const TrainingPoint& p : points) {
    AddTrainingRow(p.name, p.ha, p.va, p.sd, p.easting, p.northing, p.rl, p.prism_type);
  }
}

TrainingReadResult TrainingStore::LoadTrainingFile() {
  rows_.clear();
  TrainingFileContent content = ReadTrainingFile(where_);
  unreadFile_ = content.result == TrainingReadResult::ReadFailed;
  for (const TrainingPoint& p : content.points) {
    AddTrainingRow(p.name, p.ha, p.va, p.sd, p.easting, p.northing, p.rl, p.prism_type);
  }
  return content.result;
}

std::string TrainingStore::BuildTrainingText() const {
  return training::BuildTrainingText(columns_, rows_);
}

bool TrainingStore::SaveTrainingFile() const {
  if (unreadFile_) return false;
  platform::CreateFolder(where_.folder);
  return platform::WriteUtf16FileAtomic(where_.file, BuildTrainingText());
}

std::string TrainingStore::NextPointName() const {
  if (rows_.empty()) return kFirstPointName;
  return NextPointNameAfter(rows_.back().name);
}

}  // namespace vigil::training
