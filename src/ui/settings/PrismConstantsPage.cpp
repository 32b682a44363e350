#include "ui/settings/PrismConstantsPage.h"

#include <vector>

#include "platform/Format.h"
#include "store/Translations.h"
#include "survey/Units.h"
#include "ui/settings/PageLayout.h"

namespace vigil::ui {

namespace layout = page_layout;

namespace {

constexpr int kConstantEdits[] = {PrismConstantsPage::kMonitoringEditId,
                                  PrismConstantsPage::kConnectionEditId, PrismConstantsPage::kReferenceEditId,
                                  PrismConstantsPage::kCustomConstantEditId};

bool MetresMode(const store::ProjectStationSettings& units) {
  return survey::DistanceUnitOf(units) == survey::DistanceUnit::Meters;
}

// A constant (mm) as shown in `units`: mm in metres mode, otherwise the display unit.
std::string ShowConstant(const store::ProjectStationSettings& units, std::string_view mmText) {
  if (MetresMode(units)) return std::string(mmText);
  return survey::MetresTextToDisplay(units, survey::MmToMetres(mmText));
}

}  // namespace

PrismConstantsPage::PrismConstantsPage(const std::filesystem::path& translationsFile) {
  std::vector<store::TextEntry> texts{{"IDS_STN_PRITAB_MONITORING", "Monitoring", {}},
                                      {"IDS_STN_PRITAB_CONNECTION", "Connection", {}},
                                      {"IDS_STN_PRITAB_REFERENCE", "Reference", {}},
                                      {"IDS_STN_PRITAB_CUSTOM", "Custom", {}}};
  store::TranslateAll(translationsFile, texts);
  monitoring_ = texts[0].translated;
  connection_ = texts[1].translated;
  reference_ = texts[2].translated;
  custom_ = texts[3].translated;
  AddLabel(kMonitoringLabelId, {}, layout::Caption(0));
  AddEdit(kMonitoringEditId, layout::Field(0));
  AddLabel(kConnectionLabelId, {}, layout::Caption(1));
  AddEdit(kConnectionEditId, layout::Field(1));
  AddLabel(kReferenceLabelId, {}, layout::Caption(2));
  AddEdit(kReferenceEditId, layout::Field(2));
  AddLabel(kCustomLabelId, {}, layout::Caption(3));
  // The custom prism's name is one character: a narrow field before its constant.
  const platform::PixelRect field = layout::Field(3);
  AddEdit(kCustomNameEditId, {field.x, field.y, 28, field.height});
  AddEdit(kCustomConstantEditId, {field.x + 32, field.y, field.width - 32, field.height});
  Relabel("m");
}

void PrismConstantsPage::Fill(const store::ProjectStationSettings& settings) {
  const double constantsMm[] = {settings.const_monitoring, settings.const_connection,
                                settings.const_reference, settings.const_custom};
  for (int i = 0; i < 4; ++i) {
    SetText(kConstantEdits[i], ShowConstant(settings, platform::Format("%.1lf", {constantsMm[i]})));
  }
  SetText(kCustomNameEditId, settings.const_custom_name);
  Relabel(survey::DistanceUnitLabel(settings));
}

void PrismConstantsPage::Relabel(std::string_view distanceUnitLabel) {
  const std::string_view unit = distanceUnitLabel == "m" ? std::string_view("mm") : distanceUnitLabel;
  SetText(kMonitoringLabelId, platform::Format("%s (%s)", {monitoring_, unit}));
  SetText(kConnectionLabelId, platform::Format("%s (%s)", {connection_, unit}));
  SetText(kReferenceLabelId, platform::Format("%s (%s)", {reference_, unit}));
  SetText(kCustomLabelId, platform::Format("%s (%s)", {custom_, unit}));
}

void PrismConstantsPage::Reconvert(const store::ProjectStationSettings& oldUnits,
                                   const store::ProjectStationSettings& newUnits) {
  for (const int id : kConstantEdits) {
    const std::string shown = Text(id);
    // "-30,5" would be converted as -30 and the comma lost without a word: a text that is not
    // a plain number stays as typed, for OK to refuse.
    if (!platform::IsPlainNumber(shown)) continue;
    const std::string metres =
        MetresMode(oldUnits) ? survey::MmToMetres(shown) : survey::DistanceToMetres(oldUnits, shown);
    SetText(id, MetresMode(newUnits) ? survey::MetresToMm(metres)
                                     : survey::MetresTextToDisplay(newUnits, metres));
  }
}

void PrismConstantsPage::Write(store::SettingsEntries& entries,
                               const store::ProjectStationSettings& units) const {
  entries.emplace_back("const_monitoring", survey::PrismConstantToMm(units, Text(kMonitoringEditId)));
  entries.emplace_back("const_connection", survey::PrismConstantToMm(units, Text(kConnectionEditId)));
  entries.emplace_back("const_reference", survey::PrismConstantToMm(units, Text(kReferenceEditId)));
  entries.emplace_back("const_custom", Text(kCustomNameEditId) + ":" +
                                           survey::PrismConstantToMm(units, Text(kCustomConstantEditId)));
}

}  // namespace vigil::ui
