#include "ui/settings/CyclesPage.h"

#include <vector>

#include "monitoring/ClockText.h"
#include "monitoring/Schedule.h"
#include "platform/Format.h"
#include "store/Translations.h"
#include "ui/settings/PageLayout.h"

namespace vigil::ui {

namespace layout = page_layout;

CyclesPage::CyclesPage(const std::filesystem::path& translationsFile) {
  std::vector<store::TextEntry> texts{{"IDS_STN_CYCTAB_CYCLE_MODE", "Cycle Mode", {}},
                                      {"IDS_STN_CYCTAB_INTERVAL", "Interval (hrs)", {}},
                                      {"IDS_STN_CYCTAB_START_TIME", "Start Time", {}},
                                      {"IDS_STN_CYCTAB_LISTHDR_CYCLE", "Cycle", {}},
                                      {"IDS_STN_CYCTAB_LISTHDR_TIME", "Time", {}}};
  store::TranslateAll(translationsFile, texts);
  AddLabel(kModeLabelId, texts[0].translated, layout::Caption(0));
  AddCombo(kModeListId, layout::List(0));
  AddLabel(kIntervalLabelId, texts[1].translated, layout::Caption(1));
  AddEdit(kIntervalEditId, layout::Field(1), false, true);
  AddLabel(kStartTimeLabelId, texts[2].translated, layout::Caption(2));
  AddCombo(kStartTimeListId, layout::List(2));
  const int tableTop = layout::kTopPx + 3 * layout::kRowHeightPx;
  AddReportList(kCycleTableId, {4, tableTop, 308, 176 - tableTop},
                {{texts[3].translated, 100}, {texts[4].translated, 120}});
  for (const char* item : {"Interval", "Continuous", "Single"}) ComboAdd(kModeListId, item);
  for (int i = 0; i < monitoring::kStartTimeCount; ++i)
    ComboAdd(kStartTimeListId, monitoring::StartTimeItem(i));
}

void CyclesPage::Fill(const store::ProjectStationSettings& settings) {
  ComboSelect(kModeListId, settings.mode);
  SetText(kIntervalEditId, settings.interval);
  storedStartTime_ = settings.start_time;
  ComboSelect(kStartTimeListId, ComboFindPrefix(kStartTimeListId, settings.start_time));
  cycles_ = settings.cycles;
  FillTable();
  ApplyMode();
}

int CyclesPage::Mode() const {
  const int mode = ComboSelected(kModeListId);
  return mode < 0 ? kModeInterval : mode;
}

std::string CyclesPage::StartTime() const {
  const int selected = ComboSelected(kStartTimeListId);
  return selected < 0 ? storedStartTime_ : ComboItem(kStartTimeListId, selected);
}

void CyclesPage::Write(store::SettingsEntries& entries) const {
  entries.emplace_back("mode", platform::FormatInt(Mode()));
  entries.emplace_back("interval", Text(kIntervalEditId));
  entries.emplace_back("start_time", StartTime());
  entries.emplace_back("cycles", cycles_);
}

void CyclesPage::OnSelectionChanged(int controlId) {
  if (controlId == kModeListId) {
    ApplyMode();
  } else if (controlId == kStartTimeListId) {
    Rebuild();
  }
}

void CyclesPage::OnEditChanged(int controlId) {
  if (controlId == kIntervalEditId) Rebuild();
}

void CyclesPage::ApplyMode() {
  const bool interval = Mode() == kModeInterval;
  for (const int id :
       {kIntervalLabelId, kIntervalEditId, kStartTimeLabelId, kStartTimeListId, kCycleTableId}) {
    Show(id, interval);
  }
  if (interval) Rebuild();
}

void CyclesPage::Rebuild() {
  // An interval below one hour empties the list (BuildCycleList gives nothing), also while
  // typing: the table and the saved list never disagree with the interval shown.
  cycles_ = monitoring::BuildCycleList(StartTime(), Text(kIntervalEditId));
  FillTable();
}

void CyclesPage::FillTable() {
  ListClear(kCycleTableId);
  for (const monitoring::CycleEntry& entry : monitoring::CycleEntries(cycles_)) {
    ListAddRow(kCycleTableId, {platform::Format("Cycle %s", {entry.number}), entry.time});
  }
}

}  // namespace vigil::ui
