// Import of coordinate and training files from external storage, and download of the
// training file to it.
#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "store/Placeholders.h"
#include "survey/Coordinates.h"
#include "survey/Units.h"
#include "training/CoordinateFile.h"
#include "training/ImportTypeDialog.h"
#include "training/TrainingDialog.h"
#include "training/TrainingFileFormat.h"

namespace vigil::training {

void TrainingDialog::Import() {
  ImportTypeDialog type(Translate());
  if (context_.Bracket().RunModal(type) != platform::kIdOk) return;
  const bool coordinates = type.CoordinateFile();

  const std::string folder = StorageFolder();
  if (folder.empty()) {
    Tell(Tr(texts::kNoCfImport), platform::MessageIcon::Exclamation);
    return;
  }
  if (!Ask(Tr(texts::kImportUnicode), platform::MessageIcon::Question)) return;

  context_.SetToBasicState(false);
  const std::optional<std::string> chosen =
      context_.Host().OpenFile(folder, coordinates ? kCoordinateFilter : kTrainingFilter);
  context_.SetToBasicState(true);
  if (!chosen || chosen->empty()) return;

  if (platform::FileExists(list_->Location().file)) {
    const store::ProjectStationSettings& s = context_.Settings();
    const std::string projectStation = platform::Format("%s-%s", {s.project, s.station});
    const TextKey& warning = coordinates ? texts::kOverwriteCoordinates : texts::kOverwriteTraining;
    if (!Ask(store::FillPlaceholders(Tr(warning), {{"{PROJ-STN}", projectStation}}),
             platform::MessageIcon::Exclamation)) {
      return;
    }
  }
  const std::optional<std::string> bytes = platform::ReadFileBytes(context_.Layout().Paths().Device(*chosen));
  if (!bytes) return;
  if (coordinates) {
    ImportCoordinates(*bytes);
  } else {
    ImportTraining(*bytes);
  }
}

void TrainingDialog::ImportCoordinates(const std::string& bytes) {
  const CoordinateFileContent content = ParseCoordinateFile(bytes);
  if (content.result == CoordinateFileResult::TooShort) return;
  if (content.result == CoordinateFileResult::NotUnicode) {
    Tell(Tr(texts::kNotUnicode));
    return;
  }
  store::ProjectStationSettings& s = context_.Settings();
  auto metres = [&](const std::string& displayText) {
    return platform::ParseDoubleOr(survey::DistanceToMetres(s, displayText), 0.0);
  };
  auto angle = [&](double gon) { return survey::FormatAngle(s, gon, survey::AngleFormat::Current, false); };

  list_->LoadTrainingText({});
  for (const CoordinateLine& line : content.lines) {
    if (line.station) {
      s.easting = metres(line.easting);
      s.northing = metres(line.northing);
      s.reduced_level = metres(line.rl) + s.instrument_height;
      context_.Store().SaveStationCoordinates();
      continue;
    }
    const survey::Observation o = survey::ComputeHaVaSd(survey::StationOf(s), metres(line.easting),
                                                        metres(line.northing), metres(line.rl));
    list_->AddTrainingRow(line.name, angle(o.haGon), angle(o.vaGon), survey::FormatDistance(s, o.sdMetres),
                          line.easting, line.northing, line.rl, platform::FormatInt(survey::kPrismNone));
  }
  Save();
  FillList();
  TellSkippedLines(content.skippedLines);
}

void TrainingDialog::TellSkippedLines(int count) {
  if (count <= 0) return;
  Tell(store::FillPlaceholders(Tr(texts::kLinesSkipped), {{"{line_count}", platform::FormatInt(count)}}),
       platform::MessageIcon::Exclamation);
}

void TrainingDialog::ImportTraining(const std::string& bytes) {
  // Read whole: points past the first 22,528 bytes are imported too.
  const TrainingText content = ReadTrainingText(platform::Utf16LeToUtf8(bytes));
  // An 8-bit file or one of headers only would otherwise empty the list and the file unasked.
  if (content.points.empty()) {
    Tell(Tr(texts::kNoPointsImported), platform::MessageIcon::Exclamation);
    return;
  }
  list_->LoadTrainingPoints(content.points);
  Save();
  FillList();
  TellSkippedLines(content.skippedLines);
}

void TrainingDialog::Download() {
  const std::filesystem::path file = list_->Location().file;
  if (file.empty() || !platform::FileExists(file)) {
    Tell(Tr(texts::kNothingToDownload), platform::MessageIcon::Exclamation);
    return;
  }
  const std::string folder = StorageFolder();
  if (folder.empty()) {
    Tell(Tr(texts::kNoCfDownload), platform::MessageIcon::Exclamation);
    return;
  }
  std::optional<std::string> destination = folder;
  if (browser_) {
    context_.SetToBasicState(false);
    destination = browser_(context_);
    context_.SetToBasicState(true);
  }
  if (!destination || destination->empty()) return;
  const std::string name = platform::PathText(file.filename());
  const std::filesystem::path target = context_.Layout().Paths().Device(*destination + "\\" + name);
  if (platform::CopyFileTo(file, target, /*failIfExists=*/false)) {
    Tell(Tr(texts::kDownloadSuccess), platform::MessageIcon::Information);
  }
}

}  // namespace vigil::training
