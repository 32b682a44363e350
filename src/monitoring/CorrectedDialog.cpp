#include "monitoring/CorrectedDialog.h"

#include "monitoring/MonitoringTexts.h"
#include "monitoring/PointPlotDialog.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "results/Export.h"
#include "results/ResultsDatabase.h"

namespace vigil::monitoring {

CorrectedDialog::CorrectedDialog(ui::AppContext& context, std::filesystem::path database)
    : Dialog("Corrected"), context_(context), database_(std::move(database)) {
  AddLabel(kStateLabelId, "", {0, 0, 320, 28});
  AddReportList(kListId, {0, 30, 320, 182},
                {{"Point", 80}, {"dE (mm)", 64}, {"dN (mm)", 64}, {"dH (mm)", 64}, {"Sig", 40}});
  AddButton(kSoftKey1Id, "", {0, 216, 80, 24});
  AddButton(kSoftKey2Id, "", {80, 216, 80, 24});
  AddButton(kSoftKey3Id, "", {160, 216, 80, 24});
  AddButton(kCloseKeyId, "Close", {240, 216, 80, 24});
}

void CorrectedDialog::OnInitDialog() {
  SetTitle(context_.StationTitleOf(context_.Translate(texts::kCorrected.key, texts::kCorrected.defaultText)));
  SetText(kCloseKeyId, context_.Translate(texts::kClose.key, texts::kClose.defaultText));
  SetText(kSoftKey1Id, context_.Translate(texts::kPlot.key, texts::kPlot.defaultText));
  Fill();
}

void CorrectedDialog::OnPaint() {
  RegisterSoftKeys(kSoftKey1Id, kSoftKey2Id, kSoftKey3Id, kCloseKeyId);
}

void CorrectedDialog::OnCommand(int controlId) {
  if (controlId == kCloseKeyId) EndDialog(platform::kIdCancel);
  if (controlId == kSoftKey1Id) OpenPlot();
}

void CorrectedDialog::OpenPlot() {
  const int row = ListSelected(kListId);
  if (row < 0) {
    context_.Bracket().MessageBox(
        context_.Translate(texts::kSelectPoint.key, texts::kSelectPoint.defaultText));
    return;
  }
  PointPlotDialog plot(context_, database_, ListCell(kListId, row, 0));
  context_.Host().RunModal(plot);
}

void CorrectedDialog::Fill() {
  ListClear(kListId);
  const store::ProjectStationSettings& s = context_.Settings();
  const auto say = [this](const texts::Text& t) {
    SetText(kStateLabelId, context_.Translate(t.key, t.defaultText));
  };
  std::string error;
  std::unique_ptr<results::ResultsDatabase> db;
  if (platform::FileExists(database_)) db = results::ResultsDatabase::Open(database_, error);
  const std::vector<results::StoredCycle> cycles =
      db ? db->Cycles(s.project, s.station) : std::vector<results::StoredCycle>{};
  if (cycles.empty()) {
    say(texts::kNoEvaluatedCycle);
    return;
  }
  const results::StoredCycle& last = cycles.back();
  const std::string when = results::LocalTimeText(last.firstMs);
  const std::string cycle = platform::Format(
      "%s %s, %s %d: ",
      {when.substr(0, 10), when.substr(11, 5),
       context_.Translate(texts::kCycleWord.key, texts::kCycleWord.defaultText), last.cycleNumber});
  if (last.corrected) {
    std::string line = cycle +
                       context_.Translate(texts::kCorrectedFrom.key, texts::kCorrectedFrom.defaultText) +
                       " " + last.referencesUsed;
    if (!last.referencesExcluded.empty())
      line += "\r\n" + context_.Translate(texts::kExcluded.key, texts::kExcluded.defaultText) + " " +
              last.referencesExcluded;
    SetText(kStateLabelId, line);
  } else {
    SetText(kStateLabelId,
            cycle + context_.Translate(texts::kNotCorrected.key, texts::kNotCorrected.defaultText) + " " +
                last.uncorrectedWhy);
  }
  for (const results::StoredPoint& p : db->Points(s.project, s.station, "", last.firstMs, last.lastMs)) {
    if (p.cycleId != last.id) continue;
    if (!p.hasDisplacement) {
      ListAddRow(kListId, {p.point, "", "", "", ""});
      continue;
    }
    ListAddRow(kListId, {p.point, platform::FormatFixed(p.eastMm, 2), platform::FormatFixed(p.northMm, 2),
                         platform::FormatFixed(p.levelMm, 2), p.significant ? "*" : ""});
  }
}

}  // namespace vigil::monitoring
