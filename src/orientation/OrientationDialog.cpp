#include "orientation/OrientationDialog.h"

#include <cmath>
#include <vector>

#include "orientation/ApplyResection.h"
#include "orientation/ManualResectionDialog.h"
#include "orientation/Resection.h"
#include "orientation/ResectionPointsDialog.h"
#include "platform/Format.h"
#include "store/Placeholders.h"
#include "survey/Coordinates.h"
#include "survey/Units.h"
#include "training/TrainingColumns.h"

namespace vigil::orientation {

namespace {

/// A reorientation target further off than this from the trained point in Va (gon) or SD (m)
/// is probably another prism.
constexpr double kPlausibleVaGon = 0.1;
constexpr double kPlausibleSdMetres = 0.1;

using platform::MessageButtons;
using platform::MessageIcon;

bool ReadNumber(std::string_view text, double& value) {
  return platform::ScanDouble(text, value);
}

}  // namespace

OrientationDialog::OrientationDialog(ui::AppContext& context, ResectionState& state)
    : Dialog(std::string(texts::kTitleOrientation.defaultText)),
      context_(context),
      state_(state),
      alive_(std::make_shared<OrientationDialog*>(this)) {
  AddReportList(kListId, {0, 0, 272, 184}, {});
  AddButton(kReorientKeyId, std::string(texts::kBtnReorient.defaultText), {0, 216, 80, 24});
  AddButton(kResectionKeyId, std::string(texts::kBtnResection.defaultText), {80, 216, 80, 24});
  AddButton(kManualKeyId, std::string(texts::kBtnManual.defaultText), {160, 216, 80, 24});
  AddButton(kPointsKeyId, std::string(texts::kBtnPoints.defaultText), {240, 216, 80, 24});
}

OrientationDialog::~OrientationDialog() = default;

std::string OrientationDialog::Tr(const TextKey& text) const {
  return context_.Translate(text.key, text.defaultText);
}

void OrientationDialog::Tell(const std::string& text, MessageIcon icon) {
  context_.Bracket().MessageBox(text, {}, icon, MessageButtons::Ok);
}

bool OrientationDialog::Ask(const std::string& text) {
  return context_.Bracket().MessageBox(text, {}, MessageIcon::Question, MessageButtons::YesNo) ==
         platform::kIdYes;
}

void OrientationDialog::OnInitDialog() {
  const store::ProjectStationSettings& s = context_.Settings();
  list_.emplace(s, training::TrainingFileOf(context_.Layout(), s));
  std::vector<platform::ListColumn> columns;
  for (const training::TrainingColumnSpec& c : list_->Columns()) {
    columns.push_back({c.header, c.widthPixels});
  }
  ListSetColumns(kListId, std::move(columns));
  list_->LoadTrainingFile();
  FillList();

  std::vector<store::TextEntry> t{
      {std::string(texts::kBtnReorient.key), std::string(texts::kBtnReorient.defaultText), {}},
      {std::string(texts::kBtnResection.key), std::string(texts::kBtnResection.defaultText), {}},
      {std::string(texts::kBtnManual.key), std::string(texts::kBtnManual.defaultText), {}},
      {std::string(texts::kBtnPoints.key), std::string(texts::kBtnPoints.defaultText), {}},
  };
  context_.TranslateAll(t);
  SetText(kReorientKeyId, t[0].translated);
  SetText(kResectionKeyId, t[1].translated);
  SetText(kManualKeyId, t[2].translated);
  SetText(kPointsKeyId, t[3].translated);
  RefreshTitle();
}

void OrientationDialog::OnPaint() {
  RegisterSoftKeys(kReorientKeyId, kResectionKeyId, kManualKeyId, kPointsKeyId);
}

void OrientationDialog::FillList() {
  const int selected = ListSelected(kListId);
  ListClear(kListId);
  if (!list_) return;
  for (const training::TrainingPoint& p : list_->Rows()) {
    std::vector<std::string> cells;
    for (std::size_t c = 0; c < training::kTrainingColumnCount; ++c)
      cells.push_back(training::ColumnText(p, c));
    ListAddRow(kListId, std::move(cells));
  }
  if (selected >= 0 && selected < ListRowCount(kListId)) ListSelect(kListId, selected);
}

void OrientationDialog::RefreshTitle() {
  const Translator tr = [this](std::string_view key, std::string_view def) {
    return context_.Translate(key, def);
  };
  SetTitle(context_.StationTitleOf(Tr(texts::kTitleOrientation), CountSuffix(state_.resection_count, tr)));
}

ResultTexts OrientationDialog::Results() const {
  return ResultTextsOf(context_.Settings(), state_);
}

std::string OrientationDialog::StationResultText() const {
  return orientation::StationResultText(
      context_.Settings(), state_,
      [this](std::string_view key, std::string_view def) { return context_.Translate(key, def); });
}

void OrientationDialog::OnCommand(int controlId) {
  switch (controlId) {
    case kReorientKeyId:
      Reorient();
      break;
    case kResectionKeyId:
      Resection();
      break;
    case kManualKeyId:
      Manual();
      break;
    case kPointsKeyId:
      Points();
      break;
    default:
      break;
  }
}

link::CompletionRoutine OrientationDialog::Routine(void (OrientationDialog::*member)()) {
  std::weak_ptr<OrientationDialog*> alive = alive_;
  return [alive, member] {
    if (auto self = alive.lock()) ((**self).*member)();
  };
}

std::optional<int> OrientationDialog::SelectedRow(const TextKey& selectFirst) {
  const int row = ListSelected(kListId);
  if (row < 0 || !list_ || row >= static_cast<int>(list_->Rows().size())) {
    Tell(Tr(selectFirst));
    return std::nullopt;
  }
  return row;
}

void OrientationDialog::MeasureRow(void (OrientationDialog::*completion)()) {
  const std::string& name = list_->Rows()[static_cast<std::size_t>(refRow_)].name;
  if (!Ask(store::FillPlaceholders(Tr(texts::kConfirmPointing), {{"{prism_name}", name}}))) return;
  link::MeasurementEngine& engine = context_.Engine();
  engine.SetPrismContext(name, training::LookUpPrismType(list_->Location(), name));
  engine.MeasureTarget(Routine(completion), 0.0, false, false);
}

void OrientationDialog::Reorient() {
  const std::optional<int> row = SelectedRow(texts::kSelectReorient);
  if (!row) return;
  refRow_ = *row;
  MeasureRow(&OrientationDialog::OnReorientMeasured);
}

void OrientationDialog::Resection() {
  const std::optional<int> row = SelectedRow(texts::kSelectResection);
  if (!row) return;
  refRow_ = *row;
  double sd = 0.0;
  const training::TrainingPoint& p = list_->Rows()[static_cast<std::size_t>(refRow_)];
  ReadNumber(survey::DistanceToMetres(context_.Settings(), p.sd), sd);
  context_.Engine().MutableReading().sdMetres = sd;
  MeasureRow(&OrientationDialog::OnResectionMeasured);
}

void OrientationDialog::Manual() {
  std::string e;
  std::string n;
  std::string rl;
  const int row = ListSelected(kListId);
  if (list_ && row >= 0 && row < static_cast<int>(list_->Rows().size())) {
    const training::TrainingPoint& p = list_->Rows()[static_cast<std::size_t>(row)];
    e = p.easting;
    n = p.northing;
    rl = p.rl;
  }
  ManualResectionDialog manual(context_, e, n, rl);
  if (context_.Bracket().RunModal(manual) != platform::kIdOk) return;
  refRow_ = -1;
  refName_ = manual.PointName();
  refE_ = manual.EastingMetres();
  refN_ = manual.NorthingMetres();
  refRl_ = manual.RlMetres() + manual.TargetHeightMetres();
  if (!Ask(Tr(texts::kConfirmPointPrism))) return;
  context_.Engine().MeasureTarget(Routine(&OrientationDialog::OnResectionMeasured), 0.0, false, false);
}

void OrientationDialog::Points() {
  if (!list_) return;
  ResectionPointsDialog points(
      context_, state_, list_->Location(), [this] { RefreshTitle(); }, [this] { Apply(); });
  context_.Bracket().RunModal(points);
  FillList();
}

void OrientationDialog::OnReorientMeasured() {
  link::MeasurementEngine& engine = context_.Engine();
  engine.SetPrismContext("", survey::kPrismNone);
  if (engine.ReadingResult() != 0 || !list_ || refRow_ < 0 ||
      refRow_ >= static_cast<int>(list_->Rows().size())) {
    Tell(Tr(texts::kFailedReading));
    return;
  }
  const store::ProjectStationSettings& s = context_.Settings();
  const survey::Reading& r = engine.Reading();
  const training::TrainingPoint& p = list_->Rows()[static_cast<std::size_t>(refRow_)];
  double ha = 0.0;
  double va = 0.0;
  double sd = 0.0;
  if (!ReadNumber(survey::ParseAngle(s, p.ha), ha)) {
    Tell(Tr(texts::kFailedReading));
    return;
  }
  const bool plausible =
      ReadNumber(survey::ParseAngle(s, p.va), va) && ReadNumber(survey::DistanceToMetres(s, p.sd), sd) &&
      std::fabs(r.vaGon - va) <= kPlausibleVaGon && std::fabs(r.sdMetres - sd) <= kPlausibleSdMetres;
  double referenceHa = ha;
  if (!plausible && Ask(store::FillPlaceholders(Tr(texts::kMoreThan), {{"{prism_name}", p.name}}))) {
    std::vector<survey::ListedPoint> listed;
    for (const training::TrainingPoint& q : list_->Rows()) listed.push_back({q.name, q.ha, q.va, q.sd});
    // The listed Ha are grid directions; the reading is the raw circle, so it is compared in the
    // frame of the current orientation.
    survey::Reading relative = r;
    relative.haGon = survey::NormaliseAngle(r.haGon - s.orientation);
    const survey::PointMatch match = survey::MatchTrainingPoint(s, relative, listed, p.name);
    if (match.matched) {
      const std::string distance = platform::Format("%1.1lf", {match.dSdMm});
      if (Ask(store::FillPlaceholders(Tr(texts::kClosest),
                                      {{"{prism_name}", match.name}, {"{distance}", distance}}))) {
        referenceHa = match.haGon;
      }
    }
  }
  const double correction = ReorientationCorrection(r.haGon, referenceHa);
  const std::string shown = survey::FormatAngleWithUnit(s, correction);
  if (!Ask(store::FillPlaceholders(Tr(texts::kCorrection), {{"{orientation}", shown}}))) return;
  context_.Settings().orientation = correction;
  if (!context_.Store().SaveStationCoordinates())
    Tell(std::string(kStationNotSavedText), MessageIcon::Exclamation);
}

void OrientationDialog::OnResectionMeasured() {
  link::MeasurementEngine& engine = context_.Engine();
  engine.SetPrismContext("", survey::kPrismNone);
  if (engine.ReadingResult() != 0) {
    Tell(Tr(texts::kFailedReading));
    return;
  }
  const store::ProjectStationSettings& s = context_.Settings();
  std::string name = refName_;
  ResectionTarget target{refE_, refN_, refRl_};
  const bool manual = refRow_ < 0;
  if (!manual) {
    if (!list_ || refRow_ >= static_cast<int>(list_->Rows().size())) {
      Tell(Tr(texts::kFailedReading));
      return;
    }
    const training::TrainingPoint& p = list_->Rows()[static_cast<std::size_t>(refRow_)];
    name = p.name;
    // A row without coordinates cannot place the station.
    if (!ReadNumber(survey::DistanceToMetres(s, p.easting), target.eastingMetres) ||
        !ReadNumber(survey::DistanceToMetres(s, p.northing), target.northingMetres) ||
        !ReadNumber(survey::DistanceToMetres(s, p.rl), target.rlMetres)) {
      Tell(Tr(texts::kFailedReading));
      return;
    }
  }
  survey::Reading& r = engine.MutableReading();
  r.eastingMetres = target.eastingMetres;
  r.northingMetres = target.northingMetres;
  r.rlMetres = target.rlMetres;

  const ResectionOutcome outcome =
      AddResectionObservation(state_, name, {r.haGon, r.vaGon, r.sdMetres}, target, manual);
  if (outcome == ResectionOutcome::kTooClose) {
    Tell(Tr(texts::kTooClose));
  } else if (outcome == ResectionOutcome::kCaptured) {
    RefreshTitle();
    Tell(Tr(texts::kCaptured), MessageIcon::Information);
  } else if (Ask(StationResultText())) {
    Apply();
  } else {
    Tell(Tr(texts::kMoveNext), MessageIcon::Information);
  }
  RefreshTitle();
}

void OrientationDialog::Apply() {
  const ApplyResult result = ApplyResection(context_.Store(), *list_, state_);
  FillList();
  RefreshTitle();
  if (!result.stationSaved) Tell(std::string(kStationNotSavedText), MessageIcon::Exclamation);
  if (!result.trainingSaved) Tell(std::string(kTrainingNotSavedText), MessageIcon::Exclamation);
}

}  // namespace vigil::orientation
