#include "monitoring/CyclesDialog.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "monitoring/CycleFileName.h"
#include "monitoring/CycleListOrder.h"
#include "monitoring/MonitoringTexts.h"
#include "platform/Files.h"

namespace vigil::monitoring {

CyclesDialog::CyclesDialog(ui::AppContext& context, std::filesystem::path dataFolder)
    : Dialog("Cycles"), context_(context), dataFolder_(std::move(dataFolder)) {
  AddReportList(kListId, {0, 0, 320, 212}, {{"Date", 80}, {"Cycle", 50}, {"Filename", 180}});
  AddButton(kViewKeyId, "View", {0, 216, 80, 24});
  AddButton(kSoftKey2Id, "", {80, 216, 80, 24});
  AddButton(kSoftKey3Id, "", {160, 216, 80, 24});
  AddButton(kCloseKeyId, "Close", {240, 216, 80, 24});
}

void CyclesDialog::OnInitDialog() {
  SetTitle(context_.Translate(texts::kCycles.key, texts::kCycles.defaultText));
  SetText(kViewKeyId, context_.Translate(texts::kView.key, texts::kView.defaultText));
  SetText(kCloseKeyId, context_.Translate(texts::kClose.key, texts::kClose.defaultText));
  FillList();
}

void CyclesDialog::OnPaint() {
  RegisterSoftKeys(kViewKeyId, kSoftKey2Id, kSoftKey3Id, kCloseKeyId);
}

void CyclesDialog::FillList() {
  ListClear(kListId);
  const store::ProjectStationSettings& s = context_.Settings();
  const std::string pattern = s.station + "_" + s.project + "*." + std::string(kCycleFileExtension);
  std::vector<std::pair<CycleFileNameParts, std::string>> rows;
  for (const std::string& name : platform::FindFiles(dataFolder_, pattern)) {
    const auto parts = SplitCycleFileName(name);
    // The pattern also matches a project whose name merely begins with this one's.
    if (!parts || parts->station != s.station || parts->project != s.project) continue;
    rows.emplace_back(*parts, name);
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [](const auto& a, const auto& b) { return CycleListedBefore(a.first, b.first); });
  for (const auto& [parts, name] : rows) ListAddRow(kListId, {parts.date, parts.cycle, name});
}

void CyclesDialog::OnCommand(int controlId) {
  if (controlId == kCloseKeyId) {
    EndDialog(platform::kIdCancel);
    return;
  }
  if (controlId != kViewKeyId) return;
  const int row = ListSelected(kListId);
  if (row < 0) {
    context_.Bracket().MessageBox(
        context_.Translate(texts::kSelectCycle.key, texts::kSelectCycle.defaultText));
    return;
  }
  chosen_ = dataFolder_ / platform::PathFromText(ListCell(kListId, row, 2));
  EndDialog(platform::kIdOk);
}

}  // namespace vigil::monitoring
