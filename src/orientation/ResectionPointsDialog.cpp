#include "orientation/ResectionPointsDialog.h"

#include <optional>
#include <utility>

#include "orientation/Resection.h"
#include "orientation/StationResultText.h"
#include "orientation/Tolerances.h"
#include "platform/Format.h"
#include "store/Placeholders.h"
#include "survey/Units.h"

namespace vigil::orientation {

namespace {

using platform::MessageButtons;
using platform::MessageIcon;

std::vector<platform::ListColumn> Columns(const store::ProjectStationSettings& s) {
  const bool gon = survey::AngleUnitOf(s) == survey::AngleUnit::Gon;
  const std::string angleSuffix = gon ? "(gons)" : "";
  const int angleWidth = gon ? 100 : 130;
  const std::string unit = survey::DistanceUnitLabel(s);
  return {
      {"Pt. Name", 100},
      {"Tol. Ha" + angleSuffix, angleWidth},
      {"Tol. Va" + angleSuffix, angleWidth},
      {platform::Format("Tol. SD(%s)", {unit}), 80},
      {platform::Format("Easting(%s)", {unit}), 80},
      {platform::Format("Northing(%s)", {unit}), 80},
      {platform::Format("RL(%s)", {unit}), 80},
  };
}

}  // namespace

ResectionPointsDialog::ResectionPointsDialog(ui::AppContext& context, ResectionState& state,
                                             training::TrainingFileLocation trainingFile,
                                             std::function<void()> countChanged, std::function<void()> accept)
    : Dialog(std::string(texts::kBtnResection.defaultText)),
      context_(context),
      state_(state),
      trainingFile_(std::move(trainingFile)),
      countChanged_(std::move(countChanged)),
      accept_(std::move(accept)) {
  AddReportList(kListId, {0, 0, 273, 137}, {});
  AddLabel(kEastingLabelId, "STN-E", {0, 142, 44, 16});
  AddEdit(kEastingId, {46, 142, 110, 16}, true);
  AddLabel(kNorthingLabelId, "STN-N", {160, 142, 44, 16});
  AddEdit(kNorthingId, {206, 142, 110, 16}, true);
  AddLabel(kLevelLabelId, "STN-RL", {0, 162, 44, 16});
  AddEdit(kLevelId, {46, 162, 110, 16}, true);
  AddLabel(kOrientationLabelId, std::string(texts::kOrientShort.defaultText), {160, 162, 44, 16});
  AddEdit(kOrientationId, {206, 162, 110, 16}, true);
  AddButton(kBackKeyId, std::string(texts::kBtnBack.defaultText), {0, 216, 80, 24});
  AddButton(kRemoveKeyId, std::string(texts::kBtnRemove.defaultText), {80, 216, 80, 24});
  AddButton(kResetKeyId, std::string(texts::kBtnReset.defaultText), {160, 216, 80, 24});
  AddButton(kAcceptKeyId, std::string(texts::kBtnAccept.defaultText), {240, 216, 80, 24});
}

std::string ResectionPointsDialog::Tr(const TextKey& text) const {
  return context_.Translate(text.key, text.defaultText);
}

void ResectionPointsDialog::OnInitDialog() {
  ListSetColumns(kListId, Columns(context_.Settings()));
  std::vector<store::TextEntry> t{
      {std::string(texts::kOrientShort.key), std::string(texts::kOrientShort.defaultText), {}},
      {std::string(texts::kBtnBack.key), std::string(texts::kBtnBack.defaultText), {}},
      {std::string(texts::kBtnRemove.key), std::string(texts::kBtnRemove.defaultText), {}},
      {std::string(texts::kBtnReset.key), std::string(texts::kBtnReset.defaultText), {}},
      {std::string(texts::kBtnAccept.key), std::string(texts::kBtnAccept.defaultText), {}},
  };
  context_.TranslateAll(t);
  SetText(kOrientationLabelId, t[0].translated);
  SetText(kBackKeyId, t[1].translated);
  SetText(kRemoveKeyId, t[2].translated);
  SetText(kResetKeyId, t[3].translated);
  SetText(kAcceptKeyId, t[4].translated);
  FillList();
  ShowResult();
  RefreshTitle();
}

void ResectionPointsDialog::OnPaint() {
  RegisterSoftKeys(kBackKeyId, kRemoveKeyId, kResetKeyId, kAcceptKeyId);
}

void ResectionPointsDialog::OnCommand(int controlId) {
  switch (controlId) {
    case kBackKeyId:
      EndDialog(platform::kIdCancel);
      break;
    case kRemoveKeyId:
      Remove();
      break;
    case kResetKeyId:
      Reset();
      break;
    case kAcceptKeyId:
      Accept();
      break;
    default:
      break;
  }
}

void ResectionPointsDialog::RefreshTitle() {
  SetTitle(context_.StationTitleOf(
      Tr(texts::kBtnResection),
      CountSuffix(state_.resection_count, [this](std::string_view key, std::string_view def) {
        return context_.Translate(key, def);
      })));
}

bool ResectionPointsDialog::IsUsable(const ResectionPoint& p) const {
  return p.manual || training::FindTrainingPoint(trainingFile_, p.name).has_value();
}

void ResectionPointsDialog::FillList() {
  const store::ProjectStationSettings& s = context_.Settings();
  ListClear(kListId);
  rowPoint_.clear();
  const survey::StationPosition provisional{state_.res_e, state_.res_n, state_.res_rl};
  for (std::size_t i = 0; i < state_.resection_points.size(); ++i) {
    const ResectionPoint& p = state_.resection_points[i];
    const std::optional<training::FoundTrainingPoint> trained =
        training::FindTrainingPoint(trainingFile_, p.name);
    if (!trained && !p.manual) continue;
    std::vector<std::string> cells(7);
    cells[kColName] = p.name;
    if (state_.HasResult()) {
      if (p.manual) {
        cells[kColTolHa] = cells[kColTolVa] = cells[kColTolSd] = "0";
      } else {
        const Residuals r = ResidualsOf(s, provisional, p, *trained);
        cells[kColTolHa] = r.ha;
        cells[kColTolVa] = r.va;
        cells[kColTolSd] = r.sd;
      }
    }
    cells[kColEasting] = survey::FormatDistance(s, p.e);
    cells[kColNorthing] = survey::FormatDistance(s, p.n);
    cells[kColRl] = survey::FormatDistance(s, p.rl);
    ListAddRow(kListId, std::move(cells));
    rowPoint_.push_back(i);
  }
}

void ResectionPointsDialog::ShowResult() {
  const ResultTexts t = ResultTextsOf(context_.Settings(), state_);
  SetText(kEastingId, t.easting);
  SetText(kNorthingId, t.northing);
  SetText(kLevelId, t.markLevel);
  SetText(kOrientationId, t.orientation);
}

void ResectionPointsDialog::Remove() {
  const int row = ListSelected(kListId);
  if (row < 0 || row >= static_cast<int>(rowPoint_.size())) {
    context_.Bracket().MessageBox(Tr(texts::kSelectRemove));
    return;
  }
  const std::size_t index = rowPoint_[static_cast<std::size_t>(row)];
  const std::string question = store::FillPlaceholders(
      Tr(texts::kConfirmRemove), {{"{prism_name}", state_.resection_points[index].name}});
  if (context_.Bracket().MessageBox(question, {}, MessageIcon::Error, MessageButtons::YesNo) !=
      platform::kIdYes) {
    return;
  }
  state_.resection_points.erase(state_.resection_points.begin() + static_cast<std::ptrdiff_t>(index));
  const int dropped = RecomputeResection(state_, [this](const ResectionPoint& p) { return IsUsable(p); });
  for (int i = 0; i < dropped; ++i) context_.Bracket().MessageBox(Tr(texts::kTooClose));
  FillList();
  ShowResult();
  RefreshTitle();
  if (countChanged_) countChanged_();
}

void ResectionPointsDialog::Reset() {
  if (context_.Bracket().MessageBox(Tr(texts::kConfirmReset), {}, MessageIcon::Question,
                                    MessageButtons::YesNo) != platform::kIdYes) {
    return;
  }
  ResetResection(state_);
  if (countChanged_) countChanged_();
  FillList();
  ShowResult();
  RefreshTitle();
}

void ResectionPointsDialog::Accept() {
  if (!state_.HasResult()) {
    context_.Bracket().MessageBox(Tr(texts::kNotEnough));
    return;
  }
  const std::string question = StationResultText(
      context_.Settings(), state_,
      [this](std::string_view key, std::string_view def) { return context_.Translate(key, def); });
  if (context_.Bracket().MessageBox(question, {}, MessageIcon::Question, MessageButtons::YesNo) !=
      platform::kIdYes) {
    return;
  }
  if (accept_) accept_();
  EndDialog(platform::kIdOk);
}

}  // namespace vigil::orientation
