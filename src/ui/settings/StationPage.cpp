#include "ui/settings/StationPage.h"

#include <vector>

#include "store/Translations.h"
#include "ui/settings/PageLayout.h"

namespace vigil::ui {

namespace layout = page_layout;

StationPage::StationPage(const std::filesystem::path& translationsFile) {
  std::vector<store::TextEntry> texts{{"IDS_STN_STNTAB_PROJECT_NAME", "Project Name", {}},
                                      {"IDS_STN_STNTAB_STATION_NAME", "Station Name", {}}};
  store::TranslateAll(translationsFile, texts);
  AddLabel(kProjectLabelId, texts[0].translated, layout::Caption(0));
  AddEdit(kProjectEditId, layout::Field(0));
  AddLabel(kStationLabelId, texts[1].translated, layout::Caption(1));
  AddEdit(kStationEditId, layout::Field(1));
}

void StationPage::Fill(const store::ProjectStationSettings& settings) {
  SetText(kProjectEditId, settings.project);
  SetText(kStationEditId, settings.station);
}

void StationPage::Write(store::SettingsEntries& entries) const {
  entries.emplace_back("project", Project());
  entries.emplace_back("station", Station());
}

}  // namespace vigil::ui
