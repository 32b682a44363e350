// Add, Retrain, Verify and the C&I check of the training screen, and their completions.
#include "platform/Format.h"
#include "store/Placeholders.h"
#include "survey/Coordinates.h"
#include "survey/Units.h"
#include "training/NewPointNameDialog.h"
#include "training/TrainingDialog.h"

namespace vigil::training {

namespace {

// A name no row can carry (a TAB is refused in names): Add skips no point.
constexpr std::string_view kSkipNoPoint = "\t";

bool ReadAngle(const store::ProjectStationSettings& s, std::string_view text, double& gon) {
  return platform::ScanDouble(survey::ParseAngle(s, text), gon);
}

}  // namespace

void TrainingDialog::Add() {
  platform::DialogHost& host = context_.Host();
  NewPointNameDialog dialog(context_.Settings(), list_->NextPointName(), survey::kPrismMonitoring,
                            Translate(), [this, &host](const TextKey& text) {
                              host.MessageBox(Tr(text), {}, platform::MessageIcon::None,
                                              platform::MessageButtons::Ok);
                            });
  if (context_.Bracket().RunModal(dialog) != platform::kIdOk) return;
  currentName_ = dialog.Name();
  currentType_ = dialog.PrismType();
  currentConstantMm_ = dialog.ConstantMm();
  currentRow_ = -1;
  BeginJob(-1);
  context_.Engine().MeasureTarget(Routine(&TrainingDialog::OnAddMeasured), 0.0,
                                  /*relativeToOrientation=*/true,
                                  /*keepReflector=*/false);
}

void TrainingDialog::OnAddMeasured() {
  const link::MeasurementEngine& engine = context_.Engine();
  if (engine.ReadingResult() != 0) {
    if (batch_) NextHit();
    return;
  }
  const store::ProjectStationSettings& s = context_.Settings();
  const survey::Reading& r = engine.Reading();
  const survey::PointMatch match = survey::MatchTrainingPoint(s, r, Listed(), kSkipNoPoint);
  if (match.matched) {
    if (batch_) {
      NextHit();
    } else {
      Tell(store::FillPlaceholders(Tr(texts::kAlreadyAdded), {{"{prism_name}", match.name}}),
           platform::MessageIcon::Exclamation);
    }
    return;
  }
  auto angle = [&](double gon) { return survey::FormatAngle(s, gon, survey::AngleFormat::Current, false); };
  auto coordinate = [&](double metres) {
    return survey::MetresTextToDisplay(s, platform::FormatFixed(metres, 4));
  };
  list_->AddTrainingRow(currentName_, angle(r.haGon), angle(r.vaGon), survey::FormatDistance(s, r.sdMetres),
                        coordinate(r.eastingMetres), coordinate(r.northingMetres), coordinate(r.rlMetres),
                        platform::FormatInt(currentType_));
  Save();
  FillList();
  ListEnsureVisible(kListId, ListRowCount(kListId) - 1);
  if (batch_) NextHit();
}

void TrainingDialog::Retrain() {
  const int row = SelectedRow(texts::kSelectRetrain);
  if (row < 0) return;
  const TrainingPoint& point = list_->Rows()[static_cast<std::size_t>(row)];
  currentRow_ = row;
  currentName_ = point.name;
  currentType_ = platform::ParseIntOr(point.prism_type, survey::kPrismNone);
  if (!Ask(store::FillPlaceholders(Tr(texts::kConfirmPointing), {{"{prism_name}", currentName_}}),
           platform::MessageIcon::Question)) {
    return;
  }
  BeginJob(row);
  context_.Engine().MeasureTarget(Routine(&TrainingDialog::OnRetrainMeasured), 0.0,
                                  /*relativeToOrientation=*/true, /*keepReflector=*/false);
}

void TrainingDialog::OnRetrainMeasured() {
  const link::MeasurementEngine& engine = context_.Engine();
  if (engine.ReadingResult() != 0) return;
  const int row = JobRow();
  if (row < 0) {
    Tell(store::FillPlaceholders(Tr(texts::kPointChanged), {{"{prism_name}", currentName_}}),
         platform::MessageIcon::Exclamation);
    return;
  }
  currentRow_ = row;
  const store::ProjectStationSettings& s = context_.Settings();
  const survey::Reading reading = engine.Reading();
  const survey::PointMatch match = survey::MatchTrainingPoint(s, reading, Listed(), currentName_);
  if (match.matched) {
    TrainingPoint known;
    for (const TrainingPoint& p : list_->Rows()) {
      if (p.name == match.name) {
        known = p;
        break;
      }
    }
    const std::string question =
        RetrainQuestionText(s, Translate(), currentName_, reading, known, match.dSdMm);
    if (!Ask(question, platform::MessageIcon::Exclamation)) return;
  }
  TrainingPoint point = list_->Rows()[static_cast<std::size_t>(row)];
  point.ha = survey::FormatAngle(s, reading.haGon, survey::AngleFormat::Current, false);
  point.va = survey::FormatAngle(s, reading.vaGon, survey::AngleFormat::Current, false);
  point.sd = survey::FormatDistance(s, reading.sdMetres);
  point.easting = survey::FormatDistance(s, reading.eastingMetres);
  point.northing = survey::FormatDistance(s, reading.northingMetres);
  point.rl = survey::FormatDistance(s, reading.rlMetres);
  list_->SetTrainingRow(static_cast<std::size_t>(row), point);
  Save();
  FillList();
  Tell(RetrainSuccessText(s, Translate(), currentName_, reading), platform::MessageIcon::Information);
}

void TrainingDialog::Verify() {
  const int row = SelectedRow(texts::kSelectVerify);
  if (row < 0) return;
  const TrainingPoint& point = list_->Rows()[static_cast<std::size_t>(row)];
  currentRow_ = row;
  currentName_ = point.name;
  currentType_ = platform::ParseIntOr(point.prism_type, survey::kPrismNone);
  double ha = 0.0, va = 0.0;
  if (!ReadAngle(context_.Settings(), point.ha, ha) || !ReadAngle(context_.Settings(), point.va, va)) {
    Tell(Tr(texts::kVerifyFailed), platform::MessageIcon::Exclamation);
    return;
  }
  BeginJob(row);
  context_.Engine().TurnTo(ha, va, Routine(&TrainingDialog::OnVerifyMeasured), /*relativeToOrientation=*/true,
                           /*searchAfterTurn=*/true);
}

void TrainingDialog::OnVerifyMeasured() {
  const link::MeasurementEngine& engine = context_.Engine();
  if (engine.ReadingResult() != 0) {
    Tell(Tr(texts::kVerifyFailed), platform::MessageIcon::Exclamation);
    return;
  }
  // Compared with the texts the point had when the turn started, whatever happened since.
  Tell(VerifyText(context_.Settings(), Translate(), currentName_, engine.Reading(), jobPoint_),
       platform::MessageIcon::Information);
}

void TrainingDialog::CiCheck() {
  const int row = SelectedRow(texts::kSelectCiCheck);
  if (row < 0) return;
  const TrainingPoint& point = list_->Rows()[static_cast<std::size_t>(row)];
  currentRow_ = row;
  currentName_ = point.name;
  currentType_ = platform::ParseIntOr(point.prism_type, survey::kPrismNone);
  if (!ReadAngle(context_.Settings(), point.ha, ciStartHaGon_) ||
      !ReadAngle(context_.Settings(), point.va, ciStartVaGon_)) {
    Tell(Tr(texts::kCiFailed), platform::MessageIcon::Exclamation);
    return;
  }
  ciFace_ = 1;
  ci_ = {};
  BeginJob(row);
  TurnForCi(ciStartHaGon_, ciStartVaGon_);
}

void TrainingDialog::TurnForCi(double haGon, double vaGon) {
  context_.Engine().TurnTo(haGon, vaGon, Routine(&TrainingDialog::OnCiMeasured),
                           /*relativeToOrientation=*/true,
                           /*searchAfterTurn=*/true);
}

void TrainingDialog::OnCiMeasured() {
  const link::MeasurementEngine& engine = context_.Engine();
  if (engine.ReadingResult() != 0) {
    Tell(Tr(texts::kCiFailed), platform::MessageIcon::Exclamation);
    return;
  }
  if (ciFace_ == 1) {
    ci_.face1HaGon = engine.Reading().haGon;
    ci_.face1VaGon = engine.Reading().vaGon;
    ciFace_ = 2;
    const survey::Observation face2 = survey::OtherFace({ciStartHaGon_, ciStartVaGon_, 0.0});
    // The same job goes on: the second face belongs to the same row.
    pending_ = true;
    context_.Engine().SetPrismContext(currentName_, currentType_);
    TurnForCi(face2.haGon, face2.vaGon);
    return;
  }
  ci_.face2HaGon = engine.Reading().haGon;
  ci_.face2VaGon = engine.Reading().vaGon;
  Tell(CiText(context_.Settings(), ci_), platform::MessageIcon::Information);
}

}  // namespace vigil::training
