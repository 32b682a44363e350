#include "ui/settings/UnitsPage.h"

#include <vector>

#include "platform/Format.h"
#include "store/Translations.h"
#include "survey/Units.h"
#include "ui/settings/PageLayout.h"

namespace vigil::ui {

namespace layout = page_layout;

namespace {

int Position(int selected) {
  return selected < 0 ? 0 : selected;
}

}  // namespace

UnitsPage::UnitsPage(const std::filesystem::path& translationsFile) {
  std::vector<store::TextEntry> texts{{"IDS_STN_UNITAB_TEMPERATURE",
                                       "Temp (\xC2\xB0"
                                       "C)",
                                       {}},
                                      {"IDS_STN_UNITAB_PRESSURE", "Pressure (hPa)", {}},
                                      {"IDS_STN_UNITAB_ANGLE", "Angle Unit", {}},
                                      {"IDS_STN_UNITAB_DISTANCE", "Distance", {}},
                                      {"IDS_STN_UNITAB_STANDARD", "Standard", {}}};
  store::TranslateAll(translationsFile, texts);
  AddLabel(kTemperatureLabelId, texts[0].translated, layout::Caption(0));
  AddEdit(kTemperatureEditId, layout::Field(0));
  AddLabel(kPressureLabelId, texts[1].translated, layout::Caption(1));
  AddEdit(kPressureEditId, layout::Field(1));
  AddLabel(kAngleLabelId, texts[2].translated, layout::Caption(2));
  AddCombo(kAngleListId, layout::List(2));
  AddLabel(kDistanceLabelId, texts[3].translated, layout::Caption(3));
  AddCombo(kDistanceListId, layout::List(3));
  AddLabel(kStandardLabelId, texts[4].translated, layout::Caption(4));
  AddCombo(kStandardListId, layout::List(4));
  for (const char* item : {"Gon", "Deg/Min/Sec"}) ComboAdd(kAngleListId, item);
  for (const char* item : {"Meters", "Feet", "Inches"}) ComboAdd(kDistanceListId, item);
  for (const char* item : {"International", "US"}) ComboAdd(kStandardListId, item);
}

void UnitsPage::Fill(const store::ProjectStationSettings& settings) {
  SetText(kTemperatureEditId, platform::Format("%.1lf", {settings.temperature}));
  SetText(kPressureEditId, platform::Format("%.1lf", {settings.pressure}));
  // Out-of-range values select what the conversions take them for.
  ComboSelect(kAngleListId, static_cast<int>(survey::AngleUnitOf(settings)));
  ComboSelect(kDistanceListId, static_cast<int>(survey::DistanceUnitOf(settings)));
  ComboSelect(kStandardListId, static_cast<int>(survey::DistanceStandardOf(settings)));
  EnableStandard();
}

int UnitsPage::AngleChoice() const {
  return Position(ComboSelected(kAngleListId));
}
int UnitsPage::DistanceChoice() const {
  return Position(ComboSelected(kDistanceListId));
}
int UnitsPage::StandardChoice() const {
  return Position(ComboSelected(kStandardListId));
}

void UnitsPage::EnableStandard() {
  const bool feetOrInches = DistanceChoice() == 1 || DistanceChoice() == 2;
  Enable(kStandardLabelId, feetOrInches);
  Enable(kStandardListId, feetOrInches);
}

void UnitsPage::Write(store::SettingsEntries& entries) const {
  entries.emplace_back("temperature", Text(kTemperatureEditId));
  entries.emplace_back("pressure", Text(kPressureEditId));
  entries.emplace_back("angle_units", platform::FormatInt(AngleChoice()));
  entries.emplace_back("distance_unit", platform::FormatInt(DistanceChoice()));
  entries.emplace_back("dist_standard", platform::FormatInt(StandardChoice()));
}

void UnitsPage::OnSelectionChanged(int controlId) {
  if (controlId == kDistanceListId) {
    EnableStandard();
    if (onDistanceUnitChanged) onDistanceUnitChanged();
  } else if (controlId == kAngleListId) {
    if (onAngleUnitChanged) onAngleUnitChanged();
  }
}

}  // namespace vigil::ui
