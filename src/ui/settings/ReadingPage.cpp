#include "ui/settings/ReadingPage.h"

#include <vector>

#include "platform/Format.h"
#include "store/Translations.h"
#include "ui/settings/PageLayout.h"

namespace vigil::ui {

namespace layout = page_layout;

ReadingPage::ReadingPage(const std::filesystem::path& translationsFile) {
  std::vector<store::TextEntry> texts{{"IDS_STN_CFRTAB_SEQUENCE", "Sequence", {}},
                                      {"IDS_STN_CFRTAB_REPEATS", "Repeats", {}},
                                      {"IDS_STN_CFRTAB_RETRIES", "Retries", {}},
                                      {"IDS_STN_CFRTAB_ROUNDS", "Rounds", {}}};
  store::TranslateAll(translationsFile, texts);
  AddLabel(kSequenceLabelId, texts[0].translated, layout::Caption(0));
  // The sequence texts are long: the list takes the whole width below its caption.
  AddCombo(kSequenceListId, {4, layout::kTopPx + layout::kRowHeightPx, 308, 100});
  // A row left free below it: the closed list is as high as a row and would touch the next.
  AddLabel(kRepeatsLabelId, texts[1].translated, layout::Caption(3));
  AddEdit(kRepeatsEditId, layout::Field(3));
  AddLabel(kRetriesLabelId, texts[2].translated, layout::Caption(4));
  AddEdit(kRetriesEditId, layout::Field(4));
  AddLabel(kRoundsLabelId, texts[3].translated, layout::Caption(5));
  AddEdit(kRoundsEditId, layout::Field(5));
  for (const char* item :
       {"Read all points in F1, then in F2", "Read each point in F1 and F2", "Read all points in F1 only"}) {
    ComboAdd(kSequenceListId, item);
  }
}

void ReadingPage::Fill(const store::ProjectStationSettings& settings) {
  ComboSelect(kSequenceListId, settings.sequence);
  SetText(kRepeatsEditId, platform::Format("%d", {settings.repeat}));
  SetText(kRetriesEditId, platform::Format("%d", {settings.retry}));
  SetText(kRoundsEditId, platform::Format("%d", {settings.rounds}));
}

void ReadingPage::Write(store::SettingsEntries& entries) const {
  const int sequence = ComboSelected(kSequenceListId);
  entries.emplace_back("sequence", platform::FormatInt(sequence < 0 ? 0 : sequence));
  entries.emplace_back("repeat", Text(kRepeatsEditId));
  entries.emplace_back("retry", Text(kRetriesEditId));
  entries.emplace_back("rounds", Text(kRoundsEditId));
}

}  // namespace vigil::ui
