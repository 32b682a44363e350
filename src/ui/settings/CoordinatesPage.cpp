#include "ui/settings/CoordinatesPage.h"

#include <vector>

#include "platform/Format.h"
#include "store/Translations.h"
#include "survey/Units.h"
#include "ui/settings/PageLayout.h"

namespace vigil::ui {

namespace layout = page_layout;

CoordinatesPage::CoordinatesPage(const std::filesystem::path& translationsFile) {
  std::vector<store::TextEntry> texts{{"IDS_STN_CRDTAB_EASTING", "Easting", {}},
                                      {"IDS_STN_CRDTAB_NORTHING", "Northing", {}},
                                      {"IDS_STN_CRDTAB_RL", "RL", {}},
                                      {"IDS_STN_CRDTAB_ORIENTATION", "Orientation", {}},
                                      {"IDS_STN_CRDTAB_INST_HEIGHT", "Inst. Height", {}}};
  store::TranslateAll(translationsFile, texts);
  easting_ = texts[0].translated;
  northing_ = texts[1].translated;
  level_ = texts[2].translated;
  height_ = texts[4].translated;
  AddLabel(kEastingLabelId, {}, layout::Caption(0));
  AddEdit(kEastingEditId, layout::Field(0));
  AddLabel(kNorthingLabelId, {}, layout::Caption(1));
  AddEdit(kNorthingEditId, layout::Field(1));
  AddLabel(kLevelLabelId, {}, layout::Caption(2));
  AddEdit(kLevelEditId, layout::Field(2));
  AddLabel(kOrientationLabelId, texts[3].translated, layout::Caption(3));
  AddEdit(kOrientationEditId, layout::Field(3));
  AddLabel(kHeightLabelId, {}, layout::Caption(4));
  AddEdit(kHeightEditId, layout::Field(4));
  Relabel("m");
}

void CoordinatesPage::Fill(const store::ProjectStationSettings& settings) {
  const auto show = [&](int id, double metres) {
    SetText(id, survey::MetresTextToDisplay(settings, platform::Format("%.4lf", {metres})));
  };
  show(kEastingEditId, settings.easting);
  show(kNorthingEditId, settings.northing);
  // In memory the level is the instrument's axis; the operator edits the mark's.
  show(kLevelEditId, settings.reduced_level - settings.instrument_height);
  show(kHeightEditId, settings.instrument_height);
  SetText(kOrientationEditId,
          survey::FormatAngle(settings, settings.orientation, survey::AngleFormat::Current, false));
  Relabel(survey::DistanceUnitLabel(settings));
}

void CoordinatesPage::Relabel(std::string_view distanceUnitLabel) {
  SetText(kEastingLabelId, platform::Format("%s (%s)", {easting_, distanceUnitLabel}));
  SetText(kNorthingLabelId, platform::Format("%s (%s)", {northing_, distanceUnitLabel}));
  SetText(kLevelLabelId, platform::Format("%s (%s)", {level_, distanceUnitLabel}));
  SetText(kHeightLabelId, platform::Format("%s (%s)", {height_, distanceUnitLabel}));
}

void CoordinatesPage::ReshowOrientation(const store::ProjectStationSettings& oldUnits,
                                        const store::ProjectStationSettings& newUnits) {
  double gon = 0.0;
  if (!platform::ScanDouble(survey::ParseAngle(oldUnits, Text(kOrientationEditId)), gon)) return;
  SetText(kOrientationEditId, survey::FormatAngle(newUnits, gon, survey::AngleFormat::Current, false));
}

void CoordinatesPage::Write(store::SettingsEntries& entries,
                            const store::ProjectStationSettings& units) const {
  entries.emplace_back("easting", survey::DistanceToMetres(units, Text(kEastingEditId)));
  entries.emplace_back("northing", survey::DistanceToMetres(units, Text(kNorthingEditId)));
  entries.emplace_back("reduced_level", survey::DistanceToMetres(units, Text(kLevelEditId)));
  entries.emplace_back("orientation", survey::ParseAngle(units, Text(kOrientationEditId)));
  entries.emplace_back("instrument_height", survey::DistanceToMetres(units, Text(kHeightEditId)));
}

}  // namespace vigil::ui
